#include "Vymazat.h"
#include "ui_Vymazat.h"

#include "Data.h"
#include "OContrls.h"
#include "Placement.h"
#include "Pomocnik.h"
#include "Sounds.h"
#include "TApplication.h"
#include "WindowPlacement.h"
#include "formshape.h"

#include <QLabel>

namespace {

TVymazatDialog *g_vymazatDialog = nullptr;

QFont formFont(bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

} // namespace

TVymazatDialog *VymazatDialog()
{
    return g_vymazatDialog;
}

void ShowVymazatDialog()
{
    TVymazatDialog *question = VymazatDialog();
    if (question == nullptr)
        return;
    if (PomocnikDialog() != nullptr) {
        ShowBesideAssistant(PlacementCaller::ClearTable, question);
        return;
    }
    centreFrameIn(question, placementArea());
    question->show();
}

TVymazatDialog::TVymazatDialog() : TBalloonForm(WhileOpen::WindowsRest), ui(new Ui::VymazatDialog)
{
    g_vymazatDialog = this;
    ui->setupUi(this);
    programPicture = ui->programPicture;
    titleLabel = ui->titleLabel;
    questionLabel = ui->questionLabel;
    yesButton = ui->yesButton;
    noButton = ui->noButton;
    FormCreate();
}

TVymazatDialog::~TVymazatDialog()
{
    if (g_vymazatDialog == this)
        g_vymazatDialog = nullptr;
}

void TVymazatDialog::FormCreate()
{
    balloonShape = SetUpBalloon(size(), tformshape::bpRightTop);
    setFont(formFont(false));
    titleLabel->setFont(formFont(true));
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(this);

    connect(yesButton, &TOfficeButton::clicked, this, &TVymazatDialog::clearTable);
    connect(noButton, &TOfficeButton::clicked, this, &TVymazatDialog::keepTable);
}

void TVymazatDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEnterKey(event->key()))
        ResetTable();
    else if (IsEscapeKey(event->key()))
        close();
    else
        TBalloonForm::FormKeyDown(event);
}

void TVymazatDialog::FormShow()
{
    // The question sounds while the main window and the assistant are still usable; they rest
    // once it is shown.
    PlaySoundAndGoOn(QStringLiteral("Dotaz.wav"));
}

void TVymazatDialog::clearTable()
{
    ResetTable();
}

void TVymazatDialog::keepTable()
{
    close();
}

void TVymazatDialog::ResetTable()
{
    // The store checks the blank pair before it touches the live table; a refused clearing keeps
    // every stored result. Either way the question is answered, so the balloon closes first and
    // the reason follows in a message box of its own.
    try {
        if (DataModule1 != nullptr)
            DataModule1->ResetTable();
    } catch (const std::exception &error) {
        close();
        TApplication::HandleException(error);
        return;
    }
    close();
}
