#include "AppError.h"
#include "TestMain.h"
#include "formshape.h"

#include <QPainter>
#include <QWidget>

using BP = tformshape::TBalloonPosition;
Q_DECLARE_METATYPE(tformshape::TBalloonPosition)

namespace {

const QColor Cream(255, 255, 224);

// A dialog as the balloon windows are: cream, with something of its own painted in the middle.
class BalloonDialog : public QWidget
{
public:
    BalloonDialog()
    {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Cream);
        setPalette(palette);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(width() / 2 - 5, height() / 2 - 5, 10, 10), Qt::red);
    }
};

// A point well inside the tail: the centre of its triangle.
QPoint tailCentre(const QPolygon &tail)
{
    return (tail[0] + tail[1] + tail[2]) / 3;
}

// A point of the strip the tail stands in, at the far end from the tail: outside the balloon.
QPoint stripFarEnd(BP position, int w, int h, int indent)
{
    const int mid = indent / 2;
    switch (position) {
    case tformshape::bpTopLeft:
        return QPoint(w - 30, mid);
    case tformshape::bpTopRight:
        return QPoint(30, mid);
    case tformshape::bpLeftTop:
        return QPoint(mid, h - 30);
    case tformshape::bpLeftBottom:
        return QPoint(mid, 30);
    case tformshape::bpRightTop:
        return QPoint(w - 1 - mid, h - 30);
    case tformshape::bpRightBottom:
        return QPoint(w - 1 - mid, 30);
    case tformshape::bpBottomLeft:
        return QPoint(w - 30, h - 1 - mid);
    case tformshape::bpBottomRight:
        return QPoint(30, h - 1 - mid);
    case tformshape::bpNone:
        break;
    }
    return QPoint(-1, -1);
}

const BP AllPositions[] = {tformshape::bpTopLeft,    tformshape::bpLeftTop,
                           tformshape::bpTopRight,   tformshape::bpRightTop,
                           tformshape::bpBottomLeft, tformshape::bpLeftBottom,
                           tformshape::bpBottomRight, tformshape::bpRightBottom,
                           tformshape::bpNone};

QString positionName(BP position)
{
    return QString::fromLatin1(QMetaEnum::fromType<BP>().valueToKey(position));
}

} // namespace

class TestFormShape : public QObject
{
    Q_OBJECT

private slots:
    void ownerMustBeAForm_data();
    void ownerMustBeAForm();
    void sizesAcceptOnlyPositiveValues_data();
    void sizesAcceptOnlyPositiveValues();
    void balloonRegion_data();
    void balloonRegion();
    void appliedOnceLoaded_data();
    void appliedOnceLoaded();
    void shownBeforeTheLoopRuns();
    void keepsRectangularWithoutReshape();
    void followsResize();
    void outlinePainting_data();
    void outlinePainting();
};

void TestFormShape::ownerMustBeAForm_data()
{
    QTest::addColumn<int>("owner");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("top-level window") << 0 << true;
    QTest::newRow("child control") << 1 << false;
    QTest::newRow("no owner") << 2 << false;
}

void TestFormShape::ownerMustBeAForm()
{
    QFETCH(int, owner);
    QFETCH(bool, accepted);
    QWidget form;
    QWidget *child = new QWidget(&form);
    QWidget *const owners[] = {&form, child, nullptr};
    try {
        tformshape shape(owners[owner]);
        QVERIFY(accepted);
        QCOMPARE(shape.parent(), owners[owner]);
    } catch (const AppError &error) {
        QVERIFY(!accepted);
        QCOMPARE(error.message(), QString(QStringLiteral("Control parent must be a form!")));
    }
    // A refused component leaves nothing behind in its would-be owner.
    QCOMPARE(form.findChildren<tformshape *>().size(), 0);
}

void TestFormShape::sizesAcceptOnlyPositiveValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0") << 0 << 15;
    QTest::newRow("-5") << -5 << 15;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("30") << 30 << 30;
}

void TestFormShape::sizesAcceptOnlyPositiveValues()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    QWidget form;
    tformshape shape(&form);
    QCOMPARE(shape.BalloonEllips(), 20);
    shape.setBalloonIndent(value);
    QCOMPARE(shape.BalloonIndent(), expected);
    shape.setBalloonEllips(value);
    QCOMPARE(shape.BalloonEllips(), expected == 15 ? 20 : expected);
}

