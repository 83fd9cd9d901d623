#pragma once

#include "MainWindowLink.h"

#include <QMainWindow>
#include <memory>

#include <QString>

class QAction;
class QCalendarWidget;
class QFileSystemModel;
class QFrame;
class QLabel;
class QMenu;
class QTreeView;
class TGradText;
class TNStatusBar;
class TSysInfo;
class TTETRIS;
class Timer;

namespace Ui {
class HlavniDialog;
}

// The game kinds as the status bar names them; every handler compares these texts.
inline const QString KindNone = QStringLiteral("nevybráno");
inline const QString KindTraining = QStringLiteral("Trénink");
inline const QString KindStandard = QStringLiteral("Standardní");
inline const QString KindAdvanced = QStringLiteral("Pokročilá");

// The main window: both wells, the statistics of both players, the game kind in the status bar,
// the four gravity timers, the menus and toolbar, and the boss screen. It holds the whole match
// state; the dialogs of the game read and change it directly through the members below.
class THlavniDialog : public QMainWindow, public TMainWindowLink
{
    Q_OBJECT
public:
    explicit THlavniDialog(QWidget *parent = nullptr);
    ~THlavniDialog() override;

    // --- Match counters -----------------------------------------------------------------------
    int Score1 = 0;
    int Score2 = 0;
    int Level1 = 0;
    int Level2 = 0;
    int Rows1 = 0;
    int Rows2 = 0;
    // 0 until a selection dialog is first opened, then 1 or 2 for good.
    int PlayerCount = 0;

    // --- Controls of the form -----------------------------------------------------------------
    TTETRIS *TETRIS1 = nullptr;
    TTETRIS *TETRIS2 = nullptr;
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

    // Gravity of player 1 and 2; Timer2 and Timer4 only keep their intervals while suspended.
    Timer *Timer1 = nullptr;
    Timer *Timer2 = nullptr;
    Timer *Timer3 = nullptr;
    Timer *Timer4 = nullptr;

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
    QAction *TB0 = nullptr;
    QAction *TB1 = nullptr;
    QAction *TB2 = nullptr;
    QAction *TB3 = nullptr;
    QAction *ToolbarButton971 = nullptr;
    QAction *EM1 = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // --- What the lower windows reach (TMainWindowLink) ---------------------------------------
    QWidget *LinkedWindow() override { return this; }
    QString GameKindText() const override;

    // --- Match state --------------------------------------------------------------------------
    // Keeps the gravity intervals in Timer2/Timer4 and sets them to 0, or gives them back. There
    // is one pair of slots: every caller but the pause key skips both while the pause is on.
    // Suspensions nest: gravity comes back when the last one ends.
    void SuspendGravity() override;
    void ResumeGravity() override;
    // A new match sets the gravity intervals afresh: suspensions still open (a pause cleared by
    // the start) are forgotten.
    void ForgetGravitySuspensions();
    int GravitySuspensions() const { return m_gravitySuspensions; }

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
    // A choice in a selection dialog: a new match of `players` (1 or 2) of game kind `kind`, from
    // level 0 at 1000 ms.
    void StartMatch(int players, const QString &kind);
    // Ends the running match by command: both wells emptied and covered, nothing recorded.
    void EndMatch();
    // What follows a result dialog: the finished player's well is covered and its figures read
    // "0", the other player plays on, and once both wells are covered the match is over.
    void ResultDialogClosed() override;
    // A level change of the advanced kind: both timers get `interval` and both wells the start
    // layout of `level` (levels from 6 on are played in empty wells).
    void SetAdvancedLevel(int interval, int level);

public slots:
    // The first status-bar panel shows the application's current hint.
    void ShowHintInStatusBar();

    // Shows or hides the boss screen.
    void fovskpojistka1Click();

    // Gravity ticks of player 1 and player 2.
    void Timer1Timer();
    void Timer3Timer();

    // Open the one- and the two-player selection dialog; ask whether to end the match.
    void MS1Click();
    void MS0Click();
    void MS3Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void MS8Click();
    void FormShow();

private:
    void FormCreate();
    void bindControls();
    void layOutForm();
    void setUpBoards();
    void setUpBossScreen();
    void fillFolderTree();
    void connectCommands();
    void togglePause();

    // One player's side of the match: board, timers, counters and statistics labels.
    struct Player;
    Player player(int number);
    // The step of player `number`'s board by gravity or by the one-row-down key, and everything
    // a landing brings: points, rows, the level, or the end of that player's game.
    void StepPlayer(int number);
    void BookLanding(const Player &p);
    void CheckLevel(const Player &p, bool advanced);
    void EndPlayersGame(const Player &p);
    // The one-row-down key: gravity's step while gravity runs; while it is suspended (pause, boss
    // screen) the piece only moves down where it has room, and lands when gravity comes back.
    void StepDownKey(int number);
    void ResetLabels(int number);
    // The ten statistics labels read "0", the player count is set and the selection dialog of
    // `players` opens above the assistant.
    void OpenSelection(int players);

    std::unique_ptr<Ui::HlavniDialog> ui;
    QFileSystemModel *m_folders = nullptr;
    bool m_keysWatched = false;
    int m_gravitySuspensions = 0;
};

// The one main window; set as soon as its construction starts, null before and after.
THlavniDialog *HlavniDialog();
