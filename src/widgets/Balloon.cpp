#include "Balloon.h"

#include "PixelFont.h"

#include <QWidget>

tformshape *MakeBalloon(QWidget *dialog, tformshape::TBalloonPosition tail)
{
    QPalette colours = dialog->palette();
    colours.setColor(QPalette::Window, BalloonColor);
    dialog->setPalette(colours);
    dialog->setAutoFillBackground(true);

    auto *shape = new tformshape(dialog);
    shape->setObjectName(QStringLiteral("balloonShape"));
    shape->setBalloonPosition(tail);
    shape->setBalloonEllips(20);
    shape->setBalloonIndent(15);
    shape->setReshape(true);
    shape->Loaded();
    return shape;
}

QFont BalloonFont(int pixels, bool bold, bool italic)
{
    return pixelFont(QStringLiteral("Times New Roman"), pixels, bold, italic);
}