void TestFormShape::balloonRegion_data()
{
    QTest::addColumn<BP>("position");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("ellips");
    QTest::addColumn<int>("indent");
    for (const BP position : AllPositions)
        for (const QSize size : {QSize(406, 140), QSize(250, 120), QSize(130, 100)})
            QTest::newRow(qPrintable(QString(QStringLiteral("%1 %2x%3"))
                                         .arg(positionName(position))
                                         .arg(size.width())
                                         .arg(size.height())))
                << position << size << 20 << 15;
    QTest::newRow("bpRightTop, deep tail") << tformshape::bpRightTop << QSize(300, 150) << 30 << 25;
    QTest::newRow("bpBottomLeft, small corners") << tformshape::bpBottomLeft << QSize(300, 150) << 6
                                                 << 10;
}

void TestFormShape::balloonRegion()
{
    QFETCH(BP, position);
    QFETCH(QSize, size);
    QFETCH(int, ellips);
    QFETCH(int, indent);
    const int w = size.width();
    const int h = size.height();
    const QRegion region = tformshape::balloonRegion(position, w, h, ellips, indent);

    QVERIFY(QRect(0, 0, w, h).contains(region.boundingRect()));
    QVERIFY(region.contains(QPoint(w / 2, h / 2)));
    // The corners are rounded off.
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        QVERIFY2(!region.contains(corner), qPrintable(QString(QStringLiteral("corner %1,%2")).arg(corner.x()).arg(corner.y())));

    const QPolygon tail = tformshape::tailTriangle(position, w, h, ellips, indent);
    if (position == tformshape::bpNone) {
        QVERIFY(tail.isEmpty());
        QCOMPARE(region, tformshape::bodyRegion(position, w, h, ellips, indent));
        // Without a tail the body reaches all four sides.
        for (const QPoint side : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w - 2, h / 2), QPoint(w / 2, h - 2)})
            QVERIFY(region.contains(side));
        return;
    }
    QCOMPARE(tail.size(), 3);
    const QRegion body = tformshape::bodyRegion(position, w, h, ellips, indent);
    QCOMPARE(region - body, QRegion(tail, Qt::WindingFill).intersected(QRect(0, 0, w, h)) - body);
    QVERIFY(region.contains(tailCentre(tail)));
    QVERIFY(!tformshape::bodyRegion(position, w, h, ellips, indent).contains(tailCentre(tail)));
    const QPoint strip = stripFarEnd(position, w, h, indent);
    QVERIFY2(!region.contains(strip), qPrintable(QString(QStringLiteral("strip %1,%2")).arg(strip.x()).arg(strip.y())));

    // The tail reaches the window's edge at its tip; beside the tip, across the tail, the window
    // is cut away.
    const QPoint tip(qBound(0, tail[0].x(), w - 1), qBound(0, tail[0].y(), h - 1));
    const QPoint towardBase((tail[1].x() > tail[0].x()) - (tail[1].x() < tail[0].x()),
                            (tail[1].y() > tail[0].y()) - (tail[1].y() < tail[0].y()));
    const QPoint across = tail[2] - tail[1];
    const QPoint nearTip = tip + towardBase * 3 + across / qMax(1, indent);
    QVERIFY2(region.contains(nearTip), qPrintable(QString(QStringLiteral("tip %1,%2")).arg(nearTip.x()).arg(nearTip.y())));
    const QPoint beside = tip + across - across / qMax(1, indent);
    QVERIFY2(!region.contains(beside), qPrintable(QString(QStringLiteral("beside %1,%2")).arg(beside.x()).arg(beside.y())));
}

void TestFormShape::appliedOnceLoaded_data()
{
    QTest::addColumn<BP>("position");
    QTest::newRow("bpRightTop") << tformshape::bpRightTop;
    QTest::newRow("bpBottomRight") << tformshape::bpBottomRight;
    QTest::newRow("bpNone") << tformshape::bpNone;
}

void TestFormShape::appliedOnceLoaded()
{
    QFETCH(BP, position);
    BalloonDialog form;
    form.resize(406, 140);
    tformshape *shape = new tformshape(&form);
    // The window's set-up goes on after the component is made; the shape waits for it.
    shape->setReshape(true);
    shape->setBalloonPosition(position);
    QVERIFY(!shape->isApplied());
    QVERIFY(form.mask().isEmpty());
    QCoreApplication::processEvents();
    QVERIFY(shape->isApplied());
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form.mask(), tformshape::balloonRegion(position, 406, 140, 20, 15));

    // Later changes of the properties do not reshape the window.
    shape->setBalloonPosition(tformshape::bpLeftTop);
    shape->Loaded();
    QCoreApplication::processEvents();
    QCOMPARE(form.mask(), tformshape::balloonRegion(position, 406, 140, 20, 15));
}

