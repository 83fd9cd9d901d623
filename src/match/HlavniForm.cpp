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
    newOnePlayerGameToolAction = ui->newOnePlayerGameToolAction;
    newTwoPlayerGameToolAction = ui->newTwoPlayerGameToolAction;
    endGameToolAction = ui->endGameToolAction;
    resultsTableToolAction = ui->resultsTableToolAction;
    ToolbarButton971 = ui->ToolbarButton971;
    EM1 = ui->EM1;
}

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
    for (TWellWidget *board : {TETRIS1, TETRIS2}) {
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
