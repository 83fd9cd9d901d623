// Renders the widget pictures for the build: the assistant figure and its outline, the program
// picture in the sizes the windows show it, and the twelve lights of the office-style controls.
//
//   parblok_artgen <folder with the .svg sources> <output folder>

#include "RegionData.h"
#include "../OffscreenArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>

namespace {

// The assistant window shows the figure centred in a 104 x 104 client area.
constexpr int AssistantWindow = 104;
// Pixels whose alpha exceeds this belong to the assistant's outline.
constexpr int OutlineThreshold = 96;

bool failed = false;

void report(const QString &text)
{
    std::fprintf(stderr, "parblok_artgen: %s\n", qPrintable(text));
    failed = true;
}

void save(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG"))
        report(QStringLiteral("cannot write %1").arg(path));
}

QImage renderSvg(const QString &file, QSize size)
{
    QSvgRenderer renderer(file);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!renderer.isValid()) {
        report(QStringLiteral("cannot read %1").arg(file));
        return image;
    }
    // Fitted into the size with its proportions kept, centred.
    QSizeF drawn = renderer.defaultSize();
    drawn.scale(size, Qt::KeepAspectRatio);
    const QRectF target(QPointF((size.width() - drawn.width()) / 2,
                                (size.height() - drawn.height()) / 2),
                        drawn);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    return image;
}

// The three states of every light: idle, hot, hot and pressed.
struct LightColors
{
    QColor rim;
    QColor body;
    QColor shine;
};

const LightColors States[3] = {
    {QColor(0x0c, 0x16, 0x4a), QColor(0x1f, 0x3a, 0x9a), QColor(0x7d, 0x98, 0xe8)}, // dark blue
    {QColor(0x04, 0x4a, 0x4c), QColor(0x0b, 0x93, 0x92), QColor(0x8c, 0xe6, 0xdc)}, // teal
    {QColor(0x00, 0x6a, 0x86), QColor(0x12, 0xdc, 0xff), QColor(0xe8, 0xff, 0xff)}, // bright cyan
};
const char *const StateNames[3] = {"OFF", "ON", "DOWN"};

// See-through colours of the lights: the controls replace pixels of this colour by their own
// background when they copy a light.
const QColor ButtonSeeThrough(0xFF, 0xFF, 0xFF);
const QColor LabelSeeThrough(0xFF, 0xFF, 0x00);

QImage lightCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Lays the light on its see-through colour. The smoothed rim keeps its partial transparency, so
// it blends into whatever background the control has.
QImage onSeeThrough(const QImage &light, QColor seeThrough)
{
    QImage image = light.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) == 0)
                line[x] = seeThrough.rgb();
    }
    return image;
}

void paintShape(QImage &image, const QPainterPath &shape, const LightColors &colors,
                QPointF shineAt, qreal radius)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(shineAt, radius);
    gradient.setColorAt(0.0, colors.shine);
    gradient.setColorAt(0.45, colors.body);
    gradient.setColorAt(1.0, colors.body.darker(140));
    painter.setBrush(gradient);
    painter.setPen(QPen(colors.rim, 1.0));
    painter.drawPath(shape);
}

QImage ball(int width, int height, QRectF circle, const LightColors &colors)
{
    QImage image = lightCanvas(width, height);
    QPainterPath shape;
    shape.addEllipse(circle);
    const QPointF shine(circle.left() + circle.width() * 0.36, circle.top() + circle.height() * 0.32);
    paintShape(image, shape, colors, shine, circle.width() * 0.75);
    return image;
}

QImage triangle(bool pointingDown, const LightColors &colors)
{
    QImage image = lightCanvas(20, 11);
    QPainterPath shape;
    if (pointingDown) {
        shape.moveTo(4.5, 1.5);
        shape.lineTo(15.5, 1.5);
        shape.lineTo(10.0, 9.5);
    } else {
        shape.moveTo(4.5, 9.5);
        shape.lineTo(15.5, 9.5);
        shape.lineTo(10.0, 1.5);
    }
    shape.closeSubpath();
    paintShape(image, shape, colors, QPointF(8.5, pointingDown ? 3.5 : 6.5), 8.0);
    return image;
}

void writeLights(const QString &folder)
{
    for (int state = 0; state < 3; ++state) {
        const QString name = QLatin1String(StateNames[state]);
        const LightColors &colors = States[state];
        save(onSeeThrough(ball(11, 11, QRectF(0.5, 0.5, 10, 10), colors), ButtonSeeThrough),
             folder + name + QStringLiteral(".png"));
        save(onSeeThrough(ball(20, 16, QRectF(4.5, 2.5, 11, 11), colors), LabelSeeThrough),
             folder + name + QStringLiteral("RND.png"));
        save(onSeeThrough(triangle(true, colors), LabelSeeThrough), folder + name + QStringLiteral("3DWN.png"));
        save(onSeeThrough(triangle(false, colors), LabelSeeThrough), folder + name + QStringLiteral("3UP.png"));
    }
}

void writeAssistant(const QString &sources, const QString &out)
{
    const QImage figure = renderSvg(sources + QStringLiteral("assistant.svg"), QSize(107, 105));
    save(figure, out + QStringLiteral("assistant.png"));

    // The outline as the window sees it: the figure drawn centred, cut to the window.
    const QPoint origin((AssistantWindow - figure.width()) / 2,
                        (AssistantWindow - figure.height()) / 2);
    const QRegion outline = RegionData::fromAlpha(figure, OutlineThreshold, origin)
                                .intersected(QRect(0, 0, AssistantWindow, AssistantWindow));
    const QByteArray data = RegionData::write(outline);
    QByteArray stored(4, '\0');
    qToLittleEndian<quint32>(quint32(data.size()), stored.data());
    stored += data;
    QFile file(out + QStringLiteral("assistant.mask2"));
    if (!file.open(QIODevice::WriteOnly) || file.write(stored) != stored.size())
        report(QStringLiteral("cannot write %1").arg(file.fileName()));
}

void writeProgramPictures(const QString &sources, const QString &out)
{
    const QSize sizes[] = {{73, 74}, {63, 62}, {35, 35}, {48, 48}};
    for (const QSize &size : sizes)
        save(renderSvg(sources + QStringLiteral("program.svg"), size),
             out + QStringLiteral("program-%1x%2.png").arg(size.width()).arg(size.height()));
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir runtime;
    prepareOffscreenArt(runtime);
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: parblok_artgen <svg folder> <output folder>\n");
        return 2;
    }
    const QString sources = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(out + QStringLiteral("led"))) {
        report(QStringLiteral("cannot create %1").arg(out));
        return 1;
    }
    writeAssistant(sources, out);
    writeProgramPictures(sources, out);
    writeLights(out + QStringLiteral("led/"));
    return failed ? 1 : 0;
}
