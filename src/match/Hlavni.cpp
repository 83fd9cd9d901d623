#include "Hlavni.h"
#include "ui_Hlavni.h"

#include "AppPath.h"
#include "BoardWell.h"
#include "Clock.h"
#include "DotazKonec.h"
#include "Data.h"
#include "GradText.h"
#include "HintRouter.h"
#include "Hra1.h"
#include "Hra2.h"
#include "KeyMap.h"
#include "KeyboardRepeat.h"
#include "Manual.h"
#include "NStatusBar.h"
#include "Napoveda.h"
#include "OProgramu.h"
#include "Ovladani.h"
#include "Ovladani1.h"
#include "Placement.h"
#include "ProgramEnd.h"
#include "Sounds.h"
#include "WellWidget.h"
#include "TApplication.h"
#include "Tabulka.h"
#include "Timer.h"
#include "Uvitani.h"
#include "Vymazat.h"
#include "Vysledek.h"
#include "sysinfo.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QWindow>
#include <algorithm>
#include <array>

namespace {

// The first status-bar panel carries the hint.
constexpr int HintPanel = 0;

} // namespace

THlavniDialog *HlavniDialog()
{
    return dynamic_cast<THlavniDialog *>(MainWindowLink());
}

THlavniDialog::THlavniDialog(QWidget *parent) : TForm<QMainWindow>(parent), ui(new Ui::HlavniDialog)
{
    ui->setupUi(this);
    m_systemInfo = new TSysInfo(this);
    m_systemInfo->setObjectName(QStringLiteral("systemInfo"));

    m_gravityTimer1 = new Timer(this);
    m_gravityTimer1->setObjectName(QStringLiteral("gravityTimer1"));
    m_gravityTimer2 = new Timer(this);
    m_gravityTimer2->setObjectName(QStringLiteral("gravityTimer2"));
    connect(m_gravityTimer1, &Timer::OnTimer, this, [this] { m_match->Tick(1); });
    connect(m_gravityTimer2, &Timer::OnTimer, this, [this] { m_match->Tick(2); });
    // The rules of the match drive both boards and the gravity timers, and report to the window.
    m_well1 = std::make_unique<TBoardWell>(ui->player1Well);
    m_well2 = std::make_unique<TBoardWell>(ui->player2Well);
    m_match = std::make_unique<TMatch>(*m_well1, *m_well2,
                                       *m_gravityTimer1, *m_gravityTimer2,
                                       static_cast<TMatchDisplay &>(*this));

    layOutForm();
    setUpBoards();
    setUpBossScreen();
    connectCommands();
    setMatchCommands(false);

    FormCreate();
}

THlavniDialog::~THlavniDialog()
{
    // Destroying the window hides it, which changes the hint; by then this is no main window.
    disconnect(THintRouter::instance(), nullptr, this, nullptr);
}

QString THlavniDialog::GameKindText() const
{
    return ui->gameKindLabel->text();
}

void THlavniDialog::connectCommands()
{
    // A menu item, its pop-up twin and its toolbar button share one handler.
    connect(ui->quitAction, &QAction::triggered, this, &QWidget::close);
    connect(ui->bossScreenAction, &QAction::triggered, this, &THlavniDialog::toggleBossScreen);
    connect(ui->bossScreenToolAction, &QAction::triggered, this, &THlavniDialog::toggleBossScreen);
    for (QAction *command : {ui->newOnePlayerGameAction, ui->newOnePlayerGamePopupAction, ui->newOnePlayerGameToolAction})
        connect(command, &QAction::triggered, this, &THlavniDialog::openOnePlayerSelection);
    for (QAction *command : {ui->newTwoPlayerGameAction, ui->newTwoPlayerGamePopupAction, ui->newTwoPlayerGameToolAction})
        connect(command, &QAction::triggered, this, &THlavniDialog::openTwoPlayerSelection);
    for (QAction *command : {ui->endGameAction, ui->endGamePopupAction, ui->endGameToolAction})
        connect(command, &QAction::triggered, this, &THlavniDialog::askToEndMatch);
    for (QAction *command : {ui->resultsTableAction, ui->resultsTableToolAction})
        connect(command, &QAction::triggered, this, &ShowTabulkaDialog);
    connect(ui->clearResultsTableAction, &QAction::triggered, this, &ShowVymazatDialog);
    for (QAction *manual : {ui->manualAction, ui->manualToolAction})
        connect(manual, &QAction::triggered, this, [] { LaunchManual(TAppPath().AppFolder()); });
    connect(ui->onePlayerKeysAction, &QAction::triggered, this, [] { ShowInfoWindow(OvladaniDialog()); });
    connect(ui->twoPlayerKeysAction, &QAction::triggered, this, [] { ShowInfoWindow(Ovladani1Dialog()); });
    connect(ui->aboutAction, &QAction::triggered, this, [] { ShowInfoWindow(OProgramuDialog()); });
    connect(ui->helpTopicsAction, &QAction::triggered, this,
            [] { OpenHelpTopics(PlacementCaller::HelpCommand); });
}

