#pragma once

#include "formshape.h"

#include <QColor>
#include <QFont>
#include <Qt>

// What every speech balloon of the assistant shares: a top-level tool window without a frame that
// stays on top, painted cream and cut to the balloon outline.

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
