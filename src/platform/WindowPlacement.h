#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a frame of `frameSize` stands when centred in `area` (its top left corner).
QPoint centredFramePosition(const QRect &area, QSize frameSize);

// Centres a top-level window on its screen by its frame, title bar and
// borders included, not by its client area. The window system tells the frame's size only once
// it has framed the window; until then the client area stands for it, and the window is centred
// once more as soon as the frame is known.
void centreFrameOnScreen(QWidget *window);

// The same within `area` (in screen coordinates).
void centreFrameIn(QWidget *window, const QRect &area);