void THlavniDialog::FormCreate()
{
    m_match->PlayerCount = 0;
    m_keyRepeat.setSingleShot(true);
    connect(&m_keyRepeat, &QTimer::timeout, this, &THlavniDialog::repeatHeldKeys);
    ui->player1Well->resize(190, 358);
    ui->player2Well->resize(190, 358);
    ui->bossCalendar->setSelectedDate(todayLocal());

    connect(THintRouter::instance(), &THintRouter::OnHint, this,
            &THlavniDialog::showHintInStatusBar);
    showHintInStatusBar();

    // A results table that cannot be opened is reported; the window is made all the same and the
    // program runs with the table closed.
    if (DataModule1 != nullptr) {
        try {
            DataModule1->OpenAtStart();
        } catch (const std::exception &error) {
            TApplication::HandleException(error);
        }
    }
}

void THlavniDialog::FormShow()
{
    if (!m_keysWatched && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
        m_keysWatched = true;
    }
    UpdateManualCommands();
    StartUpAssistant();
}

void THlavniDialog::UpdateManualCommands()
{
    const bool available = ManualAvailable(TAppPath().AppFolder());
    ui->manualToolAction->setEnabled(available);
    ui->manualAction->setEnabled(available);
    if (TUvitaniDialog *welcome = UvitaniDialog())
        welcome->manualLink->setEnabled(available);
}

void THlavniDialog::showHintInStatusBar()
{
    ui->statusLine->setPanelText(HintPanel, QStringLiteral("      ") + THintRouter::instance()->Hint());
}

bool THlavniDialog::PauseOn() const
{
    return !ui->player1PauseText->isHidden();
}

bool THlavniDialog::bossScreenShown() const
{
    return !ui->bossScreen->isHidden();
}

void THlavniDialog::setMatchCommands(bool matchRunning)
{
    for (QAction *command : {ui->newOnePlayerGameToolAction, ui->newTwoPlayerGameToolAction, ui->newOnePlayerGameAction, ui->newTwoPlayerGameAction, ui->newOnePlayerGamePopupAction, ui->newTwoPlayerGamePopupAction})
        command->setEnabled(!matchRunning);
    for (QAction *command : {ui->endGameToolAction, ui->endGameAction, ui->endGamePopupAction})
        command->setEnabled(matchRunning);
}

void THlavniDialog::togglePause()
{
    // While the boss screen is shown the gravity is already suspended and its intervals are kept
    // for the boss screen; the pause key then only shows or hides "Pauza", so that gravity comes
    // back at its old speed whichever of the two ends first.
    const bool keepIntervals = bossScreenShown();
    if (!PauseOn()) {
        showPause(true);
        if (!keepIntervals)
            SuspendGravity();
    } else {
        showPause(false);
        if (!keepIntervals)
            ResumeGravity();
    }
}

void THlavniDialog::showPause(bool shown)
{
    ui->player1PauseText->setVisible(shown);
    ui->player2PauseText->setVisible(shown);
}

void THlavniDialog::PressGameKey(QChar key)
{
    KeyLayout::Action action;
    if (KeyLayout::actionOfKey(KeyLayout::Column::OnePlayer, key, &action)
        && action == KeyLayout::Action::Pause)
        togglePause();
    m_match->KeyPress(key);
}

void THlavniDialog::toggleBossScreen()
{
    if (!bossScreenShown()) {
        if (!PauseOn())
            SuspendGravity();
        ui->bossScreen->show();
        if (m_folders == nullptr)
            fillFolderTree();
        ui->gameKindCaption->hide();
        ui->gameKindLabel->hide();
        setWindowTitle(QStringLiteral("Plnění plánu v letošním roce"));
    } else {
        ui->bossScreen->hide();
        ui->gameKindCaption->show();
        ui->gameKindLabel->show();
        setWindowTitle(QStringLiteral("Parblok 2000"));
        if (!PauseOn())
            ResumeGravity();
        setEnabled(true);
    }
}

bool THlavniDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Every character typed into the window reaches the keyboard handler first, whichever of its
    // controls has the focus; the control still gets the key afterwards.
    // While a menu is open or the menu bar is in keyboard mode (Alt), the keys choose menu items.
    if (watched == windowHandle()) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (isEnabled() && !keysGoToMenus())
                keyPressed(*static_cast<QKeyEvent *>(event));
            break;
        case QEvent::KeyRelease:
            keyReleased(*static_cast<QKeyEvent *>(event));
            break;
        case QEvent::FocusOut:
            // The releases of keys held now go to another window.
            m_heldKeys.clear();
            scheduleKeyRepeat();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool THlavniDialog::keysGoToMenus() const
{
    return QApplication::activePopupWidget() != nullptr || menuBar()->hasFocus();
}

