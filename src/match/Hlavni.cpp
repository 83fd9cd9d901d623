#include "Hlavni.h"
#include "ui_Hlavni.h"

#include "AppPath.h"
#include "Clock.h"
#include "DotazKonec.h"
#include "Data.h"
#include "GradText.h"
#include "HintRouter.h"
#include "Hra1.h"
#include "Hra2.h"
#include "Manual.h"
#include "NStatusBar.h"
#include "Napoveda.h"
#include "OProgramu.h"
#include "Ovladani.h"
#include "Ovladani1.h"
#include "Placement.h"
#include "Sounds.h"
#include "T_TETRIS.h"
#include "TApplication.h"
#include "Tabulka.h"
#include "Timer.h"
#include "Uvitani.h"
#include "Vymazat.h"
#include "Vysledek.h"
#include "WindowPlacement.h"
#include "sysinfo.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <array>

namespace {

// Client area below the menu bar.
constexpr int ClientWidth = 669;
constexpr int ClientHeight = 421;
constexpr int ToolbarHeight = 26;
constexpr int StatusBarHeight = 20;
// The first status-bar panel carries the hint.
constexpr int HintPanelWidth = 450;
constexpr int HintPanel = 0;

QFont pixelFont(const QString &family, int pixels, bool bold = false, bool italic = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The level table of the standard and the advanced kind: level N (1..9) is entered when the
// player's own rows reach the threshold while the player's own level is N - 1.
struct LevelStep
{
    int rows;
    int standardInterval;
    int advancedInterval;
};
constexpr std::array<LevelStep, 9> LevelTable{{
    {8, 900, 800},
    {20, 800, 650},
    {33, 700, 500},
    {44, 600, 350},
    {55, 500, 200},
    {66, 400, 150},
    {80, 300, 150},
    {100, 200, 150},
    {120, 100, 150},
}};
constexpr int StartInterval = 1000;
// Layouts of the advanced kind go up to this level; later levels are played in empty wells.
constexpr int LastLayoutLevel = 5;

enum class GameKind { None, Training, Standard, Advanced };

GameKind kindOf(const QString &text)
{
    if (text == KindTraining)
        return GameKind::Training;
    if (text == KindStandard)
        return GameKind::Standard;
    if (text == KindAdvanced)
        return GameKind::Advanced;
    return GameKind::None;
}

} // namespace

struct THlavniDialog::Player
{
    int number;
    TTETRIS *board;
    Timer *timer;        // own gravity
    Timer *otherTimer;   // the other player's gravity
    Timer *otherStore;   // keeps the other player's interval during this player's result
    int &score;
    int &level;
    int &rows;
    int &otherLevel;
    QLabel *pieces;      // LCP / LCP2
    QLabel *lastRows;    // LDL / LDL2
    QLabel *totalRows;   // LDLT / LDLT2
    QLabel *scoreLabel;  // LSCO / LSCO2
};

THlavniDialog *HlavniDialog()
{
    return dynamic_cast<THlavniDialog *>(MainWindowLink());
}

THlavniDialog::THlavniDialog(QWidget *parent) : QMainWindow(parent), ui(new Ui::HlavniDialog)
{
    ui->setupUi(this);
    bindControls();
    SysInfo1 = new TSysInfo(this);
    SysInfo1->setObjectName(QStringLiteral("SysInfo1"));

    Timer1 = new Timer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new Timer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer3 = new Timer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer4 = new Timer(this);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    // Timer1 and Timer3 drive the gravity of player 1 and 2. Timer2 and Timer4 have no tick
    // handler: they only keep the intervals while gravity is suspended.
    connect(Timer1, &Timer::OnTimer, this, &THlavniDialog::Timer1Timer);
    connect(Timer3, &Timer::OnTimer, this, &THlavniDialog::Timer3Timer);

    layOutForm();
    setUpBoards();
    setUpBossScreen();
    connectCommands();
    SetMatchCommands(false);

    FormCreate();
}

THlavniDialog::~THlavniDialog() = default;

QString THlavniDialog::GameKindText() const
{
    return Tahy->text();
}

void THlavniDialog::bindControls()
{
    TETRIS1 = ui->TETRIS1;
    TETRIS2 = ui->TETRIS2;
    P1 = ui->P1;
    P2 = ui->P2;
    Kryti1 = ui->Kryti1;
    Kryti2 = ui->Kryti2;
    GradText1 = ui->GradText1;
    GradText2 = ui->GradText2;
    LCP = ui->LCP;
    LDL = ui->LDL;
    LDLT = ui->LDLT;
    LCL = ui->LCL;
    LSCO = ui->LSCO;
    LCP2 = ui->LCP2;
    LDL2 = ui->LDL2;
    LDLT2 = ui->LDLT2;
    LCL2 = ui->LCL2;
    LSCO2 = ui->LSCO2;
    StavovyRadek = ui->StavovyRadek;
    Label1 = ui->Label1;
    Tahy = ui->Tahy;
    Sef = ui->Sef;
    MonthCalendar1 = ui->MonthCalendar1;
    DirectoryOutline1 = ui->DirectoryOutline1;

    MS1 = ui->MS1;
    MS0 = ui->MS0;
    MS3 = ui->MS3;
    MS8 = ui->MS8;
    MN5 = ui->MN5;
    Vymazattabulkunejlepch1 = ui->Vymazattabulkunejlepch1;
    Ovldnpro1hre1 = ui->Ovldnpro1hre1;
    Ovldnpro2hre1 = ui->Ovldnpro2hre1;
    fovskpojistka1 = ui->fovskpojistka1;
    NpovdaproParblok20001 = ui->NpovdaproParblok20001;
    EM = ui->EM;
    OProgramu = ui->OProgramu;
    MP1 = ui->MP1;
    MP0 = ui->MP0;
    MP2 = ui->MP2;
    TB0 = ui->TB0;
    TB1 = ui->TB1;
    TB2 = ui->TB2;
    TB3 = ui->TB3;
    ToolbarButton971 = ui->ToolbarButton971;
    EM1 = ui->EM1;
}

void THlavniDialog::layOutForm()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/match/hra.svg")));

