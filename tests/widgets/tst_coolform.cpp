#include "AppError.h"
#include "CoolForm.h"
#include "RegionData.h"
#include "TestMain.h"
#include "WidgetArt.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtEndian>

#include <functional>

namespace {

QByteArray ints(std::initializer_list<qint32> values)
{
    QByteArray data;
    for (const qint32 value : values) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        data.append(bytes, 4);
    }
    return data;
}

QByteArray stored(const QByteArray &regionData)
{
    return ints({qint32(regionData.size())}) + regionData;
}

QRegion sampleRegion(int kind)
{
    switch (kind) {
    case 1:
        return QRegion(3, 4, 10, 2);
    case 2: // two bands, the lower one split in two
        return QRegion(0, 0, 20, 5) + QRect(0, 5, 5, 5) + QRect(10, 5, 10, 5);
    case 3: // an ellipse: many bands
        return QRegion(QRect(-10, -20, 61, 43), QRegion::Ellipse);
    default:
        return QRegion();
    }
}

// The assistant's window: 104 x 104 with the picture filling it, as the program shows it.
struct AssistantWindow
{
    AssistantWindow()
    {
        window.resize(104, 104);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
        window.setPalette(palette);
        form = new TCoolForm(&window);
        form->setPicture(WidgetArt::picture(WidgetArt::AssistantPicture));
    }
    QWidget window;
    TCoolForm *form;
};

void press(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

class TestCoolForm : public QObject
{
    Q_OBJECT

private slots:
    void regionDataRoundTrip_data();
    void regionDataRoundTrip();
    void regionDataLayout();
    void malformedRegionData_data();
    void malformedRegionData();
    void fromAlphaTakesOpaquePixels();
    void fromAlphaMatchesPixelByPixel_data();
    void fromAlphaMatchesPixelByPixel();
    void fillsItsWindow();
    void mask2CountZeroKeepsTheWindowRectangular();
    void mask2ShapesTheWindow();
    void malformedMask2_data();
    void malformedMask2();
    void newPictureForgetsTheOutline();
    void assistantOutlineMatchesItsPicture();
    void picturePaintedCentred();
    void leftButtonDragsTheWindow_data();
    void leftButtonDragsTheWindow();
    void clicksReachTheWindow();
};

void TestCoolForm::regionDataRoundTrip_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("empty") << 0;
    QTest::newRow("one rectangle") << 1;
    QTest::newRow("split band") << 2;
    QTest::newRow("ellipse, negative coordinates") << 3;
}

void TestCoolForm::regionDataRoundTrip()
{
    QFETCH(int, kind);
    const QRegion region = sampleRegion(kind);
    const QByteArray data = RegionData::write(region);
    QCOMPARE(data.size(), RegionData::HeaderSize + region.rectCount() * RegionData::RectSize);
    QCOMPARE(RegionData::parse(data), region);
    // Written again, the data is the same byte for byte.
    QCOMPARE(RegionData::write(RegionData::parse(data)), data);
}

void TestCoolForm::regionDataLayout()
{
    const QRegion region = QRegion(1, 2, 3, 4) + QRect(10, 2, 2, 4);
    const QByteArray expected = ints({32, 1, 2, 32, 1, 2, 12, 6, 1, 2, 4, 6, 10, 2, 12, 6});
    QCOMPARE(RegionData::write(region).toHex(), expected.toHex());
    QCOMPARE(RegionData::write(QRegion()).toHex(), ints({32, 1, 0, 0, 0, 0, 0, 0}).toHex());

    // Rectangles that are not banded or overlap still read as their union.
    const QByteArray loose =
        ints({32, 1, 3, 48, 0, 0, 15, 10, 5, 5, 15, 10, 0, 0, 9, 9, 0, 0, 3, 3});
    QCOMPARE(RegionData::parse(loose), QRegion(0, 0, 9, 9) + QRect(5, 5, 10, 5));
}

