#pragma once

#include "BalloonForm.h"
#include "KeyLayout.h"

class QFrame;

// What the key pictures and the about window have in common: a window that stands centred on
// the screen, stops the match while it is open and closes on Enter or Esc.
class TInfoWindow : public TBalloonForm
{
    Q_OBJECT
protected:
    explicit TInfoWindow(Qt::WindowFlags flags);

    // A small tool window with a narrow caption bar and a close button.
    static Qt::WindowFlags CaptionedToolFlags();
    // A window without any border or caption.
    static Qt::WindowFlags BorderlessFlags();

    void FormShow() override;
    void FormKeyDown(QKeyEvent *event) override;
};

// Shows the window (its show handler does the rest); nothing when it does not exist.
void ShowInfoWindow(TInfoWindow *window);

// Fills a framed list panel with the keys of `column`: one line per action with its name, a dash
// and its key, the pause below a rule, centred in the room from `top` pixels below the panel's
// top edge down to its bottom.
// The labels are named actionLabel1..actionLabel6 and keyLabel1..keyLabel6 from the top.
void FillKeyList(QFrame *panel, KeyLayout::Column column, int top);
