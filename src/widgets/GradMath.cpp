#include "GradMath.h"

#include <cstdlib>
#include <limits>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 product = qint64(a) * qint64(b);
    const qint64 divisor = std::llabs(qint64(c));
    // Round half away from zero on the magnitude, then give the result its sign.
    const qint64 magnitude = (std::llabs(product) + divisor / 2) / divisor;
    const bool negative = (product < 0) != (c < 0);
    const qint64 result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max())
        return -1;
    return int(result);
}

TGradientSteps::TGradientSteps(TColor begin, TColor end)
    : red(RedOf(begin)), green(GreenOf(begin)), blue(BlueOf(begin)),
      deltaRed(RedOf(end) - RedOf(begin)), deltaGreen(GreenOf(end) - GreenOf(begin)),
      deltaBlue(BlueOf(end) - BlueOf(begin))
{
}

TColor TGradientSteps::At(int t, int scale) const
{
    // RgbColor keeps the low byte of each component, which is the modulo 256.
    return RgbColor(red + MulDiv(t, deltaRed, scale), green + MulDiv(t, deltaGreen, scale),
                    blue + MulDiv(t, deltaBlue, scale));
}

int FillLength(int position, int maxValue, int extent)
{
    // An empty range fills nothing rather than the platform's -1.
    if (maxValue <= 0)
        return 0;
    return MulDiv(position, extent, maxValue);
}

int FillPercent(int fillLength, int extent)
{
    if (extent <= 0)
        return 0;
    return MulDiv(fillLength, 100, extent);
}

bool PercentTextRotated(int textWidth, int barWidth, int bevelWidth)
{
    return textWidth > barWidth - 2 * bevelWidth - 6;
}
