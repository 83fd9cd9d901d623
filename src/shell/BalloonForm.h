#pragma once

#include "Balloon.h"
#include "Form.h"

#include <QWidget>

// What a window beside the assistant takes from the rest of the program while it is open. Nothing
// is modal: the windows it takes are disabled, and gravity is suspended where the match stops.
enum class WhileOpen {
    WindowsRest, // the main window and the assistant are disabled; the match goes on
    MatchStops,  // both players' gravity is suspended too, unless the pause already holds it
};

// The one base of every balloon and information window: a window of its own without a parent (a
// window disabled together with the main window would disable it too) that stays on top.
//
// Showing it runs, in this order: gravity suspended (when the match stops), the window's FormShow
// (sounds, placement, contents), the other windows disabled, and the keyboard taken by the window's
// first control. While it is open Enter and Esc reach its FormKeyDown before any of its controls
// (a look where Enter presses the focused button or check box must not take them), and a keyboard
// that the window manager hands to the disabled main window or assistant is taken back. The
// window manager treats it as a window of the main window's, and it is hidden and shown again
// with the main window's minimising and restoring; minimised on its own, it comes back at once.
// Closing it, by any way, runs its FormClose, gives gravity back and enables the
// other windows, which hands the keyboard back to the main window. Each happens once per opening,
// however often the window system shows or closes the window in between.
class TBalloonForm : public TForm<QWidget>
{
    Q_OBJECT
protected:
    explicit TBalloonForm(WhileOpen whileOpen, Qt::WindowFlags flags = BalloonFlags);

    // Gives the window its fixed outer size, the cream colour and the balloon outline with its
    // tail at `tail`.
    tformshape *SetUpBalloon(QSize size, tformshape::TBalloonPosition tail);

    // The control that takes the keyboard when the window opens (it may be the window itself);
    // without one the window system decides.
    void setFirstControl(QWidget *control) { m_firstControl = control; }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // How long a window minimised on its own waits for the window manager to finish (it may be
    // taking the main window along) before it comes back.
    static constexpr int SettleTime = 150;
    void ComeBackUnlessMainMinimised();
    // Shows the window again, not minimised, above the others and with the keyboard.
    void ShowAgain();
    void Opened() final;
    void Closed() final;
    void TakeKeyboard();
    // The keyboard went to `focus`: a disabled window of the program gives it back here.
    void KeyboardMoved(QWindow *focus);

    const WhileOpen m_whileOpen;
    QWidget *m_firstControl = nullptr;
    bool m_open = false;
    bool m_suspendedGravity = false; // this opening suspended gravity and gives it back
    QMetaObject::Connection m_keyboardWatch;
};
