#pragma once

#include "Balloon.h"

// A speech balloon beside the assistant that stops the match while it is open: a borderless
// cream window with its tail at the bottom right, always on top, shown without a parent so that
// disabling the main window and the assistant leaves it usable. Showing it suspends gravity and
// disables the main window and the assistant (the companion protocol); closing it gives both
// back. A shown balloon takes the keyboard focus at once, so Enter and Esc reach it.
class TCompanionBalloon : public QWidget
{
    Q_OBJECT
public:
    ~TCompanionBalloon() override;

    tformshape *FormShape1 = nullptr;

    // True between the balloon's showing and its closing.
    bool isOpen() const { return m_open; }

protected:
    TCompanionBalloon();

    // Sets the outer size, the colours and the balloon shape; called by the window once its form
    // is set up.
    void SetUpBalloon(QSize size);

    // Showing suspends gravity and disables the main window and the assistant; closing gives
    // both back. Windows that do more call these first.
    virtual void FormShow();
    virtual void FormClose();
    // The control that gets the keyboard focus when the balloon opens (the window itself when
    // none is given).
    virtual QWidget *firstControl() { return nullptr; }

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void TakeFocus();

    bool m_open = false;
};
