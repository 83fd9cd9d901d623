#include "Uvitani.h"
#include "ui_Uvitani.h"

#include "AppPath.h"
#include "Companion.h"
#include "MainWindowLink.h"
#include "Manual.h"
#include "Napoveda.h"
#include "Placement.h"
#include "Pomocnik.h"
#include "Settings.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

TUvitaniDialog *g_uvitaniDialog = nullptr;

const QString Assistant = QStringLiteral("Pomocnik");
const QString Welcome = QStringLiteral("Uvitani");
const QString Yes = QStringLiteral("1");

} // namespace

TUvitaniDialog *UvitaniDialog()
{
    return g_uvitaniDialog;
}

TUvitaniDialog::TUvitaniDialog()
    : TBalloonForm(WhileOpen::MatchStops), ui(new Ui::UvitaniDialog)
{
    g_uvitaniDialog = this;
    ui->setupUi(this);
    helpTopicsLink = ui->helpTopicsLink;
    manualLink = ui->manualLink;
    startPlayingLink = ui->startPlayingLink;
    showAtStartCheckBox = ui->showAtStartCheckBox;
    appPath = new TAppPath(this);
    appPath->setObjectName(QStringLiteral("appPath"));

    SetUpBalloon(QSize(406, 140), tformshape::bpBottomRight);
    setFont(BalloonFont());
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(showAtStartCheckBox);
    ui->greetingLabel->setFont(BalloonFont(13, true));
    ui->offerLabel->setFont(BalloonFont(13, true));
    for (TOfficeLabel *link : {helpTopicsLink, manualLink, startPlayingLink})
        link->setFont(BalloonFont());
    showAtStartCheckBox->setChecked(false);

    connect(helpTopicsLink, &TOfficeLabel::clicked, this, &TUvitaniDialog::showHelpTopics);
    connect(manualLink, &TOfficeLabel::clicked, this, &TUvitaniDialog::startManual);
    connect(startPlayingLink, &TOfficeLabel::clicked, this, &TUvitaniDialog::startPlaying);
}

TUvitaniDialog::~TUvitaniDialog()
{
    if (g_uvitaniDialog == this)
        g_uvitaniDialog = nullptr;
}

void TUvitaniDialog::FormShow()
{
    if (ReadSetting(Welcome) == Yes)
        showAtStartCheckBox->setChecked(true);
    PlaceBesideAssistant(PlacementCaller::WelcomeFromAssistant, this);
}

// Keys the check box does not use arrive here as well.
void TUvitaniDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEnterKey(event->key()) || IsEscapeKey(event->key()))
        Leave();
    else
        TBalloonForm::FormKeyDown(event);
}

void TUvitaniDialog::Leave()
{
    WriteSetting(Welcome, showAtStartCheckBox->isChecked() ? Yes : QStringLiteral("0"));
    SetMainAndAssistantEnabled(true);
    close();
}

void TUvitaniDialog::showHelpTopics()
{
    Leave();
    OpenHelpTopics(PlacementCaller::HelpFromWelcome);
}

void TUvitaniDialog::startManual()
{
    LaunchManual(appPath->AppFolder());
}

void TUvitaniDialog::startPlaying()
{
    Leave();
}

void StartUpAssistant()
{
    // Only the first showing of a main window decides.
    static QPointer<QWidget> decidedFor;
    TMainWindowLink *link = MainWindowLink();
    QWidget *main = link != nullptr ? link->LinkedWindow() : nullptr;
    if (main == nullptr || decidedFor == main)
        return;
    decidedFor = main;

    const QString assistantSetting = ReadSetting(Assistant);
    const QString welcomeSetting = ReadSetting(Welcome);
    TPomocnikDialog *assistant = PomocnikDialog();
    if (assistantSetting != Yes || assistant == nullptr)
        return;
    TUvitaniDialog *welcome = UvitaniDialog();
    if (welcomeSetting != Yes || welcome == nullptr) {
        assistant->show();
        return;
    }
    welcome->showAtStartCheckBox->setChecked(true);
    ShowBesideAssistant(PlacementCaller::WelcomeAtStart, welcome);
}
