// The form of the main window: its controls bound by name, its layout, fonts and colours, the
// boards' settings and the boss screen.

#include "Hlavni.h"
#include "ui_Hlavni.h"

#include "GradText.h"
#include "NStatusBar.h"
#include "PixelFont.h"
#include "WellWidget.h"
#include "WindowPlacement.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFileSystemModel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeView>

namespace {

// Client area below the menu bar.
constexpr int ClientWidth = 669;
constexpr int ClientHeight = 421;
constexpr int ToolbarHeight = 26;
constexpr int StatusBarHeight = 20;
// The first status-bar panel carries the hint.
constexpr int HintPanelWidth = 450;

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

void THlavniDialog::layOutForm()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/match/hra.svg")));
    // The window itself holds the keyboard focus (no control of it takes any). The menu bar, which
    // takes the focus while its menus are worked with the keyboard, gives it back here when they
    // are left by Esc or by a click into the window; without a holder it would keep it, and plain
    // letters would open menus by their underlined letters instead of reaching the game.
    setFocusPolicy(Qt::StrongFocus);

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
    auto *gap = new QWidget(ui->toolBar);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ui->toolBar->addWidget(gap);
    ui->toolBar->addAction(ui->manualToolAction);
    ui->toolBar->setFixedHeight(ToolbarHeight);
    ui->toolBar->setToolTipDuration(-1);

    ui->statusLine->setFixedHeight(StatusBarHeight);
    ui->statusLine->setSizeGrip(false);
    ui->statusLine->AddPanel(HintPanelWidth);
    ui->statusLine->AddPanel(ClientWidth - HintPanelWidth);
    ui->gameKindLabel->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, true));

    // The pop-up menu of the window.
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    m_contextMenu->setFont(formFont);
    m_contextMenu->addAction(ui->newOnePlayerGamePopupAction);
    m_contextMenu->addAction(ui->newTwoPlayerGamePopupAction);
    m_contextMenu->addAction(ui->endGamePopupAction);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_contextMenu->popup(mapToGlobal(at)); });

    // The statistics panels.
    for (TGradText *heading : {ui->player1Heading, ui->player2Heading}) {
        heading->setFont(pixelFont(QStringLiteral("Times New Roman"), 24, true, true));
        heading->setGradientStyle(TGradText::gsHorizontal);
        heading->setBeginColor(RgbColor(0, 0, 160));
        heading->setEndColor(RgbColor(176, 0, 0));
        heading->setJustification(TGradText::jLeft);
    }
    ui->player1Heading->setLines({QStringLiteral("Hráč č. 1")});
    ui->player2Heading->setLines({QStringLiteral("Hráč č. 2")});
    for (QLabel *value : {ui->player1PiecesLabel, ui->player1LastRowsLabel, ui->player1TotalRowsLabel, ui->player1LevelLabel, ui->player1ScoreLabel, ui->player2PiecesLabel, ui->player2LastRowsLabel, ui->player2TotalRowsLabel, ui->player2LevelLabel, ui->player2ScoreLabel})
        value->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, true));

    // Wells: black covers, and "Pauza" centred over each well.
    for (QFrame *cover : {ui->player1Cover, ui->player2Cover})
        setBackground(cover, Qt::black);
    for (TGradText *pause : {ui->player1PauseText, ui->player2PauseText}) {
        pause->setFont(pixelFont(QStringLiteral("Times New Roman"), 24, true, true));
        pause->setLines({QStringLiteral("Pauza")});
        const QSize size = pause->MeasureText();
        const QRect well = ui->player1Well->geometry();
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
    for (TWellWidget *board : {ui->player1Well, ui->player2Well}) {
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
    setBackground(ui->bossScreen, palette().color(QPalette::Window));

    const QFont small = pixelFont(QStringLiteral("MS Sans Serif"), 10);
    ui->bossCalendar->setFont(small);
    ui->bossCalendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));

    ui->bossFolderTree->setFont(small);
}

void THlavniDialog::fillFolderTree()
{
    // Reading the folders costs time at start-up; the tree is filled when the boss screen is
    // first shown.
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    ui->bossFolderTree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        ui->bossFolderTree->hideColumn(column);
    ui->bossFolderTree->setStyleSheet(QStringLiteral("QTreeView::item { height: 13px; }"));
    // The folders are read in the background: the current folder is selected at once and
    // brought into view again as each folder on its path arrives.
    const QString currentPath = QDir::currentPath();
    const auto showCurrent = [this, currentPath] {
        const QModelIndex current = m_folders->index(currentPath);
        ui->bossFolderTree->setCurrentIndex(current);
        ui->bossFolderTree->scrollTo(current);
    };
    // The rows of a loaded folder are sorted into the model a moment later.
    auto *settle = new QTimer(ui->bossFolderTree);
    settle->setSingleShot(true);
    settle->setInterval(50);
    connect(settle, &QTimer::timeout, ui->bossFolderTree, showCurrent);
    connect(m_folders, &QFileSystemModel::directoryLoaded, settle,
            [settle, currentPath](const QString &loaded) {
                if (currentPath.startsWith(loaded))
                    settle->start();
            });
    showCurrent();
}
