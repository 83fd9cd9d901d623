#pragma once

#include <QFont>
#include <QString>

// The forms give their fonts in pixels; a .ui file can only give points.
inline QFont PixelFont(const QString &family, int pixels, bool bold = false, bool italic = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
