#include "Vysledek.h"
#include "ui_Vysledek.h"

#include "Data.h"
#include "MainWindowLink.h"
#include "OContrls.h"
#include "Placement.h"
#include "Sounds.h"
#include "TApplication.h"


namespace {
TVysledekDialog *g_vysledekDialog = nullptr;
}

TVysledekDialog *VysledekDialog()
{
    return g_vysledekDialog;
}

TVysledekDialog::TVysledekDialog() : TBalloonForm(WhileOpen::WindowsRest), ui(new Ui::VysledekDialog)
{
    g_vysledekDialog = this;
    ui->setupUi(this);
    Label1 = ui->Label1;
    Label5 = ui->Label5;
    Label6 = ui->Label6;
    Label7 = ui->Label7;
    Label10 = ui->Label10;
    Edit1 = ui->Edit1;
    OfficeButton1 = ui->OfficeButton1;

    formshape1 = SetUpBalloon(size(), tformshape::bpBottomRight);
    setFirstControl(Edit1);
    for (QLabel *text : {ui->Label2, ui->Label3, ui->Label4, ui->Label9, ui->Label8})
        text->setFont(BalloonFont());
    for (QLabel *value : {Label1, Label5, Label6, Label7, Label10})
        value->setFont(BalloonFont(13, true));
    Edit1->setFont(BalloonFont());
    OfficeButton1->setFont(BalloonFont());

    // Enter and Esc typed into the name are left by the text box to the window's key handler.
    connect(OfficeButton1, &TOfficeControl::clicked, this, &TVysledekDialog::OfficeButton1Click);
}

TVysledekDialog::~TVysledekDialog()
{
    if (g_vysledekDialog == this)
        g_vysledekDialog = nullptr;
}

void TVysledekDialog::Fill(int player, const QString &kind, const QString &pieces,
                           const QString &rows, const QString &points)
{
    Label1->setText(player == 1 ? QStringLiteral("Hráč č. 1 ukončil hru")
                                : QStringLiteral("Hráč č. 2 ukončil hru"));
    Label5->setText(kind);
    Label6->setText(pieces);
    Label7->setText(rows);
    Label10->setText(points);
}

bool TVysledekDialog::StoreResult()
{
    const QString name = Edit1->text();
    if (name.isEmpty() || DataModule1 == nullptr)
        return true;
    const TMainWindowLink *main = MainWindowLink();
    const QString kind = main != nullptr ? main->GameKindText() : Label5->text();
    try {
        DataModule1->AppendResult(name, Label10->text(), kind);
    } catch (const std::exception &error) {
        TApplication::HandleException(error);
        return false;
    }
    return true;
}

void TVysledekDialog::OfficeButton1Click()
{
    if (StoreResult())
        close();
}




void TVysledekDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEscapeKey(event->key()))
        close();
    else if (IsEnterKey(event->key()))
        OfficeButton1Click();
}

void TVysledekDialog::FormShow()
{
    PlaySoundAndGoOn(QStringLiteral("Dialog.wav"));
    PlaceBesideAssistant(PlacementCaller::MatchEnd, this);
    // The name offered again is selected: typing replaces it, Enter keeps it.
    Edit1->selectAll();
}

void TVysledekDialog::FormClose()
{
    if (TMainWindowLink *main = MainWindowLink())
        main->ResultDialogClosed();
}