    const QFont formFont = pixelFont(QStringLiteral("MS Sans Serif"), 11);
    setFont(formFont);
    for (QMenu *menu : findChildren<QMenu *>())
        menu->setFont(formFont);
    setBackground(this, QColor(0xC0, 0xC0, 0xC0));
    // While a dialog holds the window disabled the game stays readable: texts keep their colours.
    QPalette texts = palette();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        texts.setColor(QPalette::Disabled, role, texts.color(QPalette::Active, role));
    setPalette(texts);

    // The toolbar: the manual button stands at the right end.
    auto *gap = new QWidget(ui->Toolbar971);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ui->Toolbar971->addWidget(gap);
    ui->Toolbar971->addAction(EM1);
    ui->Toolbar971->setFixedHeight(ToolbarHeight);
    ui->Toolbar971->setToolTipDuration(-1);

    StavovyRadek->setFixedHeight(StatusBarHeight);
    StavovyRadek->setSizeGrip(false);
    StavovyRadek->AddPanel(HintPanelWidth);
    StavovyRadek->AddPanel(ClientWidth - HintPanelWidth);
    Tahy->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, true));

    // The pop-up menu of the window.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setFont(formFont);
    PopupMenu1->addAction(MP1);
    PopupMenu1->addAction(MP0);
    PopupMenu1->addAction(MP2);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(mapToGlobal(at)); });

    // The statistics panels.
    for (TGradText *heading : {GradText1, GradText2}) {
        heading->setFont(pixelFont(QStringLiteral("Times New Roman"), 24, true, true));
        heading->setGradientStyle(TGradText::gsHorizontal);
        heading->setBeginColor(RgbColor(0, 0, 160));
        heading->setEndColor(RgbColor(176, 0, 0));
        heading->setJustification(TGradText::jLeft);
    }
    GradText1->setLines({QStringLiteral("Hráč č. 1")});
    GradText2->setLines({QStringLiteral("Hráč č. 2")});
    for (QLabel *value : {LCP, LDL, LDLT, LCL, LSCO, LCP2, LDL2, LDLT2, LCL2, LSCO2})
        value->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, true));

    // Wells: black covers, and "Pauza" centred over each well.
    for (QFrame *cover : {Kryti1, Kryti2})
        setBackground(cover, Qt::black);
    for (TGradText *pause : {P1, P2}) {
        pause->setFont(pixelFont(QStringLiteral("Times New Roman"), 24, true, true));
        pause->setLines({QStringLiteral("Pauza")});
        const QSize size = pause->MeasureText();
        const QRect well = ui->TETRIS1->geometry();
        pause->setGeometry(well.x() + (well.width() - size.width()) / 2,
                           well.y() + (well.height() - size.height()) / 2, size.width(),
                           size.height());
    }

    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(ClientWidth, menuHeight + ClientHeight);
    centreFrameOnScreen(this);
}

