#pragma once

#include "HeldKeys.h"
#include "Match.h"
#include "MainWindowLink.h"

#include "Form.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>

class QFileSystemModel;
class QKeyEvent;
class QMenu;
class TBoardWell;
class TSysInfo;
class Timer;

namespace Ui {
class HlavniDialog;
}

// The main window: both wells, the statistics of both players, the game kind in the status bar,
// the two gravity timers, the menus and toolbar, and the boss screen. The rules of the match
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

    // A new match of `players` (1 or 2) of game kind `kind`, as chosen in a selection dialog.
    void StartMatch(int players, GameKind kind);
    // Ends the running match by command: both wells emptied and covered, nothing recorded.
    void EndMatch();

    // One character typed into the window, as the keyboard of both players uses it.
    void PressGameKey(QChar key);

    // Enables or disables the manual commands by whether the manual is installed.
    void UpdateManualCommands();

    // What the lower windows reach (TMainWindowLink).
    QWidget *LinkedWindow() override { return this; }
    bool PauseOn() const override;
    // Gravity suspension of the rules (nested; every caller but the pause key skips both while
    // the pause is on).
    void SuspendGravity() override { m_match->SuspendGravity(); }
    void ResumeGravity() override { m_match->ResumeGravity(); }
    QString GameKindText() const override;
    // What follows a result dialog: the finished player's well is covered and its figures read
    // "0", the other player plays on, and once both wells are covered the match is over.
    void ResultDialogClosed() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void FormShow() override;
    // The main window is the program: closing it ends the program, whatever else is open.
    void FormClose() override;

private:
    // The form: controls, layout, fonts and colours, the boards' settings, the boss screen and
    // the commands (HlavniForm.cpp).
    void layOutForm();
    void setUpBoards();
    void setUpBossScreen();
    void fillFolderTree();
    void connectCommands();
    void FormCreate();

    // The first status-bar panel shows the application's current hint.
    void showHintInStatusBar();
    // Switches the new-game and end-game command groups together: during a match the end-game
    // commands are usable and the new-game ones not; idle, the reverse.
    void setMatchCommands(bool matchRunning);

    // Open the one- and the two-player selection dialog: the ten statistics labels read "0", the
    // player count is set and the dialog opens above the assistant.
    void openOnePlayerSelection() { openSelection(1); }
    void openTwoPlayerSelection() { openSelection(2); }
    void openSelection(int players);
    // Asks whether to end the running match.
    void askToEndMatch();

    // Shows or hides the boss screen.
    void toggleBossScreen();
    bool bossScreenShown() const;
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

    // What the rules show and sound.
    void ShowFigures(int player, const TFigures &figures) override;
    void PlaySound(const QString &name) override;
    void ShowResult(const TMatchResult &result) override;

    std::unique_ptr<Ui::HlavniDialog> ui;
    // Carry out the gravity of player 1 and 2 (the match's TGravity says what they do).
    Timer *m_gravityTimer1 = nullptr;
    Timer *m_gravityTimer2 = nullptr;
    QMenu *m_contextMenu = nullptr;
    TSysInfo *m_systemInfo = nullptr; // facts about the computer, not shown
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
