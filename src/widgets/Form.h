#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

// A window of the program over the widget class `Base` (QWidget, QMainWindow): its events reach
// the handlers every window is written with. A show the program asks for reaches FormShow, a close
// that goes through reaches FormClose, and a key down that no control took reaches FormKeyDown.
// Showings the window system makes on its own (a window restored from an icon) are not showings of
// the window's form and reach nothing.
//
// A base for a family of windows puts what each of its windows does around the handlers into
// Opened and Closed; a window itself only writes the handlers.
template <class Base>
class TForm : public Base
{
public:
    using Base::Base;

protected:
    virtual void FormShow() {}
    virtual void FormClose() {}
    // Keys a window leaves alone go on as the widget class would have them go.
    virtual void FormKeyDown(QKeyEvent *event) { Base::keyPressEvent(event); }

    virtual void Opened() { FormShow(); }
    virtual void Closed() { FormClose(); }

    void showEvent(QShowEvent *event) override
    {
        Base::showEvent(event);
        if (!event->spontaneous())
            Opened();
    }

    void closeEvent(QCloseEvent *event) override
    {
        Base::closeEvent(event);
        if (event->isAccepted())
            Closed();
    }

    void keyPressEvent(QKeyEvent *event) override { FormKeyDown(event); }
};