void THlavniDialog::setUpBoards()
{
    for (TTETRIS *board : {TETRIS1, TETRIS2}) {
        board->setNumberOfPieces(0);
        board->setNextPiece(1);
        board->setLastDeletedLine(0);
        board->setBackGroundColor(clBlack);
        board->setScreenNumber(0);
        board->setSquareDimension(15);
        board->setShowBorderColor(false);
        board->setShowFillColor(true);
        board->setShowNextpiece(false);
        board->setNumberOfType(8);
        board->setPreviewSize(10);
        board->setBlocktype(btButton);
    }
}

void THlavniDialog::setUpBossScreen()
{
    setBackground(Sef, palette().color(QPalette::Window));

    const QFont small = pixelFont(QStringLiteral("MS Sans Serif"), 10);
    MonthCalendar1->setFont(small);
    MonthCalendar1->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));

    DirectoryOutline1->setFont(small);
}

void THlavniDialog::fillFolderTree()
{
    // Reading the folders costs time at start-up; the tree is filled when the boss screen is
    // first shown.
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    DirectoryOutline1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        DirectoryOutline1->hideColumn(column);
    DirectoryOutline1->setStyleSheet(QStringLiteral("QTreeView::item { height: 13px; }"));
    // The folders are read in the background: the current folder is selected at once and
    // brought into view again as each folder on its path arrives.
    const QString currentPath = QDir::currentPath();
    const auto showCurrent = [this, currentPath] {
        const QModelIndex current = m_folders->index(currentPath);
        DirectoryOutline1->setCurrentIndex(current);
        DirectoryOutline1->scrollTo(current);
    };
    // The rows of a loaded folder are sorted into the model a moment later.
    auto *settle = new QTimer(DirectoryOutline1);
    settle->setSingleShot(true);
    settle->setInterval(50);
    connect(settle, &QTimer::timeout, DirectoryOutline1, showCurrent);
    connect(m_folders, &QFileSystemModel::directoryLoaded, settle,
            [settle, currentPath](const QString &loaded) {
                if (currentPath.startsWith(loaded))
                    settle->start();
            });
    showCurrent();
}

void THlavniDialog::connectCommands()
{
    // A menu item, its pop-up twin and its toolbar button share one handler.
    connect(MS8, &QAction::triggered, this, &THlavniDialog::MS8Click);
    connect(fovskpojistka1, &QAction::triggered, this, &THlavniDialog::fovskpojistka1Click);
    connect(ToolbarButton971, &QAction::triggered, this, &THlavniDialog::fovskpojistka1Click);
    for (QAction *command : {MS1, MP1, TB0})
        connect(command, &QAction::triggered, this, &THlavniDialog::MS1Click);
    for (QAction *command : {MS0, MP0, TB1})
        connect(command, &QAction::triggered, this, &THlavniDialog::MS0Click);
    for (QAction *command : {MS3, MP2, TB2})
        connect(command, &QAction::triggered, this, &THlavniDialog::MS3Click);
    for (QAction *command : {MN5, TB3})
        connect(command, &QAction::triggered, this, &ShowTabulkaDialog);
    connect(Vymazattabulkunejlepch1, &QAction::triggered, this, &ShowVymazatDialog);
    for (QAction *manual : {EM, EM1})
        connect(manual, &QAction::triggered, this, [] { LaunchManual(TAppPath().AppFolder()); });
    connect(Ovldnpro1hre1, &QAction::triggered, this, [] { ShowInfoWindow(OvladaniDialog()); });
    connect(Ovldnpro2hre1, &QAction::triggered, this, [] { ShowInfoWindow(Ovladani1Dialog()); });
    connect(OProgramu, &QAction::triggered, this, [] { ShowInfoWindow(OProgramuDialog()); });
    connect(NpovdaproParblok20001, &QAction::triggered, this,
            [] { OpenHelpTopics(PlacementCaller::HelpCommand); });

}

void THlavniDialog::FormCreate()
{
    PlayerCount = 0;
    TETRIS1->resize(190, 358);
    TETRIS2->resize(190, 358);
    MonthCalendar1->setSelectedDate(todayLocal());

    connect(THintRouter::instance(), &THintRouter::OnHint, this,
            &THlavniDialog::ShowHintInStatusBar);
    ShowHintInStatusBar();

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
    CheckManual();
    StartUpAssistant();
}

