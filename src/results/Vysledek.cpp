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
    headingLabel = ui->headingLabel;
    gameKindLabel = ui->gameKindLabel;
    piecesLabel = ui->piecesLabel;
    rowsLabel = ui->rowsLabel;
    scoreLabel = ui->scoreLabel;
    nameEdit = ui->nameEdit;
    okButton = ui->okButton;

    balloonShape = SetUpBalloon(size(), tformshape::bpBottomRight);
    setFirstControl(nameEdit);
    for (QLabel *text : {ui->gameKindCaption, ui->piecesCaption, ui->rowsCaption, ui->scoreCaption, ui->nameCaption})
        text->setFont(BalloonFont());
    for (QLabel *value : {headingLabel, gameKindLabel, piecesLabel, rowsLabel, scoreLabel})
        value->setFont(BalloonFont(13, true));
    nameEdit->setFont(BalloonFont());
    okButton->setFont(BalloonFont());

    // Enter and Esc typed into the name are left by the text box to the window's key handler.
    connect(okButton, &TOfficeControl::clicked, this, &TVysledekDialog::storeResultAndClose);
}

TVysledekDialog::~TVysledekDialog()
{
    if (g_vysledekDialog == this)
        g_vysledekDialog = nullptr;
}

void TVysledekDialog::Fill(int player, const QString &kind, const QString &pieces,
                           const QString &rows, const QString &points)
{
    headingLabel->setText(player == 1 ? QStringLiteral("Hráč č. 1 ukončil hru")
                                : QStringLiteral("Hráč č. 2 ukončil hru"));
    gameKindLabel->setText(kind);
    piecesLabel->setText(pieces);
    rowsLabel->setText(rows);
    scoreLabel->setText(points);
}

bool TVysledekDialog::StoreResult()
{
    const QString name = nameEdit->text();
    if (name.isEmpty() || DataModule1 == nullptr)
        return true;
    const TMainWindowLink *main = MainWindowLink();
    const QString kind = main != nullptr ? main->GameKindText() : gameKindLabel->text();
    try {
        DataModule1->AppendResult(name, scoreLabel->text(), kind);
    } catch (const std::exception &error) {
        TApplication::HandleException(error);
        return false;
    }
    return true;
}

void TVysledekDialog::storeResultAndClose()
{
    if (StoreResult())
        close();
}




void TVysledekDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEscapeKey(event->key()))
        close();
    else if (IsEnterKey(event->key()))
        storeResultAndClose();
}

void TVysledekDialog::FormShow()
{
    PlaySoundAndGoOn(QStringLiteral("Dialog.wav"));
    PlaceBesideAssistant(PlacementCaller::MatchEnd, this);
    // The name offered again is selected: typing replaces it, Enter keeps it.
    nameEdit->selectAll();
}

void TVysledekDialog::FormClose()
{
    if (TMainWindowLink *main = MainWindowLink())
        main->ResultDialogClosed();
}