void TestCoolForm::malformedRegionData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    const QByteArray header = ints({32, 1, 1, 16, 0, 0, 5, 5});
    const QByteArray rect = ints({0, 0, 5, 5});
    QTest::newRow("nothing") << QByteArray() << "nestačí";
    QTest::newRow("short header") << header.left(31) << "nestačí";
    QTest::newRow("header size 40") << ints({40, 1, 1, 16, 0, 0, 5, 5}) + rect << "velikost hlavičky";
    QTest::newRow("header size 0") << ints({0, 1, 1, 16, 0, 0, 5, 5}) + rect << "velikost hlavičky";
    QTest::newRow("type 2") << ints({32, 2, 1, 16, 0, 0, 5, 5}) + rect << "neznámý typ";
    QTest::newRow("rectangle missing") << header << "potřebuje";
    QTest::newRow("rectangle cut short") << header + rect.left(12) << "potřebuje";
    QTest::newRow("count too small") << header + rect + rect << "potřebuje";
    QTest::newRow("huge count") << ints({32, 1, -1, 16, 0, 0, 5, 5}) + rect << "potřebuje";
    QTest::newRow("inverted rectangle") << header + ints({5, 0, 0, 5}) << "obrácený";
    QTest::newRow("too large rectangle") << header + ints({-2000000000, 0, 2000000000, 5})
                                         << "příliš velký";
    // Each rectangle fits, but their union would be written as one that does not.
    QTest::newRow("too wide together")
        << ints({32, 1, 2, 32, 0, 0, 0, 0, -2000000000, 0, 0, 5, 0, 0, 2000000000, 5})
        << "příliš velkou plochu";
    QTest::newRow("too high together")
        << ints({32, 1, 2, 32, 0, 0, 0, 0, 0, -2000000000, 5, -1999999999, 3, 1999999999, 4, 2000000000})
        << "příliš velkou plochu";
}

void TestCoolForm::malformedRegionData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    try {
        RegionData::parse(data);
        QFAIL("malformed data was accepted");
    } catch (const AppError &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Neplatná data obrysu okna: ")),
                 qPrintable(error.message()));
        QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
    }
}

void TestCoolForm::fromAlphaTakesOpaquePixels()
{
    QImage image(6, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(1, 1, QColor(0, 0, 0, 200));
    image.setPixelColor(2, 1, QColor(0, 0, 0, 97));
    image.setPixelColor(4, 1, QColor(0, 0, 0, 96));
    image.setPixelColor(5, 3, Qt::red);
    const QRegion region = RegionData::fromAlpha(image, 96, QPoint(10, 20));
    QCOMPARE(region, QRegion(11, 21, 2, 1) + QRect(15, 23, 1, 1));
}

void TestCoolForm::fromAlphaMatchesPixelByPixel_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QImage::Format>("format");
    const auto canvas = [] {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return image;
    };
    const auto painted = [&canvas](const std::function<void(QPainter &)> &paint) {
        QImage image = canvas();
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        paint(painter);
        return image;
    };
    QTest::newRow("empty") << canvas() << QImage::Format_ARGB32;
    QTest::newRow("full") << painted([](QPainter &p) { p.drawRect(0, 0, 40, 30); })
                          << QImage::Format_ARGB32;
    // Antialiased edges, alpha on both sides of the threshold, in every format a picture comes in.
    for (const QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                        QImage::Format_RGBA8888, QImage::Format_Alpha8}) {
        QTest::addRow("soft ellipse, format %d", int(format))
            << painted([](QPainter &p) {
                   p.setRenderHint(QPainter::Antialiasing);
                   p.setBrush(QColor(0, 0, 0, 140));
                   p.drawEllipse(QRectF(3.5, 2.5, 33, 25));
               })
            << format;
    }
    QTest::newRow("ring, rows of two runs")
        << painted([](QPainter &p) {
               p.drawEllipse(0, 0, 40, 30);
               p.setCompositionMode(QPainter::CompositionMode_Clear);
               p.drawEllipse(10, 8, 20, 14);
           })
        << QImage::Format_ARGB32;
    // Equal rows apart from each other, and the same runs again after an empty row.
    QTest::newRow("stripes") << painted([](QPainter &p) {
        for (int y = 0; y < 30; y += 3)
            p.drawRect(5, y, 10, y % 2 == 0 ? 2 : 1);
        p.drawRect(20, 0, 4, 12);
    }) << QImage::Format_ARGB32;
}

