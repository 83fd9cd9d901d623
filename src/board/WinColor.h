#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as the boards keep them: 32-bit values 0x00BBGGRR, red in the low byte. A value whose
// top byte is 0x80 names a system colour by its index in the low byte (0x80000014 is the button
// highlight); such values are resolved through the application palette when painted.
namespace WinColor {

using Value = quint32;

constexpr Value clBlack = 0x000000;
constexpr Value clMaroon = 0x000080;
constexpr Value clGreen = 0x008000;
constexpr Value clOlive = 0x008080;
constexpr Value clNavy = 0x800000;
constexpr Value clPurple = 0x800080;
constexpr Value clTeal = 0x808000;
constexpr Value clGray = 0x808080;
constexpr Value clSilver = 0xC0C0C0;
constexpr Value clRed = 0x0000FF;
constexpr Value clLime = 0x00FF00;
constexpr Value clYellow = 0x00FFFF;
constexpr Value clBlue = 0xFF0000;
constexpr Value clFuchsia = 0xFF00FF;
constexpr Value clAqua = 0xFFFF00;
constexpr Value clWhite = 0xFFFFFF;

constexpr Value SystemColorFlag = 0x80000000;
constexpr Value clBtnFace = SystemColorFlag | 15;
constexpr Value clBtnShadow = SystemColorFlag | 16;
constexpr Value clBtnHighlight = SystemColorFlag | 20;

// The colour to paint with: plain values by their bytes, system colours from the palette.
QColor toQColor(Value colour);

} // namespace WinColor
