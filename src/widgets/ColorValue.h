#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// A colour as the forms and stored values give it: 0x00BBGGRR. A value whose top byte is 0x80
// names a system colour by its index in the low byte (button face, window text, ...).
using TColor = quint32;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;

// System colours, by the indices the platform gives them.
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

constexpr TColor RgbColor(int red, int green, int blue)
{
    return TColor(red & 0xFF) | (TColor(green & 0xFF) << 8) | (TColor(blue & 0xFF) << 16);
}
constexpr int RedOf(TColor color) { return int(color & 0xFF); }
constexpr int GreenOf(TColor color) { return int((color >> 8) & 0xFF); }
constexpr int BlueOf(TColor color) { return int((color >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == clSystemColor; }

// The colour to paint with. System colours are taken from `palette` (the application's palette
// when none is given); any other top byte is ignored, as the platform does.
QColor ToQColor(TColor color);
QColor ToQColor(TColor color, const QPalette &palette);

// The colour value of a painted colour (alpha is dropped).
TColor FromQColor(const QColor &color);