void THlavniDialog::CheckManual()
{
    const bool available = ManualAvailable(TAppPath().AppFolder());
    EM1->setEnabled(available);
    EM->setEnabled(available);
    if (TUvitaniDialog *welcome = UvitaniDialog())
        welcome->OfficeLabel3->setEnabled(available);
}

void THlavniDialog::ShowHintInStatusBar()
{
    StavovyRadek->setPanelText(HintPanel, QStringLiteral("      ") + THintRouter::instance()->Hint());
}

void THlavniDialog::SuspendGravity()
{
    // Only the outermost suspension keeps the intervals: a nested one would store the zeros.
    if (m_gravitySuspensions++ > 0)
        return;
    Timer2->setInterval(Timer1->Interval());
    Timer1->setInterval(0);
    Timer4->setInterval(Timer3->Interval());
    Timer3->setInterval(0);
}

void THlavniDialog::ResumeGravity()
{
    if (m_gravitySuspensions > 0 && --m_gravitySuspensions > 0)
        return;
    Timer1->setInterval(Timer2->Interval());
    Timer3->setInterval(Timer4->Interval());
}

void THlavniDialog::ForgetGravitySuspensions()
{
    m_gravitySuspensions = 0;
}

bool THlavniDialog::PauseOn() const
{
    return !P1->isHidden();
}

bool THlavniDialog::BossScreenShown() const
{
    return !Sef->isHidden();
}

void THlavniDialog::SetMatchCommands(bool matchRunning)
{
    for (QAction *command : {TB0, TB1, MS1, MS0, MP1, MP0})
        command->setEnabled(!matchRunning);
    for (QAction *command : {TB2, MS3, MP2})
        command->setEnabled(matchRunning);
}

void THlavniDialog::togglePause()
{
    // While the boss screen is shown the gravity is already suspended and its intervals are kept
    // for the boss screen; the pause key then only shows or hides "Pauza", so that gravity comes
    // back at its old speed whichever of the two ends first.
    const bool keepIntervals = BossScreenShown();
    if (!PauseOn()) {
        P1->show();
        P2->show();
        if (!keepIntervals)
            SuspendGravity();
    } else {
        P1->hide();
        P2->hide();
        if (!keepIntervals)
            ResumeGravity();
    }
}

void THlavniDialog::FormKeyPress(QChar key)
{
    const char letter = key.toLatin1();
    const char upper = (letter >= 'a' && letter <= 'z') ? char(letter - 'a' + 'A') : letter;

    if (upper == 'P')
        togglePause();

    if (PlayerCount == 1) {
        switch (upper) {
        case 'I': TETRIS1->Rotate(); break;
        case 'J': TETRIS1->MoveLeft(); break;
        case 'L': TETRIS1->MoveRight(); break;
        case 'K': StepDownKey(1); break;
        case ' ': Score1 += TETRIS1->Drop(); break;
        default: break;
        }
    } else if (PlayerCount == 2) {
        switch (upper) {
        case 'H': Score2 += TETRIS2->Drop(); break;
        case 'I': TETRIS2->Rotate(); break;
        case 'J': TETRIS2->MoveLeft(); break;
        case 'K': StepDownKey(2); break;
        case 'L': TETRIS2->MoveRight(); break;
        default: break;
        }
        switch (upper) {
        case 'A': TETRIS1->MoveLeft(); break;
        case 'D': TETRIS1->MoveRight(); break;
        case 'F': Score1 += TETRIS1->Drop(); break;
        case 'S': StepDownKey(1); break;
        case 'W': TETRIS1->Rotate(); break;
        default: break;
        }
    }
}

void THlavniDialog::fovskpojistka1Click()
{
    if (!BossScreenShown()) {
        if (!PauseOn())
            SuspendGravity();
        Sef->show();
        if (m_folders == nullptr)
            fillFolderTree();
        Label1->hide();
        Tahy->hide();
        setWindowTitle(QStringLiteral("Plnění plánu v letošním roce"));
    } else {
        Sef->hide();
        Label1->show();
        Tahy->show();
        setWindowTitle(QStringLiteral("Parblok 2000"));
        if (!PauseOn())
            ResumeGravity();
        setEnabled(true);
    }
}

void THlavniDialog::MS8Click()
{
    close();
}

