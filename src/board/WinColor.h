#pragma once

#include "ColorValue.h"

// The wells keep colours as 32-bit values 0x00BBGGRR (see ColorValue.h). These are the basic
// colours of the piece and layout tables that the controls have no use for.
namespace WinColor {

using Value = TColor;

constexpr Value clMaroon = 0x000080;
constexpr Value clGreen = 0x008000;
constexpr Value clOlive = 0x008080;
constexpr Value clNavy = 0x800000;
constexpr Value clPurple = 0x800080;
constexpr Value clTeal = 0x808000;
constexpr Value clFuchsia = 0xFF00FF;
constexpr Value clAqua = 0xFFFF00;

} // namespace WinColor
