#include "GradMath.h"
#include "GradText.h"
#include "TestMain.h"

#include <QAccessible>
#include <QPainter>

namespace {

// The columns that hold ink (pixels differing from `background`) in rows top..bottom.
QPair<int, int> InkColumns(const QImage &image, QRgb background, int top, int bottom)
{
    int first = -1, last = -1;
    for (int y = top; y <= bottom && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                if (first < 0 || x < first)
                    first = x;
                last = qMax(last, x);
            }
    return {first, last};
}

QImage Rendered(QWidget &host)
{
    return host.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestGradText : public QObject
{
    Q_OBJECT
private slots:
    void accessibleTexts()
    {
        // Its lines are its name and its hint its description, kept up to date.
        QWidget window;
        TGradText text(&window);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&text);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->role(), QAccessible::StaticText);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("GradText"));
        text.setLines({QStringLiteral("Hráč"), QStringLiteral("č. 1")});
        text.setToolTip(QStringLiteral("Pauza"));
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Hráč č. 1"));
        QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("Pauza"));
        text.setLines({});
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Hráč č. 1"));
    }

    void mulDivRoundsToNearest_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("expected");
        QTest::newRow("half rounds up") << 1 << 1 << 2 << 1;
        QTest::newRow("negative half rounds down") << -1 << 1 << 2 << -1;
        QTest::newRow("negative multiplier") << 1 << -1 << 2 << -1;
        QTest::newRow("two negatives") << -1 << -1 << 2 << 1;
        QTest::newRow("negative divisor") << 7 << 1 << -2 << -4;
        QTest::newRow("one third") << 4 << 1 << 3 << 1;
        QTest::newRow("two thirds") << 5 << 1 << 3 << 2;
        QTest::newRow("minus two thirds") << -5 << 1 << 3 << -2;
        QTest::newRow("step 191 of 100") << 191 << 100 << 255 << 75;
        QTest::newRow("step 2 of 100") << 2 << 100 << 255 << 1;
        QTest::newRow("nearly full") << 255 << 100 << 256 << 100;
        QTest::newRow("64-bit product") << (1 << 30) << 4 << 4 << (1 << 30);
        QTest::newRow("large exact") << 2000000000 << 3 << 6 << 1000000000;
        QTest::newRow("overflow") << (1 << 30) << 4 << 2 << -1;
        QTest::newRow("zero divisor") << 10 << 10 << 0 << -1;
        QTest::newRow("zero product") << 0 << 12345 << 7 << 0;
    }
    void mulDivRoundsToNearest()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, expected);
        QCOMPARE(MulDiv(a, b, c), expected);
    }

    void gradientColour_data()
    {
        QTest::addColumn<uint>("begin");
        QTest::addColumn<uint>("end");
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("yellow to red, start") << uint(clYellow) << uint(clRed) << 0 << 255 << 255 << 255 << 0;
        QTest::newRow("yellow to red, middle") << uint(clYellow) << uint(clRed) << 128 << 255 << 255 << 127 << 0;
        QTest::newRow("yellow to red, end") << uint(clYellow) << uint(clRed) << 255 << 255 << 255 << 0 << 0;
        QTest::newRow("red to blue at 100") << uint(clRed) << uint(clBlue) << 100 << 255 << 155 << 0 << 100;
        QTest::newRow("rounded, not cut") << uint(clBlack) << uint(RgbColor(100, 0, 0)) << 191 << 255 << 75 << 0 << 0;
        QTest::newRow("small step rounds up") << uint(clBlack) << uint(RgbColor(0, 100, 0)) << 2 << 255 << 0 << 1 << 0;
        QTest::newRow("below the start wraps") << uint(clWhite) << uint(clRed) << -1 << 255 << 255 << 0 << 0;
        QTest::newRow("other scale") << uint(clBlack) << uint(clWhite) << 3 << 10 << 77 << 77 << 77;
        QTest::newRow("system colour bits ignored") << uint(0x12000000 | clBlue) << uint(clBlack) << 0 << 255 << 0 << 0 << 255;
    }
    void gradientColour()
    {
        QFETCH(uint, begin);
        QFETCH(uint, end);
        QFETCH(int, t);
        QFETCH(int, scale);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        const TColor color = TGradientSteps(begin, end).At(t, scale);
        QCOMPARE(RedOf(color), red);
        QCOMPARE(GreenOf(color), green);
        QCOMPARE(BlueOf(color), blue);
    }

    void colourValues_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red") << uint(clRed) << QColor(255, 0, 0);
        QTest::newRow("blue") << uint(clBlue) << QColor(0, 0, 255);
        QTest::newRow("cream") << uint(14745599) << QColor(255, 255, 224);
        QTest::newRow("pink") << uint(10184434) << QColor(242, 102, 155);
        QTest::newRow("button face") << uint(clBtnFace) << QGuiApplication::palette().color(QPalette::Button);
        QTest::newRow("window text") << uint(clWindowText) << QGuiApplication::palette().color(QPalette::WindowText);
    }
    void colourValues()
    {
        QFETCH(uint, value);
        QFETCH(QColor, expected);
        QCOMPARE(ToQColor(value), expected);
        if (!IsSystemColor(value))
            QCOMPARE(FromQColor(expected), TColor(value));
    }

    // The fill is checked with a black-to-red gradient (red = t) that also runs green from 255
    // down to 0 (green = 255 − t), so a pixel tells which step painted it.
    void gradientStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::newRow("horizontal, left") << int(TGradText::gsHorizontal) << QSize(512, 10) << QPoint(0, 5) << 0 << 255;
        QTest::newRow("horizontal, inside") << int(TGradText::gsHorizontal) << QSize(512, 10) << QPoint(101, 9) << 50 << 205;
        QTest::newRow("horizontal, right") << int(TGradText::gsHorizontal) << QSize(512, 10) << QPoint(511, 0) << 255 << 0;
        QTest::newRow("horizontal, narrow bands rounded") << int(TGradText::gsHorizontal) << QSize(100, 4) << QPoint(50, 1) << 129 << 126;
        QTest::newRow("vertical, inside") << int(TGradText::gsVertical) << QSize(10, 512) << QPoint(3, 301) << 150 << 105;
        QTest::newRow("vertical, bottom") << int(TGradText::gsVertical) << QSize(10, 512) << QPoint(3, 511) << 255 << 0;
        QTest::newRow("rectangle, outermost") << int(TGradText::gsRectangle) << QSize(510, 510) << QPoint(1, 1) << 0 << 255;
        QTest::newRow("rectangle, left part") << int(TGradText::gsRectangle) << QSize(510, 510) << QPoint(100, 255) << 99 << 156;
        QTest::newRow("rectangle, centre") << int(TGradText::gsRectangle) << QSize(510, 510) << QPoint(255, 255) << 254 << 1;
        QTest::newRow("rectangle, wide") << int(TGradText::gsRectangle) << QSize(1020, 10) << QPoint(50, 5) << 24 << 231;
        QTest::newRow("vertical centre, top") << int(TGradText::gsVertCenter) << QSize(8, 21) << QPoint(2, 0) << 0 << 255;
        QTest::newRow("vertical centre, row 3") << int(TGradText::gsVertCenter) << QSize(8, 21) << QPoint(2, 3) << 77 << 178;
        QTest::newRow("vertical centre, mirrored row") << int(TGradText::gsVertCenter) << QSize(8, 21) << QPoint(2, 17) << 77 << 178;
        QTest::newRow("vertical centre, middle") << int(TGradText::gsVertCenter) << QSize(8, 21) << QPoint(2, 10) << 255 << 0;
        QTest::newRow("horizontal centre, column 3") << int(TGradText::gsHorizCenter) << QSize(21, 8) << QPoint(3, 7) << 77 << 178;
        QTest::newRow("horizontal centre, right") << int(TGradText::gsHorizCenter) << QSize(21, 8) << QPoint(20, 7) << 0 << 255;
    }
    void gradientStyles()
    {
        QFETCH(int, style);
        QFETCH(QSize, size);
        QFETCH(QPoint, point);
        QFETCH(int, red);
        QFETCH(int, green);
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        TGradText::FillGradient(image, TGradText::TGradientStyle(style), RgbColor(0, 255, 0),
                                RgbColor(255, 0, 0));
        const QColor pixel = image.pixelColor(point);
        QCOMPARE(pixel.alpha(), 255);
        QCOMPARE(pixel.red(), red);
        QCOMPARE(pixel.green(), green);
        QCOMPARE(pixel.blue(), 0);
    }

    void propertiesThroughMetaObject()
    {
        TGradText text;
        QCOMPARE(text.property("BeginColor").value<TColor>(), clYellow);
        QCOMPARE(text.property("EndColor").value<TColor>(), clRed);
        QCOMPARE(text.property("GradientStyle").toInt(), int(TGradText::gsVertical));
        QCOMPARE(text.property("Justification").toInt(), int(TGradText::jCenter));
        QCOMPARE(text.Lines(), QStringList{QStringLiteral("GradText")});
        QVERIFY(text.Font().bold() && text.Font().italic());
        QCOMPARE(text.Font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(text.Font().pixelSize(), 24); // 18 points
        QCOMPARE(text.size(), QSize(75, 25));

        QVERIFY(text.setProperty("BeginColor", QVariant::fromValue<TColor>(clBlue)));
        QVERIFY(text.setProperty("GradientStyle", int(TGradText::gsRectangle)));
        QVERIFY(text.setProperty("Lines", QStringList{QStringLiteral("Hráč 1")}));
        QCOMPARE(text.BeginColor(), clBlue);
        QCOMPARE(text.GradientStyle(), TGradText::gsRectangle);
        QCOMPARE(text.Text(), QStringLiteral("Hráč 1"));
    }

    void emptyLinesKeepTheText()
    {
        TGradText text;
        text.setLines({QStringLiteral("Pauza")});
        const QSize before = text.size();
        text.setLines({});
        QCOMPARE(text.Lines(), QStringList{QStringLiteral("Pauza")});
        QCOMPARE(text.size(), before);
    }

    void sizesItselfToItsLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one line") << QStringList{QStringLiteral("Hráč č. 1")};
        QTest::newRow("two lines") << QStringList{QStringLiteral("Hráč 1"), QStringLiteral("Pokročilá")};
        QTest::newRow("an ampersand is a letter") << QStringList{QStringLiteral("Tom&Jerry &&")};
        QTest::newRow("three lines") << QStringList{QStringLiteral("a"), QStringLiteral("Standardní"), QStringLiteral("Trénink")};
    }
    void sizesItselfToItsLines()
    {
        QFETCH(QStringList, lines);
        TGradText text;
        text.resize(400, 25);
        text.setLines(lines);
        text.grab(); // a paint sizes the control
        const QFontMetrics metrics(text.font());
        int widest = 0;
        for (const QString &line : lines)
            widest = qMax(widest, metrics.horizontalAdvance(line));
        // Each line is as tall as the font's line spacing; the layout may round each up.
        const int count = int(lines.size());
        QVERIFY2(text.width() >= widest && text.width() <= widest + 4,
                 qPrintable(QStringLiteral("%1 for %2").arg(text.width()).arg(widest)));
        QVERIFY2(text.height() >= count * metrics.lineSpacing()
                     && text.height() <= count * (metrics.lineSpacing() + 1),
                 qPrintable(QString::number(text.height())));
        QCOMPARE(text.Text(), lines.join(QLatin1Char('\r')));
    }

    void longLineWrapsWithinTheWidth()
    {
        TGradText text;
        text.resize(120, 25);
        text.setLines({QStringLiteral("Malé strpení, spouštím program")});
        text.grab();
        const QFontMetrics metrics(text.font());
        QVERIFY(text.width() <= 120);
        QVERIFY(text.height() >= 2 * metrics.lineSpacing());
    }

    // A form sets the geometry, then the font, then the lines; the default text must not narrow
    // the control before the real text arrives.
    void formOrderKeepsOneLine()
    {
        QWidget form;
        auto *title = new TGradText(&form);
        title->setGeometry(8, 8, 300, 43);
        QFont face(QStringLiteral("Times New Roman"));
        face.setPixelSize(37);
        face.setBold(true);
        face.setItalic(true);
        title->setFont(face);
        title->setLines({QStringLiteral("Parblok 2000")});
        QCOMPARE(title->size(), QSize(300, 43));
        form.grab();
        const QFontMetrics metrics(face);
        QVERIFY2(title->height() >= metrics.height() && title->height() <= metrics.lineSpacing() + 1,
                 qPrintable(QString::number(title->height())));
        QVERIFY(title->width() < 300);
    }

    // Only the letters are painted, over whatever lies beneath, filled with the gradient.
    void paintsOnlyTheLettersInGradient()
    {
        QWidget host;
        host.resize(300, 80);
        host.setAutoFillBackground(true);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, QColor(0, 255, 0));
        host.setPalette(palette);
        auto *text = new TGradText(&host);
        text->move(10, 10);
        text->setGradientStyle(TGradText::gsHorizontal);
        text->setBeginColor(clRed);
        text->setEndColor(clBlue);
        text->resize(300, 25);
        text->setLines({QStringLiteral("Parblok 2000")});
        text->FitToText();
        const QImage image = Rendered(host);
        const QRgb background = qRgb(0, 255, 0);
        QCOMPARE(image.pixel(text->x(), text->y()), background);

        const auto [first, last] = InkColumns(image, background, text->y(), text->geometry().bottom());
        QVERIFY(first >= text->x() && last <= text->geometry().right());
        QVERIFY(last - first > text->width() / 2);
        // The strongest ink at the left end is red, at the right end blue.
        auto strongest = [&](int column) {
            QColor best(background);
            for (int y = text->y(); y <= text->geometry().bottom(); ++y) {
                const QColor pixel = image.pixelColor(column, y);
                if (pixel.green() < best.green())
                    best = pixel;
            }
            return best;
        };
        const QColor left = strongest(first + 2);
        const QColor right = strongest(last - 2);
        QVERIFY2(left.red() > left.blue(), qPrintable(left.name()));
        QVERIFY2(right.blue() > right.red(), qPrintable(right.name()));
    }

    void justificationAlignsEachLine_data()
    {
        QTest::addColumn<int>("justification");
        QTest::newRow("left") << int(TGradText::jLeft);
        QTest::newRow("centre") << int(TGradText::jCenter);
        QTest::newRow("right") << int(TGradText::jRight);
    }
    void justificationAlignsEachLine()
    {
        QFETCH(int, justification);
        QWidget host;
        host.resize(400, 120);
        host.setAutoFillBackground(true);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, Qt::white);
        host.setPalette(palette);
        auto *text = new TGradText(&host);
        text->setBeginColor(clBlack);
        text->setEndColor(clBlack);
        text->setJustification(TGradText::TJustification(justification));
        text->resize(400, 25);
        text->setLines({QStringLiteral("Pokročilá Standardní"), QStringLiteral("1")});
        text->FitToText();
        const QImage image = Rendered(host);
        const int lineSpacing = QFontMetrics(text->font()).lineSpacing();
        const auto [first, last] = InkColumns(image, qRgb(255, 255, 255), lineSpacing,
                                              text->height() - 1);
        QVERIFY(first >= 0);
        const int middle = (first + last) / 2;
        switch (justification) {
        case TGradText::jLeft:
            QVERIFY2(first < text->width() / 6, qPrintable(QString::number(first)));
            break;
        case TGradText::jCenter:
            QVERIFY2(qAbs(middle - text->width() / 2) < text->width() / 10, qPrintable(QString::number(middle)));
            break;
        case TGradText::jRight:
            QVERIFY2(last > text->width() * 5 / 6, qPrintable(QString::number(last)));
            break;
        }
    }
};

PARBLOK_TEST_MAIN(TestGradText)
#include "tst_gradtext.moc"