bool THlavniDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Every character typed into the window reaches the keyboard handler first, whichever of its
    // controls has the focus; the control still gets the key afterwards.
    // While a menu is open or the menu bar is in keyboard mode (Alt), the keys choose menu items.
    const bool menuHasKeys =
        QApplication::activePopupWidget() != nullptr || menuBar()->hasFocus();
    if (event->type() == QEvent::KeyPress && watched == windowHandle() && isEnabled()
        && !menuHasKeys) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!(key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
            const QString text = key->text();
            for (const QChar character : text)
                FormKeyPress(character);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void THlavniDialog::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_keysWatched && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
        m_keysWatched = true;
    }
    if (!event->spontaneous())
        FormShow();
}

void THlavniDialog::closeEvent(QCloseEvent *event)
{
    // The main window is the program: closing it ends the program, whatever else is open.
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

// --- Matches ------------------------------------------------------------------------------------

THlavniDialog::Player THlavniDialog::player(int number)
{
    if (number == 1)
        return {1, TETRIS1, Timer1, Timer3, Timer4, Score1, Level1, Rows1, Level2, LCP, LDL, LDLT, LSCO};
    return {2, TETRIS2, Timer3, Timer1, Timer2, Score2, Level2, Rows2, Level1, LCP2, LDL2, LDLT2, LSCO2};
}

void THlavniDialog::ResetLabels(int number)
{
    const auto labels = number == 1 ? std::array{LCP, LDL, LDLT, LCL, LSCO}
                                    : std::array{LCP2, LDL2, LDLT2, LCL2, LSCO2};
    for (QLabel *label : labels)
        label->setText(QStringLiteral("0"));
}

void THlavniDialog::MS1Click()
{
    OpenSelection(1);
}

void THlavniDialog::MS0Click()
{
    OpenSelection(2);
}

void THlavniDialog::OpenSelection(int players)
{
    ResetLabels(1);
    ResetLabels(2);
    PlayerCount = players;
    QWidget *dialog = players == 1 ? static_cast<QWidget *>(Hra1Dialog()) : Hra2Dialog();
    if (dialog != nullptr)
        ShowBesideAssistant(players == 1 ? PlacementCaller::NewGameOnePlayer
                                         : PlacementCaller::NewGameTwoPlayers,
                            dialog);
}

void THlavniDialog::MS3Click()
{
    if (TDotazKonecDialog *dialog = DotazKonecDialog())
        ShowBesideAssistant(PlacementCaller::EndGameCommand, dialog);
}

void THlavniDialog::StartMatch(int players, const QString &kind)
{
    if (PauseOn()) {
        P1->hide();
        P2->hide();
    }
    Kryti1->hide();
    Kryti2->setVisible(players == 1);
    if (players == 1) {
        TETRIS1->setScreenNumber(0);
        Score1 = Level1 = Rows1 = 0;
        TETRIS1->NewGame();
    } else {
        TETRIS1->setScreenNumber(0);
        TETRIS2->setScreenNumber(0);
        Score1 = Score2 = Level1 = Level2 = Rows1 = Rows2 = 0;
        TETRIS1->NewGame();
        TETRIS2->NewGame();
    }

    // The intervals are set afresh: a suspension still open (the pause just cleared) is over. The
    // boss screen stays a suspension, so a match started behind it waits for the game to return.
    ForgetGravitySuspensions();
    Timer1->setInterval(StartInterval);
    Timer1->setEnabled(true);
    Timer3->setInterval(players == 1 ? 0 : StartInterval);
    Timer3->setEnabled(players == 2);
    if (BossScreenShown())
        SuspendGravity();

    Tahy->setText(kind);
    SetMatchCommands(true);
}

void THlavniDialog::EndMatch()
{
    if (PauseOn()) {
        P1->hide();
        P2->hide();
    }
    Kryti1->show();
    Kryti2->show();
    SetMatchCommands(false);
    TETRIS1->setScreenNumber(0);
    TETRIS2->setScreenNumber(0);
    Timer1->setEnabled(false);
    Timer3->setEnabled(false);
    Tahy->setText(KindNone);
    ResetLabels(1);
    ResetLabels(2);
    Level1 = Level2 = Score1 = Score2 = Rows1 = Rows2 = 0;
}

void THlavniDialog::Timer1Timer()
{
    if (kindOf(Tahy->text()) != GameKind::None)
        StepPlayer(1);
}

void THlavniDialog::Timer3Timer()
{
    if (kindOf(Tahy->text()) != GameKind::None)
        StepPlayer(2);
}

void THlavniDialog::StepPlayer(int number)
{
    const Player p = player(number);
    const GameKind kind = kindOf(Tahy->text());
    const int result = p.board->StepDown();
    if (result == 1 && kind != GameKind::None) {
        BookLanding(p);
        if (kind != GameKind::Training)
            CheckLevel(p, kind == GameKind::Advanced);
    } else if (result == 2 && kind != GameKind::None) {
        EndPlayersGame(p);
    }
    p.scoreLabel->setText(QString::number(p.score));
}

void THlavniDialog::StepDownKey(int number)
{
    const Player p = player(number);
    // A player whose game is over, or no match at all: the key only steps the board.
    if (!p.timer->Enabled() || kindOf(Tahy->text()) == GameKind::None) {
        p.board->StepDown();
        return;
    }
    if (GravitySuspensions() == 0) {
        StepPlayer(number);
        return;
    }
    const TWellModel &well = p.board->Well();
    if (well.CanMove(TWellModel::Down, well.PieceCol(), well.PieceRow()))
        p.board->StepDown();
}

void THlavniDialog::BookLanding(const Player &p)
{
    p.score += p.board->FreeRowCount();
    p.pieces->setText(QString::number(p.board->NumberOfPieces()));
    p.lastRows->setText(QString::number(p.board->LastDeletedLine()));
    p.score += p.board->LastDeletedLine() * 4 * (p.level + 1);
    p.rows += p.board->LastDeletedLine();
    p.totalRows->setText(QString::number(p.rows));
}

void THlavniDialog::CheckLevel(const Player &p, bool advanced)
{
    for (std::size_t index = 0; index < LevelTable.size(); ++index) {
        const int level = int(index) + 1;
        const LevelStep &step = LevelTable[index];
        if (p.rows < step.rows || p.level != level - 1)
            continue;
        if (advanced) {
            SetAdvancedLevel(step.advancedInterval, level);
            Level1 = level;
            if (p.number == 2 || Timer3->Enabled())
                Level2 = level;
        } else {
            p.timer->setInterval(step.standardInterval);
            p.level = level;
            if (p.otherTimer->Enabled()) {
                p.otherLevel = level;
                p.otherTimer->setInterval(step.standardInterval);
            }
            p.timer->setEnabled(false);
            PlaySoundAndGoOn(QStringLiteral("Level.wav"));
        }
        LCL->setText(QString::number(Level1));
        LCL2->setText(QString::number(Level2));
        if (!advanced)
            p.timer->setEnabled(true);
        return;
    }
}

void THlavniDialog::SetAdvancedLevel(int interval, int level)
{
    const bool running1 = Timer1->Enabled();
    const bool running3 = Timer3->Enabled();
    Timer1->setEnabled(false);
    Timer3->setEnabled(false);
    Timer1->setInterval(interval);
    Timer3->setInterval(interval);
    PlaySoundAndGoOn(QStringLiteral("Level.wav"));
    const int layout = level <= LastLayoutLevel ? level : 0;
    TETRIS1->setScreenNumber(layout);
    TETRIS2->setScreenNumber(layout);
    Timer1->setEnabled(running1);
    Timer3->setEnabled(running3);
}

void THlavniDialog::EndPlayersGame(const Player &p)
{
    p.timer->setEnabled(false);
    p.otherStore->setInterval(p.otherTimer->Interval());
    p.otherTimer->setInterval(0);
    PlaySoundAndGoOn(QStringLiteral("Info.wav"));

    TVysledekDialog *dialog = VysledekDialog();
    if (dialog == nullptr)
        return;
    // Points of drops made since the last tick count in the result as well.
    p.scoreLabel->setText(QString::number(p.score));
    dialog->Fill(p.number, Tahy->text(), p.pieces->text(), p.totalRows->text(),
                 p.scoreLabel->text());
    ShowBesideAssistant(PlacementCaller::MatchEnd, dialog);
}

void THlavniDialog::ResultDialogClosed()
{
    if (Timer1->Interval() == 0) {
        ResetLabels(2);
        Timer1->setInterval(Timer2->Interval());
        Kryti2->show();
    }
    if (Timer3->Interval() == 0) {
        ResetLabels(1);
        Timer3->setInterval(Timer4->Interval());
        Kryti1->show();
    }
    SetMatchCommands(Kryti1->isHidden() || Kryti2->isHidden());
}