namespace {

// The key's cap as the held keys name it: a letter in capitals or " ", else none.
QChar capOf(const QKeyEvent &key)
{
    const int code = key.key();
    return (code >= Qt::Key_A && code <= Qt::Key_Z) || code == Qt::Key_Space ? QChar(code) : QChar();
}

} // namespace

void THlavniDialog::keyPressed(const QKeyEvent &key)
{
    if (!m_keyClock.isValid())
        m_keyClock.start();
    m_heldKeys.setPlayerCount(m_match->PlayerCount);
    if (!key.isAutoRepeat()) {
        const KeyboardRepeat repeat = desktopKeyboardRepeat();
        m_heldKeys.setTiming(repeat.delay, repeat.interval, repeat.on);
    }
    const bool acts = m_heldKeys.press(capOf(key), key.isAutoRepeat(), m_keyClock.elapsed());
    scheduleKeyRepeat();
    if (acts && !(key.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
        const QString text = key.text();
        for (const QChar character : text)
            PressGameKey(character);
    }
}

void THlavniDialog::keyReleased(const QKeyEvent &key)
{
    m_heldKeys.release(capOf(key), key.isAutoRepeat());
    scheduleKeyRepeat();
}

void THlavniDialog::repeatHeldKeys()
{
    if (!isEnabled() || keysGoToMenus()) {
        m_heldKeys.clear();
        return;
    }
    const QString due = m_heldKeys.takeDue(m_keyClock.elapsed());
    for (const QChar cap : due)
        PressGameKey(cap);
    scheduleKeyRepeat();
}

void THlavniDialog::scheduleKeyRepeat()
{
    const qint64 next = m_heldKeys.nextRepeat();
    if (next < 0) {
        m_keyRepeat.stop();
        return;
    }
    m_keyRepeat.start(int(std::max<qint64>(next - m_keyClock.elapsed(), 0)));
}

void THlavniDialog::FormClose()
{
    EndProgram();
}

// --- Matches ------------------------------------------------------------------------------------

void THlavniDialog::openSelection(int players)
{
    m_match->ResetFigures(1);
    m_match->ResetFigures(2);
    m_match->PlayerCount = players;
    TBalloonForm *dialog = players == 1 ? static_cast<TBalloonForm *>(Hra1Dialog()) : Hra2Dialog();
    if (dialog != nullptr)
        ShowBesideAssistant(players == 1 ? PlacementCaller::NewGameOnePlayer
                                         : PlacementCaller::NewGameTwoPlayers,
                            dialog);
}

void THlavniDialog::askToEndMatch()
{
    if (TDotazKonecDialog *dialog = DotazKonecDialog())
        ShowBesideAssistant(PlacementCaller::EndGameCommand, dialog);
}

void THlavniDialog::StartMatch(int players, GameKind kind)
{
    showPause(false);
    ui->player1Cover->hide();
    ui->player2Cover->setVisible(players == 1);
    m_match->StartMatch(players, kind);
    // The boss screen stays a suspension, so a match started behind it waits for the game to
    // return.
    if (bossScreenShown())
        SuspendGravity();
    ui->gameKindLabel->setText(KindName(kind));
    setMatchCommands(true);
}

void THlavniDialog::EndMatch()
{
    showPause(false);
    ui->player1Cover->show();
    ui->player2Cover->show();
    setMatchCommands(false);
    m_match->EndMatch();
    ui->gameKindLabel->setText(KindName(GameKind::None));
}

void THlavniDialog::ResultDialogClosed()
{
    const TMatch::WellsOut out = m_match->ResultDialogClosed();
    if (out.well2)
        ui->player2Cover->show();
    if (out.well1)
        ui->player1Cover->show();
    setMatchCommands(ui->player1Cover->isHidden() || ui->player2Cover->isHidden());
}

void THlavniDialog::ShowFigures(int player, const TFigures &figures)
{
    const auto labels = player == 1 ? std::array{ui->player1PiecesLabel, ui->player1LastRowsLabel, ui->player1TotalRowsLabel, ui->player1LevelLabel, ui->player1ScoreLabel}
                                    : std::array{ui->player2PiecesLabel, ui->player2LastRowsLabel, ui->player2TotalRowsLabel, ui->player2LevelLabel, ui->player2ScoreLabel};
    const int values[] = {figures.pieces, figures.lastRows, figures.totalRows, figures.level,
                          figures.score};
    for (std::size_t index = 0; index < labels.size(); ++index)
        labels[index]->setText(QString::number(values[index]));
}

void THlavniDialog::PlaySound(const QString &name)
{
    PlaySoundAndGoOn(name);
}

void THlavniDialog::ShowResult(const TMatchResult &result)
{
    TVysledekDialog *dialog = VysledekDialog();
    if (dialog == nullptr)
        return;
    dialog->Fill(result.player, KindName(result.kind), QString::number(result.pieces),
                 QString::number(result.rows), QString::number(result.score));
    ShowBesideAssistant(PlacementCaller::MatchEnd, dialog);
}
