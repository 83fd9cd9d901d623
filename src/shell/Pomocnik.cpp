#include "Pomocnik.h"
#include "ui_Pomocnik.h"

#include "AppPath.h"
#include "ColorValue.h"
#include "CoolForm.h"
#include "MainWindowLink.h"
#include "Placement.h"
#include "ProgramEnd.h"
#include "Settings.h"
#include "Sounds.h"
#include "Uvitani.h"

#include <QWindow>


namespace {

TPomocnikDialog *g_pomocnikDialog = nullptr;

constexpr QPoint CreationMargins(12, 30);

} // namespace

TPomocnikDialog *PomocnikDialog()
{
    return g_pomocnikDialog;
}

TPomocnikDialog::TPomocnikDialog(QWidget *parent)
    : TForm<QWidget>(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui(new Ui::PomocnikDialog)
{
    g_pomocnikDialog = this;
    ui->setupUi(this);
    figureShape = ui->figureShape;
    appPath = new TAppPath(this);
    appPath->setObjectName(QStringLiteral("appPath"));
    FormCreate();
}

TPomocnikDialog::~TPomocnikDialog()
{
    if (g_pomocnikDialog == this)
        g_pomocnikDialog = nullptr;
}

void TPomocnikDialog::FormCreate()
{
    setFixedSize(104, 104);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(clSilver));
    setPalette(colours);
    setAutoFillBackground(true);

    figureShape->setPicture(QPixmap(QStringLiteral(":/widgets/assistant.png")));
    figureShape->loadMask2(QStringLiteral(":/widgets/assistant.mask2"));
    connect(figureShape, &TCoolForm::doubleClicked, this, &TPomocnikDialog::reopenWelcome);

    move(cornerPosition(placementArea(), size(), CreationMargins));
}

void TPomocnikDialog::MoveToCorner(QPoint margins)
{
    hide();
    move(cornerPosition(placementArea(), size(), margins));
    show();
}

void TPomocnikDialog::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier)
        close();
    else
        TForm::FormKeyDown(event);
}

void TPomocnikDialog::FormShow()
{
    if (m_hiddenWithMain) {
        m_hiddenWithMain = false;
        return;
    }
    // The window manager treats the assistant as a window of the main window's.
    if (TMainWindowLink *main = MainWindowLink(); main != nullptr && windowHandle() != nullptr) {
        windowHandle()->setTransientParent(main->LinkedWindow()->windowHandle());
        main->LinkedWindow()->installEventFilter(this);
    }
    PlaySoundAndGoOn(QStringLiteral("PomocnikStart.wav"));
    WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("1"));
}

bool TPomocnikDialog::eventFilter(QObject *watched, QEvent *event)
{
    TMainWindowLink *link = MainWindowLink();
    if (event->type() == QEvent::WindowStateChange && link != nullptr
        && watched == link->LinkedWindow()) {
        const QWidget *main = link->LinkedWindow();
        if (main->isMinimized() && isVisible()) {
            m_hiddenWithMain = true;
            hide();
        } else if (!main->isMinimized() && m_hiddenWithMain) {
            // A window manager that minimised the assistant with the main window has left that
            // in the window system's record; mapped with it, the window would be minimised again,
            // and with some window managers the main window too.
            if (windowHandle() != nullptr)
                windowHandle()->setWindowStates(Qt::WindowNoState);
            showNormal();
        }
    }
    return TForm<QWidget>::eventFilter(watched, event);
}

void TPomocnikDialog::FormClose()
{
    // Quitting the program closes no window of the player's: the assistant stays remembered as
    // shown and comes back at the next start.
    if (ProgramEnding())
        return;
    PlaySoundAndGoOn(QStringLiteral("PomocnikKonec.wav"));
    WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("0"));
}

void TPomocnikDialog::reopenWelcome()
{
    TUvitaniDialog *welcome = UvitaniDialog();
    if (!m_welcomeAllowed || !isEnabled() || welcome == nullptr)
        return;
    // Fit test of its row, the assistant shown, the main window and the assistant disabled, the
    // welcome window shown.
    ShowBesideAssistant(PlacementCaller::WelcomeFromAssistant, welcome);
}
