#include "GradMath.h"
#include "GradProgress.h"
#include "TestMain.h"

#include <QPaintEvent>

#include <limits>

namespace {

// Counts the paints it receives, to tell a paint at once from a deferred one.
class CountingProgress : public TGradProgress
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        TGradProgress::paintEvent(event);
    }
};

QImage Rendered(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The bounding box of pixels that differ between two renderings.
QRect Difference(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The splash window's bar.
void MakeSplashBar(TGradProgress &bar)
{
    bar.resize(231, 17);
    bar.setStyle(TGradProgress::gsHorizontal);
    bar.setBevelStyle(TGradProgress::bsNone);
    bar.setStartColor(clWhite);
    bar.setEndColor(clRed);
    bar.setBackColor(clBlack);
    bar.setShowPercent(false);
}

} // namespace

class TestGradProgress : public QObject
{
    Q_OBJECT
private slots:
    // What a bar placed on a form starts with.
    void valuesAfterConstruction_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("Style") << QByteArray("Style") << qint64(TGradProgress::gsHorizontal);
        QTest::newRow("BevelStyle") << QByteArray("BevelStyle") << qint64(TGradProgress::bsLowered);
        QTest::newRow("BevelWidth") << QByteArray("BevelWidth") << qint64(1);
        QTest::newRow("StartColor") << QByteArray("StartColor") << qint64(0xFF0000);
        QTest::newRow("EndColor") << QByteArray("EndColor") << qint64(0x0000FF);
        QTest::newRow("BackColor") << QByteArray("BackColor") << qint64(0x8000000F);
        QTest::newRow("FontColor") << QByteArray("FontColor") << qint64(0xFFFFFF);
        QTest::newRow("Position") << QByteArray("Position") << qint64(0);
        QTest::newRow("MaxValue") << QByteArray("MaxValue") << qint64(100);
        QTest::newRow("Step") << QByteArray("Step") << qint64(1);
        QTest::newRow("ShowPercent") << QByteArray("ShowPercent") << qint64(1);
    }
    void valuesAfterConstruction()
    {
        QFETCH(QByteArray, name);
        QFETCH(qint64, expected);
        const TGradProgress bar;
        const QVariant value = bar.property(name.constData());
        QVERIFY(value.isValid());
        QCOMPARE(value.toLongLong(), expected);
    }

    void sizeAndFontAfterConstruction()
    {
        const TGradProgress bar;
        QCOMPARE(bar.size(), QSize(150, 16));
        const QFont face = bar.property("Font").value<QFont>();
        QCOMPARE(face.pixelSize(), 11); // 8 points
        QVERIFY(!face.bold() && !face.italic() && !face.underline() && !face.strikeOut());
    }

    void fillLengthAndPercent_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("percent");
        QTest::newRow("half of the splash bar") << 50 << 100 << 231 << 116 << 50;
        QTest::newRow("one third") << 1 << 3 << 100 << 33 << 33;
        QTest::newRow("two thirds") << 2 << 3 << 100 << 67 << 67;
        QTest::newRow("full") << 100 << 100 << 150 << 150 << 100;
        QTest::newRow("empty") << 0 << 100 << 150 << 0 << 0;
        QTest::newRow("short bar rounds") << 75 << 100 << 17 << 13 << 76;
        QTest::newRow("empty range") << 0 << 0 << 150 << 0 << 0;
    }
    void fillLengthAndPercent()
    {
        QFETCH(int, position);
        QFETCH(int, maxValue);
        QFETCH(int, extent);
        QFETCH(int, length);
        QFETCH(int, percent);
        QCOMPARE(FillLength(position, maxValue, extent), length);
        QCOMPARE(FillPercent(length, extent), percent);
    }

    void rotatedPercentDecision_data()
    {
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("barWidth");
        QTest::addColumn<int>("bevelWidth");
        QTest::addColumn<bool>("rotated");
        QTest::newRow("fits") << 20 << 30 << 1 << false;
        QTest::newRow("just fits") << 22 << 30 << 1 << false;
        QTest::newRow("one pixel too wide") << 23 << 30 << 1 << true;
        QTest::newRow("wider bevel leaves less room") << 22 << 30 << 2 << true;
        QTest::newRow("no bevel") << 24 << 30 << 0 << false;
    }
    void rotatedPercentDecision()
    {
        QFETCH(int, textWidth);
        QFETCH(int, barWidth);
        QFETCH(int, bevelWidth);
        QFETCH(bool, rotated);
        QCOMPARE(PercentTextRotated(textWidth, barWidth, bevelWidth), rotated);
    }

    // Each row: a maximum, a step, then a list of positions written; the values read back.
    void positionRules_data()
    {
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<QList<int>>("writes");
        QTest::addColumn<int>("position");
        QTest::newRow("above the maximum") << 100 << QList<int>{150} << 100;
        QTest::newRow("negative ignored") << 100 << QList<int>{40, -1} << 40;
        QTest::newRow("splash sequence") << 100 << QList<int>{5, 10, 15, 75, 90, 100} << 100;
        QTest::newRow("going back is allowed") << 100 << QList<int>{60, 20} << 20;
        QTest::newRow("zero maximum") << 0 << QList<int>{10} << 0;
    }
    void positionRules()
    {
        QFETCH(int, maxValue);
        QFETCH(QList<int>, writes);
        QFETCH(int, position);
        TGradProgress bar;
        bar.setMaxValue(maxValue);
        for (int value : writes)
            bar.setPosition(value);
        QCOMPARE(bar.Position(), position);
        QCOMPARE(bar.property("Position").toInt(), position);
    }

    void maxValueRules_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("newMax");
        QTest::addColumn<int>("expectedPosition");
        QTest::addColumn<int>("expectedMax");
        QTest::newRow("lowered below the position") << 80 << 50 << 50 << 50;
        QTest::newRow("raised keeps the position") << 80 << 200 << 80 << 200;
        QTest::newRow("lowered to the position") << 80 << 80 << 80 << 80;
        QTest::newRow("to zero") << 80 << 0 << 0 << 0;
        QTest::newRow("negative ignored") << 80 << -5 << 80 << 100;
    }
    void maxValueRules()
    {
        QFETCH(int, position);
        QFETCH(int, newMax);
        QFETCH(int, expectedPosition);
        QFETCH(int, expectedMax);
        TGradProgress bar;
        bar.setPosition(position);
        bar.setMaxValue(newMax);
        QCOMPARE(bar.Position(), expectedPosition);
        QCOMPARE(bar.MaxValue(), expectedMax);
    }

    void stepit_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expected");
        QTest::newRow("one step") << 10 << 1 << 11;
        QTest::newRow("five") << 10 << 5 << 15;
        QTest::newRow("stops at the maximum") << 95 << 7 << 100;
        QTest::newRow("backwards") << 95 << -5 << 90;
        QTest::newRow("not below zero") << 3 << -5 << 3;
        QTest::newRow("step past the largest integer fills the bar") << 10 << std::numeric_limits<int>::max() << 100;
        QTest::newRow("largest negative step") << 10 << std::numeric_limits<int>::min() << 10;
    }
    void stepit()
    {
        QFETCH(int, start);
        QFETCH(int, step);
        QFETCH(int, expected);
        TGradProgress bar;
        bar.setPosition(start);
        bar.setStep(step);
        QCOMPARE(bar.Step(), step);
        bar.Stepit();
        QCOMPARE(bar.Position(), expected);
    }

    void bevelWidthRules_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("too wide for 16 high") << QSize(150, 16) << 7 << 1;
        QTest::newRow("just fits 16 high") << QSize(150, 16) << 6 << 6;
        QTest::newRow("none") << QSize(150, 16) << 0 << 0;
        QTest::newRow("too wide for a narrow bar") << QSize(10, 100) << 4 << 1;
        QTest::newRow("fits a narrow bar") << QSize(10, 100) << 3 << 3;
        QTest::newRow("negative") << QSize(150, 16) << -1 << 1;
    }
    void bevelWidthRules()
    {
        QFETCH(QSize, size);
        QFETCH(int, value);
        QFETCH(int, expected);
        TGradProgress bar;
        bar.resize(size);
        bar.setBevelWidth(value);
        QCOMPARE(bar.BevelWidth(), expected);
    }

    void trueTypeFontList()
    {
        TGradProgress bar;
        // The percentage of a vertical bar needs outline fonts; the list is sorted.
        const QStringList fonts = bar.TrueTypeFonts();
        QVERIFY(!fonts.isEmpty());
        QStringList sorted = fonts;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(fonts, sorted);
        QVERIFY(fonts.contains(QStringLiteral("Liberation Serif")));
    }

    // The start-up advances the bar with no event processing in between.
    void positionPaintsAtOnce()
    {
        CountingProgress bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCoreApplication::processEvents();
        const int before = bar.paints;
        bar.setPosition(5);
        QCOMPARE(bar.paints, before + 1);
        bar.setPosition(5);
        QCOMPARE(bar.paints, before + 1);
        bar.setPosition(10);
        QCOMPARE(bar.paints, before + 2);
    }

    // Pixels of the splash bar (231 wide, white to red on black, no bevel): the gradient is
    // squeezed into the filled length; the column at the filled length starts the background.
    void splashBarPixels_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("column");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("empty bar is background") << 0 << 1 << QColor(Qt::black);
        QTest::newRow("empty bar, middle") << 0 << 115 << QColor(Qt::black);
        QTest::newRow("half, near the start") << 50 << 1 << QColor(255, 253, 253);
        QTest::newRow("half, inside") << 50 << 50 << QColor(255, 145, 145);
        QTest::newRow("half, last filled") << 50 << 115 << QColor(255, 2, 2);
        QTest::newRow("half, first unfilled") << 50 << 116 << QColor(Qt::black);
        QTest::newRow("full, last column") << 100 << 229 << QColor(255, 2, 2);
        QTest::newRow("full, inside") << 100 << 50 << QColor(255, 200, 200);
    }
    void splashBarPixels()
    {
        QFETCH(int, position);
        QFETCH(int, column);
        QFETCH(QColor, expected);
        TGradProgress bar;
        MakeSplashBar(bar);
        bar.setPosition(position);
        const QImage image = Rendered(bar);
        for (int y = 1; y <= 15; ++y)
            QCOMPARE(image.pixelColor(column, y), expected);
    }

    void verticalBarFillsUpwards_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("expected");
        // 20 × 100 bar, raised 1-pixel bevel, position 30: filled rows 70..98, end colour on top.
        QTest::newRow("above the filling") << 69 << QColor(0, 0, 0);
        QTest::newRow("top of the filling") << 70 << QColor(255, 0, 0);
        QTest::newRow("near the bottom") << 98 << QColor(17, 0, 238);
        QTest::newRow("inside") << 85 << QColor(128, 0, 127);
    }
    void verticalBarFillsUpwards()
    {
        QFETCH(int, row);
        QFETCH(QColor, expected);
        TGradProgress bar;
        bar.resize(20, 100);
        bar.setStyle(TGradProgress::gsVertical);
        bar.setBevelStyle(TGradProgress::bsRaised);
        bar.setStartColor(clBlue);
        bar.setEndColor(clRed);
        bar.setBackColor(clBlack);
        bar.setShowPercent(false);
        bar.setPosition(30);
        QCOMPARE(bar.FilledLength(), 30);
        const QImage image = Rendered(bar);
        for (int x = 1; x <= 18; ++x)
            QCOMPARE(image.pixelColor(x, row), expected);
    }

    void bevelEdges_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<uint>("expected");
        QTest::newRow("lowered, outer top left") << int(TGradProgress::bsLowered) << QPoint(0, 0) << uint(clBtnShadow);
        QTest::newRow("lowered, inner top") << int(TGradProgress::bsLowered) << QPoint(40, 1) << uint(clBtnShadow);
        QTest::newRow("lowered, bottom right") << int(TGradProgress::bsLowered) << QPoint(149, 15) << uint(clBtnHighlight);
        QTest::newRow("lowered, inner right") << int(TGradProgress::bsLowered) << QPoint(148, 8) << uint(clBtnHighlight);
        QTest::newRow("lowered, inside") << int(TGradProgress::bsLowered) << QPoint(140, 8) << uint(clBlack);
        QTest::newRow("raised, left") << int(TGradProgress::bsRaised) << QPoint(0, 8) << uint(clBtnHighlight);
        QTest::newRow("raised, bottom") << int(TGradProgress::bsRaised) << QPoint(70, 14) << uint(clBtnShadow);
    }
    void bevelEdges()
    {
        QFETCH(int, style);
        QFETCH(QPoint, point);
        QFETCH(uint, expected);
        TGradProgress bar;
        bar.setBevelStyle(TGradProgress::TBevelStyle(style));
        bar.setBevelWidth(2);
        bar.setBackColor(clBlack);
        bar.setShowPercent(false);
        QCOMPARE(Rendered(bar).pixel(point), ToQColor(expected, bar.palette()).rgb());
    }

    void percentText_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rotated");
        QTest::newRow("horizontal") << int(TGradProgress::gsHorizontal) << QSize(150, 16) << 50 << QStringLiteral("50%") << false;
        QTest::newRow("horizontal, rounded") << int(TGradProgress::gsHorizontal) << QSize(17, 16) << 75 << QStringLiteral("76%") << false;
        QTest::newRow("narrow vertical") << int(TGradProgress::gsVertical) << QSize(16, 150) << 100 << QStringLiteral("100%") << true;
        QTest::newRow("wide vertical") << int(TGradProgress::gsVertical) << QSize(80, 150) << 100 << QStringLiteral("100%") << false;
    }
    void percentText()
    {
        QFETCH(int, style);
        QFETCH(QSize, size);
        QFETCH(int, position);
        QFETCH(QString, text);
        QFETCH(bool, rotated);
        TGradProgress bar;
        bar.resize(size);
        bar.setStyle(TGradProgress::TGradStyle(style));
        bar.setStartColor(clBlack);
        bar.setEndColor(clBlack);
        bar.setBackColor(clBlack);
        bar.setPosition(position);
        QCOMPARE(bar.PercentText(), text);
        QCOMPARE(bar.PercentRotated(), rotated);

        // The text is where it should be, lying along the bar when turned.
        const QImage with = Rendered(bar);
        bar.setShowPercent(false);
        const QRect ink = Difference(with, Rendered(bar));
        QVERIFY(!ink.isEmpty());
        if (rotated)
            QVERIFY2(ink.height() > ink.width(), qPrintable(QStringLiteral("%1x%2").arg(ink.width()).arg(ink.height())));
        else
            QVERIFY(ink.width() > ink.height());
        const QPoint centre = ink.center();
        QVERIFY2(qAbs(centre.x() - size.width() / 2) <= 3 && qAbs(centre.y() - size.height() / 2) <= 4,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
    }
};

PARBLOK_TEST_MAIN(TestGradProgress)
#include "tst_gradprogress.moc"
