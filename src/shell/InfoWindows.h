#pragma once

#include "KeyLayout.h"

#include <QWidget>

class QFrame;

// What the key pictures and the about window have in common: a window of its own that stays on
// top, stands centred on the screen, takes the keyboard when it is shown, keeps gravity suspended
// and the main window and the assistant disabled while it is open, and closes on Enter or Esc.
class TInfoWindow : public QWidget
{
    Q_OBJECT
public:
    // True from the show handler to the close handler, while gravity is held for the window.
    bool companionOpen() const { return m_companionOpen; }

protected:
    explicit TInfoWindow(Qt::WindowFlags flags);

    // A small tool window with a narrow caption bar and a close button.
    static Qt::WindowFlags CaptionedToolFlags();
    // A window without any border or caption.
    static Qt::WindowFlags BorderlessFlags();

    // The control that takes the keyboard when the window is shown; the window itself when none.
    void setFirstControl(QWidget *control) { m_firstControl = control; }

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void centreOnScreen();

    QWidget *m_firstControl = nullptr;
    bool m_companionOpen = false;
};

// Shows the window (its show handler does the rest); nothing when it does not exist.
void ShowInfoWindow(TInfoWindow *window);

// Fills a framed list panel with the keys of `column`: one line per action with its name, a dash
// and its key, the pause below a rule, centred in the room from `top` pixels below the panel's
// top edge down to its bottom.
// The labels are named Akce1..Akce6 and Klavesa1..Klavesa6 from the top.
void FillKeyList(QFrame *panel, KeyLayout::Column column, int top);

// The fonts of the information windows are given in pixels.
QFont InfoFont(const QString &family, int pixels, bool bold, bool italic = false);
