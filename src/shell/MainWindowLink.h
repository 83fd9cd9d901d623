#pragma once

#include <QString>

class QWidget;

// What the windows below the main window need of it: the companions suspend its gravity while
// they are open and hand the keyboard back to it, and the result dialog passes on the game kind
// and its closing. The main window implements this; the lower windows know it only as this.
class TMainWindowLink
{
public:
    TMainWindowLink(const TMainWindowLink &) = delete;
    TMainWindowLink &operator=(const TMainWindowLink &) = delete;

    // The main window as a window: disabled while a companion holds the keyboard.
    virtual QWidget *LinkedWindow() = 0;

    // Gravity suspension; every caller but the pause key leaves gravity alone while the pause
    // is on.
    virtual bool PauseOn() const = 0;
    virtual void SuspendGravity() = 0;
    virtual void ResumeGravity() = 0;

    // The game kind of the match as the status bar names it.
    virtual QString GameKindText() const = 0;
    // The result dialog has closed: the finished player's side of the match is wound up.
    virtual void ResultDialogClosed() = 0;

protected:
    // The newest main window is the one the lower windows reach, from the start of its
    // construction to the end of its destruction.
    TMainWindowLink();
    virtual ~TMainWindowLink();
};

// The main window, or null when there is none.
TMainWindowLink *MainWindowLink();
