#include "ColorValue.h"

#include <QGuiApplication>

namespace {

// The palette entry standing in for each system colour index.
QColor SystemColor(int index, const QPalette &palette)
{
    switch (index) {
    case 0: // scroll bar
    case 4: // menu
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return palette.color(QPalette::Button);
    case 1: // desktop
    case 12: // application workspace
        return palette.color(QPalette::Dark);
    case 2: // active caption
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 3: // inactive caption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5: // window
        return palette.color(QPalette::Base);
    case 6: // window frame
    case 21: // 3-D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return palette.color(QPalette::WindowText);
    case 9: // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3-D light
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor ToQColor(TColor color)
{
    return ToQColor(color, QGuiApplication::palette());
}

QColor ToQColor(TColor color, const QPalette &palette)
{
    if (IsSystemColor(color))
        return SystemColor(int(color & 0xFF), palette);
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

TColor FromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return RgbColor(rgb.red(), rgb.green(), rgb.blue());
}