void TestFormShape::shownBeforeTheLoopRuns()
{
    BalloonDialog form;
    form.resize(300, 120);
    tformshape *shape = new tformshape(&form);
    shape->setReshape(true);
    shape->setBalloonPosition(tformshape::bpBottomRight);
    form.show();
    QVERIFY(shape->isApplied());
    QVERIFY(form.isVisible());
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form.mask(), tformshape::balloonRegion(tformshape::bpBottomRight, 300, 120, 20, 15));
}

void TestFormShape::keepsRectangularWithoutReshape()
{
    BalloonDialog form;
    form.resize(300, 120);
    tformshape *shape = new tformshape(&form);
    // Constructed, the component leaves the window alone until the window turns it on.
    QCOMPARE(shape->Reshape(), false);
    QCOMPARE(shape->BalloonPosition(), tformshape::bpTopLeft);
    QCOMPARE(shape->BalloonIndent(), 15);
    QCoreApplication::processEvents();
    form.show();
    QVERIFY(form.mask().isEmpty());
    QVERIFY(!form.windowFlags().testFlag(Qt::FramelessWindowHint));
    // Nor does it draw an outline over the window.
    const QImage image = form.grab().toImage();
    QCOMPARE(image.pixelColor(150, 0), Cream);
}

void TestFormShape::followsResize()
{
    BalloonDialog form;
    form.resize(300, 120);
    tformshape *shape = new tformshape(&form);
    shape->setReshape(true);
    shape->setBalloonPosition(tformshape::bpRightBottom);
    form.show();
    form.resize(360, 150);
    QCOMPARE(form.mask(), tformshape::balloonRegion(tformshape::bpRightBottom, 360, 150, 20, 15));
}

void TestFormShape::outlinePainting_data()
{
    QTest::addColumn<BP>("position");
    for (const BP position : AllPositions)
        QTest::newRow(qPrintable(positionName(position))) << position;
}

void TestFormShape::outlinePainting()
{
    QFETCH(BP, position);
    const int w = 300;
    const int h = 120;
    const int e = 20;
    const int i = 15;
    BalloonDialog form;
    form.resize(w, h);
    tformshape *shape = new tformshape(&form);
    shape->setReshape(true);
    shape->setBalloonPosition(position);
    QCoreApplication::processEvents();
    const QImage image = form.grab().toImage();

    // The window's own painting is kept.
    QCOMPARE(image.pixelColor(w / 2, h / 2), QColor(Qt::red));

    // The outline follows the window's edge without a gap: every pixel on the region's border is
    // black, or (along the tail, whose outline stands a pixel away from its region) touches a
    // black pixel.
    const QRegion region = form.mask();
    const QPolygon tail = tformshape::tailTriangle(position, w, h, e, i);
    const auto black = [&image](int x, int y) {
        return QRect(0, 0, image.width(), image.height()).contains(x, y)
               && image.pixelColor(x, y) == QColor(Qt::black);
    };
    const auto touchesBlack = [&black](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (black(x + dx, y + dy))
                    return true;
        return false;
    };
    for (const QRect &band : region) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (const int x : {band.left(), band.right()}) {
                if (region.contains(QPoint(x - 1, y)) && region.contains(QPoint(x + 1, y)))
                    continue;
                const bool onTail = tail.boundingRect().adjusted(-1, -1, 1, 1).contains(x, y);
                QVERIFY2(black(x, y) || (onTail && touchesBlack(x, y)),
                         qPrintable(QString(QStringLiteral("border pixel %1,%2")).arg(x).arg(y)));
            }
        }
    }

    if (position == tformshape::bpNone)
        return;
    // Where the tail meets the body the line is open: the middle of the tail's base shows the
    // window's colour.
    const QPoint baseMiddle = (tail[1] + tail[2]) / 2;
    const QPoint inward((tail[1].x() == tail[2].x()) ? (tail[0].x() > tail[1].x() ? -1 : 1) : 0,
                        (tail[1].y() == tail[2].y()) ? (tail[0].y() > tail[1].y() ? -1 : 1) : 0);
    QColor seen;
    for (int step = -2; step <= 2; ++step) {
        seen = image.pixelColor(baseMiddle + inward * step);
        if (seen == QColor(Qt::black))
            break;
    }
    QVERIFY2(seen != QColor(Qt::black), "the tail's base is drawn");
}

PARBLOK_TEST_MAIN(TestFormShape)
#include "tst_formshape.moc"
