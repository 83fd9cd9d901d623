#include "Hlavni.h"
#include "ui_Hlavni.h"

#include "AppPath.h"
#include "Clock.h"
#include "Data.h"
#include "GradText.h"
#include "HintRouter.h"
#include "Manual.h"
#include "NStatusBar.h"
#include "T_TETRIS.h"
#include "TApplication.h"
#include "Timer.h"
#include "WindowPlacement.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTreeView>
#include <QWindow>

namespace {

THlavniDialog *g_hlavniDialog = nullptr;

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

} // namespace

THlavniDialog *HlavniDialog()
{
    return g_hlavniDialog;
}

THlavniDialog::THlavniDialog(QWidget *parent) : QMainWindow(parent), ui(new Ui::HlavniDialog)
{
    g_hlavniDialog = this;

    ui->setupUi(this);
    bindControls();

    Timer1 = new Timer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new Timer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer3 = new Timer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer4 = new Timer(this);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    // Timer1 and Timer3 drive the gravity of player 1 and 2; their tick handlers come with the
    // gravity rules (connect Timer1/Timer3 OnTimer to Timer1Timer/Timer3Timer). Timer2 and Timer4
    // have no tick handler: they only keep the intervals while gravity is suspended.

    layOutForm();
    setUpBoards();
    setUpBossScreen();
    connectCommands();
    SetMatchCommands(false);

    FormCreate();
}

THlavniDialog::~THlavniDialog()
{
    if (g_hlavniDialog == this)
        g_hlavniDialog = nullptr;
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

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    DirectoryOutline1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        DirectoryOutline1->hideColumn(column);
    DirectoryOutline1->setFont(small);
    DirectoryOutline1->setStyleSheet(QStringLiteral("QTreeView::item { height: 13px; }"));
    const QModelIndex current = m_folders->index(QDir::currentPath());
    DirectoryOutline1->setCurrentIndex(current);
    DirectoryOutline1->scrollTo(current);
}

void THlavniDialog::connectCommands()
{
    // A menu item, its pop-up twin and its toolbar button share one handler.
    connect(MS8, &QAction::triggered, this, &THlavniDialog::MS8Click);
    connect(fovskpojistka1, &QAction::triggered, this, &THlavniDialog::fovskpojistka1Click);
    connect(ToolbarButton971, &QAction::triggered, this, &THlavniDialog::fovskpojistka1Click);

    // The commands below open windows that are not part of this window; each connects here with
    // its window:
    //   MS1, MP1, TB0 -> MS1Click (one-player selection)   MS0, MP0, TB1 -> MS0Click (two players)
    //   MS3, MP2, TB2 -> MS3Click (end-of-match question)  MN5, TB3 -> MN5Click (results viewer)
    //   Vymazattabulkunejlepch1 (clearing question)       Ovldnpro1hre1, Ovldnpro2hre1 (key pictures)
    //   NpovdaproParblok20001 (help topics)                EM, EM1 (electronic manual)
    //   OProgramu (about window)
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
    // The start-up decision about the assistant and the welcome window follows here once those
    // windows exist.
}

void THlavniDialog::CheckManual()
{
    const bool available = ManualAvailable(TAppPath().AppFolder());
    EM1->setEnabled(available);
    EM->setEnabled(available);
    // The welcome window's manual link follows the same state once that window exists.
}

void THlavniDialog::ShowHintInStatusBar()
{
    StavovyRadek->setPanelText(HintPanel, QStringLiteral("      ") + THintRouter::instance()->Hint());
}

void THlavniDialog::SuspendGravity()
{
    Timer2->setInterval(Timer1->Interval());
    Timer1->setInterval(0);
    Timer4->setInterval(Timer3->Interval());
    Timer3->setInterval(0);
}

void THlavniDialog::ResumeGravity()
{
    Timer1->setInterval(Timer2->Interval());
    Timer3->setInterval(Timer4->Interval());
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
        case 'K': TETRIS1->StepDown(); break;
        case ' ': Score1 += TETRIS1->Drop(); break;
        default: break;
        }
    } else if (PlayerCount == 2) {
        switch (upper) {
        case 'H': Score2 += TETRIS2->Drop(); break;
        case 'I': TETRIS2->Rotate(); break;
        case 'J': TETRIS2->MoveLeft(); break;
        case 'K': TETRIS2->StepDown(); break;
        case 'L': TETRIS2->MoveRight(); break;
        default: break;
        }
        switch (upper) {
        case 'A': TETRIS1->MoveLeft(); break;
        case 'D': TETRIS1->MoveRight(); break;
        case 'F': Score1 += TETRIS1->Drop(); break;
        case 'S': TETRIS1->StepDown(); break;
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
    if (event->type() == QEvent::KeyPress && watched == windowHandle() && isEnabled()) {
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
