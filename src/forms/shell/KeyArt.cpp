// Draws the two key pictures for the build: a section of a Czech keyboard with the keys of the
// game in the colours of their actions, and a legend that names the actions.
//
//   parblok_keyart <output folder>
//
// writes keys-1.png (one player) and keys-2.png (two players).

#include "KeyLayout.h"
#include "../OffscreenArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

using namespace KeyLayout;

namespace {

const QColor Paper(0xF7, 0xF5, 0xEE);
const QColor CaseTop(0x5C, 0x61, 0x68);
const QColor CaseBottom(0x3B, 0x3F, 0x45);
const QColor CaseRim(0x26, 0x29, 0x2D);
const QColor PlainLetter(0x30, 0x30, 0x30);
const QColor UsedLetter(0xFF, 0xFF, 0xFF);
const QColor LegendText(0x22, 0x22, 0x22);

QFont sansFont(int pixels)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// A key cap seen from above: the darker skirt all round, deeper at the bottom, and the flat face.
void paintCap(QPainter &painter, const QRect &cap, const QColor &face)
{
    painter.setPen(QPen(face.darker(190), 1.0));
    painter.setBrush(face.darker(135));
    painter.drawRoundedRect(QRectF(cap).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);

    const QRectF top = QRectF(cap).adjusted(2, 1, -2, -4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(top, 2, 2);
    // A glint along the face's top edge.
    painter.setPen(QPen(face.lighter(125), 1.0));
    painter.drawLine(QPointF(top.left() + 2, top.top() + 0.5), QPointF(top.right() - 2, top.top() + 0.5));
}

void paintLetter(QPainter &painter, const QRect &cap, const QString &label, bool used)
{
    const QRect face = cap.adjusted(2, 1, -2, -4);
    painter.setPen(used ? UsedLetter : PlainLetter);
    painter.setFont(sansFont(label.size() > 1 ? 10 : 12));
    painter.drawText(face, Qt::AlignCenter, label);
}

// In the two-player picture the keys of each player carry the player's number at their lower
// right.
void paintPlayerMark(QPainter &painter, const QRect &cap, int player)
{
    const QRect face = cap.adjusted(2, 1, -2, -4);
    painter.setPen(UsedLetter);
    painter.setFont(sansFont(7));
    painter.drawText(QRect(face.right() - 6, face.bottom() - 8, 6, 9), Qt::AlignRight | Qt::AlignBottom,
                     QString::number(player));
}

void paintKeyboard(QPainter &painter, const QList<Column> &columns)
{
    const QRectF body = QRectF(keyboardCase()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, CaseTop);
    shade.setColorAt(1, CaseBottom);
    painter.setPen(QPen(CaseRim, 1.0));
    painter.setBrush(shade);
    painter.drawRoundedRect(body, 6, 6);

    for (const KeyCap &cap : keyboardCaps()) {
        Action action = Action::Pause;
        int player = 0; // 1 or 2: whose key it is; 0: nobody's
        for (int index = 0; index < columns.size() && player == 0; ++index)
            if (actionOfCap(columns[index], cap.label, &action))
                player = index + 1;
        const bool used = player != 0;
        paintCap(painter, cap.rect, used ? actionColour(action) : plainCapColour());
        paintLetter(painter, cap.rect, cap.label, used);
        // The pause key serves both players and carries no number.
        if (used && columns.size() > 1 && action != Action::Pause)
            paintPlayerMark(painter, cap.rect, player);
    }
}

void paintLegend(QPainter &painter)
{
    for (int index = 0; index < ActionCount; ++index) {
        const Action action = Action(index);
        const QRect swatch = legendSwatch(action);
        paintCap(painter, swatch, actionColour(action));
        painter.setPen(LegendText);
        painter.setFont(sansFont(12));
        painter.drawText(QRect(swatch.right() + 7, swatch.top() - 2, 130, swatch.height() + 2),
                         Qt::AlignLeft | Qt::AlignVCenter, actionName(action));
    }
}

QImage keyPicture(const QList<Column> &columns)
{
    QImage image(PictureWidth, PictureHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintKeyboard(painter, columns);
    paintLegend(painter);
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "parblok_keyart: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir runtime;
    prepareOffscreenArt(runtime);
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: parblok_keyart <output folder>\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "parblok_keyart: cannot create %s\n", qPrintable(out));
        return 1;
    }
    const bool one = save(keyPicture({Column::OnePlayer}), out + QStringLiteral("keys-1.png"));
    const bool two = save(keyPicture({Column::PlayerOne, Column::PlayerTwo}), out + QStringLiteral("keys-2.png"));
    return one && two ? 0 : 1;
}
