#include "Balloon.h"

#include <QWidget>

tformshape *MakeBalloon(QWidget *dialog, tformshape::TBalloonPosition tail)
{
    QPalette colours = dialog->palette();
    colours.setColor(QPalette::Window, BalloonColor);
    dialog->setPalette(colours);
    dialog->setAutoFillBackground(true);

    auto *shape = new tformshape(dialog);
    shape->setObjectName(QStringLiteral("formshape1"));
    shape->setBalloonPosition(tail);
    shape->setBalloonEllips(20);
    shape->setBalloonIndent(15);
    shape->setReshape(true);
    shape->Loaded();
    return shape;
}

QFont BalloonFont(int pixels, bool bold, bool italic)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