void TestCoolForm::fromAlphaMatchesPixelByPixel()
{
    QFETCH(QImage, image);
    QFETCH(QImage::Format, format);
    image = image.convertToFormat(format);
    QRegion expected;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 127)
                expected += QRect(x - 3, y + 5, 1, 1);
        }
    }
    const QRegion region = RegionData::fromAlpha(image, 127, QPoint(-3, 5));
    QVERIFY((region ^ expected).isEmpty());
    QCOMPARE(region.boundingRect(), expected.boundingRect());
    // Rows alike are kept as one band: no more rectangles than the region made pixel by pixel.
    QVERIFY(region.rectCount() <= expected.rectCount());
}

void TestCoolForm::fillsItsWindow()
{
    QWidget window;
    window.resize(104, 104);
    TCoolForm *form = new TCoolForm(&window);
    QCOMPARE(form->geometry(), QRect(0, 0, 104, 104));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    // A place given by a form before the window is shown is taken back when it shows, and one
    // given later at once.
    form->setGeometry(QRect(10, 12, 50, 40));
    form->move(7, 7);
    window.resize(110, 100);
    window.show();
    QCOMPARE(form->geometry(), QRect(0, 0, 110, 100));
    form->move(3, 4);
    QCOMPARE(form->geometry(), QRect(0, 0, 110, 100));
    window.resize(120, 90);
    QCOMPARE(form->geometry(), QRect(0, 0, 120, 90));
}

void TestCoolForm::mask2CountZeroKeepsTheWindowRectangular()
{
    AssistantWindow assistant;
    assistant.form->setMask2(ints({0}));
    QVERIFY(assistant.form->Outline().isEmpty());
    QVERIFY(assistant.window.mask().isEmpty());
    QCOMPARE(assistant.form->Mask2(), ints({0}));
}

void TestCoolForm::mask2ShapesTheWindow()
{
    AssistantWindow assistant;
    const QRegion region = sampleRegion(2);
    assistant.form->setMask2(stored(RegionData::write(region)));
    QCOMPARE(assistant.form->Outline(), region);
    QCOMPARE(assistant.window.mask(), region);
    QCOMPARE(assistant.form->Mask2(), stored(RegionData::write(region)));

    // Assigning a region adopts it and saves it in the stored form.
    const QRegion ellipse = sampleRegion(3);
    assistant.form->setOutline(ellipse);
    QCOMPARE(assistant.window.mask(), ellipse);
    QCOMPARE(assistant.form->Mask2(), stored(RegionData::write(ellipse)));
    // Assigning no region changes nothing.
    assistant.form->setOutline(QRegion());
    QCOMPARE(assistant.form->Outline(), ellipse);
}

void TestCoolForm::malformedMask2_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = RegionData::write(sampleRegion(1));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("three bytes") << QByteArray(3, '\0');
    QTest::newRow("count beyond the data") << ints({qint32(good.size()) + 1}) + good;
    QTest::newRow("count short of the data") << ints({qint32(good.size()) - 16}) + good;
    QTest::newRow("count 0 with data") << ints({0}) + good;
    QTest::newRow("bad region data") << stored(ints({32, 1, 2, 32, 0, 0, 1, 1, 0, 0, 1, 1}));
}

void TestCoolForm::malformedMask2()
{
    QFETCH(QByteArray, data);
    AssistantWindow assistant;
    const QRegion before = sampleRegion(2);
    assistant.form->setOutline(before);
    QVERIFY_THROWS_EXCEPTION(AppError, assistant.form->setMask2(data));
    // The outline and the window are as they were.
    QCOMPARE(assistant.form->Outline(), before);
    QCOMPARE(assistant.window.mask(), before);
    QCOMPARE(assistant.form->Mask2(), stored(RegionData::write(before)));
}

void TestCoolForm::newPictureForgetsTheOutline()
{
    AssistantWindow assistant;
    assistant.form->loadMask2(WidgetArt::AssistantMask2);
    const QRegion given = assistant.window.mask();
    QVERIFY(!given.isEmpty());
    assistant.form->setPicture(WidgetArt::picture(WidgetArt::ProgramPicture73x74));
    QVERIFY(assistant.form->Outline().isEmpty());
    QCOMPARE(assistant.form->Mask2(), ints({0}));
    QCOMPARE(assistant.window.mask(), given);

    QVERIFY_THROWS_EXCEPTION(AppError, assistant.form->loadMask2(QStringLiteral("/nonexistent/outline.mask2")));
}

