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
    OfficeLabel2 = ui->OfficeLabel2;
    OfficeLabel3 = ui->OfficeLabel3;
    OfficeLabel4 = ui->OfficeLabel4;
    CheckBox1 = ui->CheckBox1;
    AppPath1 = new TAppPath(this);
    AppPath1->setObjectName(QStringLiteral("AppPath1"));

    SetUpBalloon(QSize(406, 140), tformshape::bpBottomRight);
    setFont(BalloonFont());
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(CheckBox1);
    ui->Label1->setFont(BalloonFont(13, true));
    ui->Label2->setFont(BalloonFont(13, true));
    for (TOfficeLabel *link : {OfficeLabel2, OfficeLabel3, OfficeLabel4})
        link->setFont(BalloonFont());
    CheckBox1->setChecked(false);

    connect(OfficeLabel2, &TOfficeLabel::clicked, this, &TUvitaniDialog::OfficeLabel2Click);
    connect(OfficeLabel3, &TOfficeLabel::clicked, this, &TUvitaniDialog::OfficeLabel3Click);
    connect(OfficeLabel4, &TOfficeLabel::clicked, this, &TUvitaniDialog::OfficeLabel4Click);
}

TUvitaniDialog::~TUvitaniDialog()
{
    if (g_uvitaniDialog == this)
        g_uvitaniDialog = nullptr;
}

void TUvitaniDialog::FormShow()
{
    if (ReadSetting(Welcome) == Yes)
        CheckBox1->setChecked(true);
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
    WriteSetting(Welcome, CheckBox1->isChecked() ? Yes : QStringLiteral("0"));
    SetMainAndAssistantEnabled(true);
    close();
}

void TUvitaniDialog::OfficeLabel2Click()
{
    Leave();
    OpenHelpTopics(PlacementCaller::HelpFromWelcome);
}

void TUvitaniDialog::OfficeLabel3Click()
{
    LaunchManual(AppPath1->AppFolder());
}

void TUvitaniDialog::OfficeLabel4Click()
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
    welcome->CheckBox1->setChecked(true);
    ShowBesideAssistant(PlacementCaller::WelcomeAtStart, welcome);
}
