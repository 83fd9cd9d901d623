#pragma once

#include "formshape.h"

#include <QColor>
#include <QFont>
#include <QWidget>
#include <Qt>

// What every speech balloon of the assistant shares: a top-level tool window without a frame
// that stays on top, has no parent (a window disabled together with the main window would
// disable it too), is painted cream and is cut to the balloon outline.

// The balloons' background: colour value 14745599 (red 255, green 255, blue 224).
inline const QColor BalloonColor(255, 255, 224);

// The window flags a balloon is constructed with.
constexpr Qt::WindowFlags BalloonFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

// Paints `dialog` cream and gives it the balloon outline with its tail at `tail` (corner ellipse
// 20, indent 15). Call after the form has been set up; the outline follows the form's size.
tformshape *MakeBalloon(QWidget *dialog, tformshape::TBalloonPosition tail);

// The balloons' text font: Times New Roman in pixel sizes, 13 pixels high unless told.
QFont BalloonFont(int pixels = 13, bool bold = false, bool italic = false);

// The keys that confirm (Enter, on either keyboard block) or cancel (Esc) a window.
inline bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
inline bool IsEscapeKey(int key) { return key == Qt::Key_Escape; }

// Brings a balloon that has just been shown to the front and gives the keyboard to `first`, so
// that Enter and Esc work at once.
void TakeKeyboard(QWidget *dialog, QWidget *first);

// A balloon window: constructed with BalloonFlags and no parent; its show, close and key-down
// events reach FormShow, FormClose and FormKeyDown (the key code).
class TBalloonForm : public QWidget
{
    Q_OBJECT
protected:
    TBalloonForm();

    virtual void FormShow() {}
    virtual void FormClose() {}
    virtual void FormKeyDown(int key) { Q_UNUSED(key) }

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