void TestCoolForm::assistantOutlineMatchesItsPicture()
{
    AssistantWindow assistant;
    assistant.form->loadMask2(WidgetArt::AssistantMask2);
    const QRegion outline = assistant.form->Outline();
    QVERIFY(QRect(0, 0, 104, 104).contains(outline.boundingRect()));

    // Inside the outline the figure is drawn; outside it, nothing of the figure is lost.
    const QImage figure = WidgetArt::picture(WidgetArt::AssistantPicture).toImage();
    QCOMPARE(figure.size(), QSize(107, 105));
    const QPoint origin = assistant.form->pictureOrigin();
    QCOMPARE(origin, QPoint(-1, 0));
    int inside = 0;
    for (int y = 0; y < 104; ++y) {
        for (int x = 0; x < 104; ++x) {
            const int alpha = qAlpha(figure.pixel(x - origin.x(), y - origin.y()));
            if (outline.contains(QPoint(x, y))) {
                ++inside;
                QVERIFY2(alpha > 0, qPrintable(QString(QStringLiteral("empty pixel %1,%2 in the outline")).arg(x).arg(y)));
            } else {
                QVERIFY2(alpha < 128, qPrintable(QString(QStringLiteral("figure pixel %1,%2 cut off")).arg(x).arg(y)));
            }
        }
    }
    // A figure, not a sliver nor the whole square.
    QVERIFY2(inside > 104 * 104 / 5 && inside < 104 * 104 * 3 / 4, qPrintable(QString::number(inside)));
}

void TestCoolForm::picturePaintedCentred()
{
    AssistantWindow assistant;
    const QImage shown = assistant.form->grab().toImage();
    const QImage figure = WidgetArt::picture(WidgetArt::AssistantPicture).toImage();
    int compared = 0;
    for (int y = 0; y < 104; y += 3) {
        for (int x = 0; x < 104; x += 3) {
            const QRgb source = figure.pixel(x + 1, y);
            if (qAlpha(source) != 255)
                continue;
            QCOMPARE(shown.pixel(x, y), source);
            ++compared;
        }
    }
    QVERIFY(compared > 100);
    // Around the figure the window's colour shows.
    QCOMPARE(shown.pixelColor(0, 103), QColor(0xC0, 0xC0, 0xC0));
}

void TestCoolForm::leftButtonDragsTheWindow_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("left, far") << int(Qt::LeftButton) << QPoint(40, -25) << QPoint(40, -25);
    QTest::newRow("left, a twitch") << int(Qt::LeftButton) << QPoint(1, 1) << QPoint(0, 0);
    QTest::newRow("right") << int(Qt::RightButton) << QPoint(40, -25) << QPoint(0, 0);
    QTest::newRow("middle") << int(Qt::MiddleButton) << QPoint(40, -25) << QPoint(0, 0);
}

void TestCoolForm::leftButtonDragsTheWindow()
{
    QFETCH(int, button);
    QFETCH(QPoint, by);
    QFETCH(QPoint, moved);
    AssistantWindow assistant;
    assistant.window.move(300, 300);
    assistant.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&assistant.window));
    const QPoint start = assistant.window.pos();
    const auto b = Qt::MouseButton(button);
    // Moves are reported relative to the control, which moves with its window.
    const QPoint at(50, 50);
    const QPoint global = assistant.form->mapToGlobal(at);
    press(assistant.form, QEvent::MouseButtonPress, at, b, b);
    const QPoint half = by / 2;
    QMouseEvent first(QEvent::MouseMove, at + half, global + half, Qt::NoButton, b,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(assistant.form, &first);
    QMouseEvent second(QEvent::MouseMove, at + by - half, global + by, Qt::NoButton, b,
                       Qt::NoModifier);
    QCoreApplication::sendEvent(assistant.form, &second);
    QCOMPARE(assistant.window.pos() - start, moved);
    press(assistant.form, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
}

void TestCoolForm::clicksReachTheWindow()
{
    AssistantWindow assistant;
    QSignalSpy clicked(assistant.form, &TCoolForm::clicked);
    QSignalSpy doubleClicked(assistant.form, &TCoolForm::doubleClicked);
    const QPoint at(50, 50);
    press(assistant.form, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    press(assistant.form, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    press(assistant.form, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    press(assistant.form, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(doubleClicked.count(), 1);
}

PARBLOK_TEST_MAIN(TestCoolForm)
#include "tst_coolform.moc"
