#pragma once

#include "ColorValue.h"

// Arithmetic shared by the gradient controls.

// a × b / c computed exactly and rounded to the nearest integer (halves away from zero); -1 when
// c is 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// The start components of a gradient and the signed differences end − start.
struct TGradientSteps
{
    int red = 0, green = 0, blue = 0;
    int deltaRed = 0, deltaGreen = 0, deltaBlue = 0;

    TGradientSteps() = default;
    TGradientSteps(TColor begin, TColor end);

    // The colour at fraction t / scale: each component start + MulDiv(t, delta, scale), taken
    // modulo 256. Scale 255 gives the 256 steps t = 0..255 from begin to end.
    TColor At(int t, int scale = 255) const;
};

// The length of the filled part of a progress bar `extent` pixels long.
int FillLength(int position, int maxValue, int extent);

// The percentage a filled length shows.
int FillPercent(int fillLength, int extent);

// Whether the percentage text of a vertical bar is written turned on its side: it is when the
// text is wider than the bar's inside less a margin.
bool PercentTextRotated(int textWidth, int barWidth, int bevelWidth);
