#pragma once

#include "HeldKeys.h"
#include "Match.h"
#include "MainWindowLink.h"

#include "Form.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>

class QAction;
class QCalendarWidget;
class QFileSystemModel;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QTreeView;
class TBoardWell;
class TGradText;
class TNStatusBar;
class TSysInfo;
class TWellWidget;
class Timer;

namespace Ui {
class HlavniDialog;
}

// The main window: both wells, the statistics of both players, the game kind in the status bar,
// the four gravity timers, the menus and toolbar, and the boss screen. The rules of the match
// (TMatch) drive the wells and timers; the window forwards its ticks, keys and commands to them
// and shows what they report.
class THlavniDialog : public TForm<QMainWindow>, public TMainWindowLink, private TMatchDisplay
{
    Q_OBJECT
public:
    explicit THlavniDialog(QWidget *parent = nullptr);
    ~THlavniDialog() override;

    // The rules of the running match, with its counters (Score1, Level1, Rows1, PlayerCount...).
    TMatch &Match() { return *m_match; }

    // --- Controls of the form -----------------------------------------------------------------
    TWellWidget *TETRIS1 = nullptr;
    TWellWidget *TETRIS2 = nullptr;
    TGradText *P1 = nullptr; // "Pauza" over well 1; its visibility is the pause
    TGradText *P2 = nullptr;
    QFrame *Kryti1 = nullptr; // a visible cover means the well is out of play
    QFrame *Kryti2 = nullptr;
    TGradText *GradText1 = nullptr;
    TGradText *GradText2 = nullptr;
    QLabel *LCP = nullptr;
    QLabel *LDL = nullptr;
    QLabel *LDLT = nullptr;
    QLabel *LCL = nullptr;
    QLabel *LSCO = nullptr;
    QLabel *LCP2 = nullptr;
    QLabel *LDL2 = nullptr;
    QLabel *LDLT2 = nullptr;
    QLabel *LCL2 = nullptr;
    QLabel *LSCO2 = nullptr;
    TNStatusBar *StavovyRadek = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Tahy = nullptr; // its text is the game kind
    QFrame *Sef = nullptr;  // the boss screen
    QCalendarWidget *MonthCalendar1 = nullptr;
    QTreeView *DirectoryOutline1 = nullptr;
    TSysInfo *SysInfo1 = nullptr; // facts about the computer, not shown

    // Carry out the gravity of player 1 and 2 (the match's TGravity says what they do).
    Timer *gravityTimer1 = nullptr;
    Timer *gravityTimer2 = nullptr;

    // Commands: main menu, pop-up menu and toolbar.
    QAction *MS1 = nullptr;
    QAction *MS0 = nullptr;
    QAction *MS3 = nullptr;
    QAction *MS8 = nullptr;
    QAction *MN5 = nullptr;
    QAction *Vymazattabulkunejlepch1 = nullptr;
    QAction *Ovldnpro1hre1 = nullptr;
    QAction *Ovldnpro2hre1 = nullptr;
    QAction *fovskpojistka1 = nullptr;
    QAction *NpovdaproParblok20001 = nullptr;
    QAction *EM = nullptr;
    QAction *OProgramu = nullptr;
    QAction *MP1 = nullptr;
    QAction *MP0 = nullptr;
    QAction *MP2 = nullptr;
    QAction *newOnePlayerGameToolAction = nullptr;
    QAction *newTwoPlayerGameToolAction = nullptr;
    QAction *endGameToolAction = nullptr;
    QAction *resultsTableToolAction = nullptr;
    QAction *ToolbarButton971 = nullptr;
    QAction *EM1 = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // --- What the lower windows reach (TMainWindowLink) ---------------------------------------
    QWidget *LinkedWindow() override { return this; }
    QString GameKindText() const override;

    // --- Match state --------------------------------------------------------------------------
    // Gravity suspension of the rules (nested; every caller but the pause key skips both while
    // the pause is on).
    void SuspendGravity() override { m_match->SuspendGravity(); }
    void ResumeGravity() override { m_match->ResumeGravity(); }
    int GravitySuspensions() const { return m_match->GravitySuspensions(); }


    bool PauseOn() const override;
    bool BossScreenShown() const;

    // Switches the new-game and end-game command groups together: during a match the end-game
    // commands are usable and the new-game ones not; idle, the reverse.
    void SetMatchCommands(bool matchRunning);

    // Enables or disables the manual commands by whether the manual is installed.
    void CheckManual();

    // One typed character, as the keyboard of both players uses it.
    void FormKeyPress(QChar key);

    // --- Matches ------------------------------------------------------------------------------
    // A choice in a selection dialog: a new match of `players` (1 or 2) of game kind `kind`.
    void StartMatch(int players, GameKind kind);
    // Ends the running match by command: both wells emptied and covered, nothing recorded.
    void EndMatch();
    // What follows a result dialog: the finished player's well is covered and its figures read
    // "0", the other player plays on, and once both wells are covered the match is over.
    void ResultDialogClosed() override;

public slots:
    // The first status-bar panel shows the application's current hint.
    void ShowHintInStatusBar();

    // Shows or hides the boss screen.
    void fovskpojistka1Click();

    // Gravity ticks of player 1 and player 2.
    void player1GravityTick();
    void player2GravityTick();

    // Open the one- and the two-player selection dialog; ask whether to end the match.
    void MS1Click();
    void MS0Click();
    void MS3Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void FormShow() override;
    // The main window is the program: closing it ends the program, whatever else is open.
    void FormClose() override;

private slots:
    void MS8Click();

private:
    void FormCreate();
    void bindControls();
    void layOutForm();
    void setUpBoards();
    void setUpBossScreen();
    void fillFolderTree();
    void connectCommands();
    void togglePause();
    // "Pauza" over both wells: the pause is on while it shows.
    void showPause(bool shown);

    // Whether typed keys go to the menus (a menu open, or the menu bar in keyboard mode).
    bool keysGoToMenus() const;
    // A key pressed or released in the window: the held keys are kept (a two-player match repeats
    // each of them on its own); a press acts unless the game repeats that key itself.
    void keyPressed(const QKeyEvent &key);
    void keyReleased(const QKeyEvent &key);
    // The repeats of held keys that are due, and the timer set for the next one.
    void repeatHeldKeys();
    void scheduleKeyRepeat();

    // The ten statistics labels read "0", the player count is set and the selection dialog of
    // `players` opens above the assistant.
    void OpenSelection(int players);

    // What the rules show and sound.
    void ShowFigures(int player, const TFigures &figures) override;
    void PlaySound(const QString &name) override;
    void ShowResult(const TMatchResult &result) override;

    std::unique_ptr<Ui::HlavniDialog> ui;
    QFileSystemModel *m_folders = nullptr;
    bool m_keysWatched = false;
    HeldKeys m_heldKeys;
    QTimer m_keyRepeat;
    QElapsedTimer m_keyClock;
    std::unique_ptr<TBoardWell> m_well1;
    std::unique_ptr<TBoardWell> m_well2;
    std::unique_ptr<TMatch> m_match;
};

// The one main window; set as soon as its construction starts, null before and after.
THlavniDialog *HlavniDialog();
