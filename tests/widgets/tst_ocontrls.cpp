#include "OContrls.h"
#include "TestMain.h"
#include "WidgetArt.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <algorithm>

namespace {

// Steps of a mouse script: enter, leave, move (inside, no button), press, release, dragout,
// dragin, rpress, rrelease (right button), dbl (the second press of a double click), disable,
// enable.
void play(TOfficeControl &control, const QString &script)
{
    const QPoint inside(control.width() / 2, control.height() / 2);
    const QPoint outside(control.width() + 20, inside.y());
    const auto mouse = [&control](QEvent::Type type, QPoint at, Qt::MouseButton button,
                                  Qt::MouseButtons held) {
        QMouseEvent event(type, at, control.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&control, &event);
    };
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QStringLiteral("enter")) {
            QEnterEvent event(inside, inside, control.mapToGlobal(inside));
            QCoreApplication::sendEvent(&control, &event);
        } else if (step == QStringLiteral("leave")) {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(&control, &event);
        } else if (step == QStringLiteral("move")) {
            mouse(QEvent::MouseMove, inside, Qt::NoButton, Qt::NoButton);
        } else if (step == QStringLiteral("press")) {
            mouse(QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
        } else if (step == QStringLiteral("dbl")) {
            mouse(QEvent::MouseButtonDblClick, inside, Qt::LeftButton, Qt::LeftButton);
        } else if (step == QStringLiteral("release")) {
            mouse(QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton);
        } else if (step == QStringLiteral("releaseout")) {
            mouse(QEvent::MouseButtonRelease, outside, Qt::LeftButton, Qt::NoButton);
        } else if (step == QStringLiteral("dragout")) {
            mouse(QEvent::MouseMove, outside, Qt::NoButton, Qt::LeftButton);
        } else if (step == QStringLiteral("dragin")) {
            mouse(QEvent::MouseMove, inside, Qt::NoButton, Qt::LeftButton);
        } else if (step == QStringLiteral("rpress")) {
            mouse(QEvent::MouseButtonPress, inside, Qt::RightButton, Qt::RightButton);
        } else if (step == QStringLiteral("rrelease")) {
            mouse(QEvent::MouseButtonRelease, inside, Qt::RightButton, Qt::NoButton);
        } else if (step == QStringLiteral("disable")) {
            control.setEnabled(false);
        } else if (step == QStringLiteral("enable")) {
            control.setEnabled(true);
        } else if (step == QStringLiteral("closewindow")) {
            control.window()->show();
            control.window()->hide();
            control.window()->show();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
}

// A parent window of a known colour with the control on it, as the dialogs use them.
struct Stage
{
    explicit Stage(QColor color = QColor(255, 255, 224))
    {
        window.resize(300, 120);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, color);
        palette.setColor(QPalette::WindowText, Qt::black);
        window.setPalette(palette);
    }
    QWidget window;
};

// Rows made once for the button and once for the label: row(name) starts one, named with its
// kind, with the column "label" filled in.
template <typename Rows>
void forButtonAndLabel(Rows rows)
{
    for (const bool label : {false, true}) {
        const QString kind = label ? QStringLiteral("label: ") : QStringLiteral("button: ");
        rows([&](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(kind + QLatin1String(name))) << label;
        });
    }
}

// A button and a label on a parent window; control() gives the one a row asks for.
struct ButtonAndLabel
{
    Stage stage;
    TOfficeButton button{&stage.window};
    TOfficeLabel label{&stage.window};
    TOfficeControl &control(bool isLabel)
    {
        return isLabel ? static_cast<TOfficeControl &>(label) : button;
    }
};

// The colour a light picture shows at a point once composed over a background colour.
QColor composed(const QString &resource, QPoint at, QColor background)
{
    QImage image(WidgetArt::picture(resource).size(), QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, WidgetArt::picture(resource));
    painter.end();
    return image.pixelColor(at);
}

int countColor(const QImage &image, const QRect &area, QColor color, int tolerance = 0)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) <= tolerance
                && qAbs(c.green() - color.green()) <= tolerance
                && qAbs(c.blue() - color.blue()) <= tolerance)
                ++count;
        }
    return count;
}

// Pixels that differ clearly from the background: ink of the caption.
int ink(const QImage &image, const QRect &area, QColor background)
{
    return area.width() * area.height() - countColor(image, area, background, 40);
}

bool differs(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) > 8 || qAbs(a.green() - b.green()) > 8
        || qAbs(a.blue() - b.blue()) > 8;
}

} // namespace

class TestOfficeControls : public QObject
{
    Q_OBJECT

private slots:
    void constructedValues();
    void lightPictures_data();
    void lightPictures();
    void buttonSetters_data();
    void buttonSetters();
    void repaintOnlyOnChange_data();
    void repaintOnlyOnChange();
    void mouseScripts_data();
    void mouseScripts();
    void notifications_data();
    void notifications();
    void labelFrameToErase_data();
    void labelFrameToErase();
    void buttonLedFollowsState_data();
    void buttonLedFollowsState();
    void labelLedFollowsTypeAndState_data();
    void labelLedFollowsTypeAndState();
    void buttonPixels_data();
    void buttonPixels();
    void accessibleTexts();
    void pressMovesButtonCaption();
    void disabledCaptionIsGrey();
    void seeThroughTakesTheBackground();
    void labelDrawsDottedFrameWhileHeld();
    void labelShowsAmpersandAndWraps();
};

void TestOfficeControls::constructedValues()
{
    TOfficeButton button;
    QCOMPARE(button.size(), QSize(100, 25));
    QCOMPARE(button.Caption(), QString(QStringLiteral("OfficeButton")));
    QCOMPARE(button.BorderColor(), QColor(0x80, 0x80, 0x80));
    QCOMPARE(button.BorderWidth(), 1);
    QCOMPARE(button.ButtonColor(), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(button.RoundSize(), 20);
    QVERIFY(button.Transparent());
    QVERIFY(button.Enabled());
    QCOMPARE(button.property("RoundSize").toInt(), 20);

    TOfficeLabel label;
    QCOMPARE(label.size(), QSize(100, 17));
    QCOMPARE(label.Caption(), QString(QStringLiteral("OfficeLabel")));
    QCOMPARE(label.LabelColor(), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(label.LEDType(), TOfficeLabel::RoundLED);
    QVERIFY(label.Transparent());
    QCOMPARE(label.Font().family(), QString(QStringLiteral("MS Sans Serif")));
    QCOMPARE(label.Font().pixelSize(), 11);
    QVERIFY(!label.Font().bold() && !label.Font().italic() && !label.Font().underline());
    // The label's text starts 5 pixels right of its 20-pixel light.
    QCOMPARE(label.textRect().left(), 25);
}

void TestOfficeControls::lightPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("seeThrough");
    QTest::addColumn<int>("state");
    const QColor white(0xFF, 0xFF, 0xFF);
    const QColor yellow(0xFF, 0xFF, 0x00);
    const char *const states[] = {"OFF", "ON", "DOWN"};
    for (int state = 0; state < 3; ++state) {
        const QString prefix = QLatin1String(states[state]);
        QTest::newRow(qPrintable(prefix)) << prefix << QSize(11, 11) << white << state;
        QTest::newRow(qPrintable(prefix + QStringLiteral("RND"))) << prefix + QStringLiteral("RND") << QSize(20, 16) << yellow
                                                  << state;
        QTest::newRow(qPrintable(prefix + QStringLiteral("3DWN"))) << prefix + QStringLiteral("3DWN") << QSize(20, 11) << yellow
                                                   << state;
        QTest::newRow(qPrintable(prefix + QStringLiteral("3UP"))) << prefix + QStringLiteral("3UP") << QSize(20, 11) << yellow
                                                  << state;
    }
}

void TestOfficeControls::lightPictures()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QColor, seeThrough);
    QFETCH(int, state);
    const QImage image =
        WidgetArt::picture(WidgetArt::ledPath(name)).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), size);

    // The light stands on its see-through colour, which shows in the corners.
    const int w = size.width() - 1;
    const int h = size.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
        QCOMPARE(image.pixelColor(corner), seeThrough);

    // The light itself, its fully opaque pixels other than the see-through colour: a dark blue
    // light when idle, teal when hot, a bright cyan when held.
    int count = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 255 || c == seeThrough)
                continue;
            ++count;
            red += c.red();
            green += c.green();
            blue += c.blue();
        }
    QVERIFY(count > size.width() * size.height() / 6);
    red /= count;
    green /= count;
    blue /= count;
    const QString seen = QString(QStringLiteral("average %1,%2,%3")).arg(red).arg(green).arg(blue);
    switch (state) {
    case 0:
        QVERIFY2(blue > green + 50 && blue > red + 50 && blue < 200, qPrintable(seen));
        break;
    case 1:
        QVERIFY2(qAbs(green - blue) < 40 && green > red + 50 && green < 200, qPrintable(seen));
        break;
    default:
        QVERIFY2(green >= 180 && blue >= 180 && green > red + 50, qPrintable(seen));
        break;
    }
}

void TestOfficeControls::buttonSetters_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expected");
    QTest::newRow("2") << 2 << 2;
    QTest::newRow("3") << 3 << 3;
    QTest::newRow("0 refused") << 0 << 1;
    QTest::newRow("4 refused") << 4 << 1;
    QTest::newRow("-2 refused") << -2 << 1;
}

void TestOfficeControls::buttonSetters()
{
    QFETCH(int, width);
    QFETCH(int, expected);
    TOfficeButton button;
    button.setBorderWidth(width);
    QCOMPARE(button.BorderWidth(), expected);
    // 15 is an ordinary value when set from code.
    button.setRoundSize(15);
    QCOMPARE(button.RoundSize(), 15);
}

void TestOfficeControls::repaintOnlyOnChange_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("repaints");
    QTest::newRow("button caption changed") << "button.Caption" << QVariant(QStringLiteral("Ano")) << true;
    QTest::newRow("button caption same") << "button.Caption" << QVariant(QStringLiteral("OfficeButton")) << false;
    QTest::newRow("border width changed") << "button.BorderWidth" << QVariant(2) << true;
    QTest::newRow("border width same") << "button.BorderWidth" << QVariant(1) << false;
    QTest::newRow("button colour changed") << "button.ButtonColor" << QVariant(QColor(Qt::red))
                                           << true;
    QTest::newRow("button colour same") << "button.ButtonColor"
                                        << QVariant(QColor(0xC0, 0xC0, 0xC0)) << false;
    QTest::newRow("border colour is only stored") << "button.BorderColor"
                                                  << QVariant(QColor(Qt::blue)) << false;
    QTest::newRow("round size changed") << "button.RoundSize" << QVariant(10) << true;
    QTest::newRow("round size same") << "button.RoundSize" << QVariant(20) << false;
    QTest::newRow("button transparent changed") << "button.Transparent" << QVariant(false) << true;
    QTest::newRow("label caption changed") << "label.Caption" << QVariant(QStringLiteral("Trénink")) << true;
    QTest::newRow("label colour changed") << "label.LabelColor" << QVariant(QColor(Qt::green))
                                          << true;
    QTest::newRow("label colour same") << "label.LabelColor" << QVariant(QColor(0xC0, 0xC0, 0xC0))
                                       << false;
    QTest::newRow("led type changed")
        << "label.LEDType" << QVariant::fromValue(TOfficeLabel::TriLEDUp) << true;
    QTest::newRow("led type same")
        << "label.LEDType" << QVariant::fromValue(TOfficeLabel::RoundLED) << false;
    QTest::newRow("label transparent same") << "label.Transparent" << QVariant(true) << false;
}

void TestOfficeControls::repaintOnlyOnChange()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(bool, repaints);

    Stage stage;
    TOfficeButton button(&stage.window);
    TOfficeLabel label(&stage.window);
    label.move(0, 40);
    stage.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&stage.window));
    QCoreApplication::processEvents();

    QWidget *target = property.startsWith(QStringLiteral("button.")) ? static_cast<QWidget *>(&button) : &label;
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    target->installEventFilter(&counter);
    const QByteArray name = property.section(QLatin1Char('.'), 1).toLatin1();
    QVERIFY(target->setProperty(name, value));
    QCOMPARE(target->property(name), value);
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints > 0, repaints);
}

void TestOfficeControls::mouseScripts_data()
{
    QTest::addColumn<bool>("label");
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("hot");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("doubleClicks");

    forButtonAndLabel([](const auto &row) {
        row("hover") << "enter" << true << false << 0 << 0 << 0;
        row("hover and leave") << "enter leave" << false << false << 0 << 0 << 0;
        row("move inside without enter") << "move" << true << false << 0 << 0 << 0;
        row("held") << "enter press" << true << true << 1 << 0 << 0;
        row("click") << "enter press release" << true << false << 0 << 1 << 0;
        row("press without hover first") << "press release" << true << false << 0 << 1 << 0;
        row("dragged out") << "enter press dragout" << false << true << 0 << 0 << 0;
        row("dragged out and back") << "enter press dragout dragin" << true << true << 1 << 0
                                     << 0;
        row("released outside") << "enter press dragout releaseout" << false << false << 0 << 0
                                 << 0;
        row("back in and released") << "enter press dragout dragin release" << true << false
                                     << 0 << 1 << 0;
        row("leave while held keeps pressed") << "enter press leave" << false << true << 0 << 0
                                               << 0;
        row("right button") << "enter rpress" << true << true << 1 << 0 << 0;
        row("right click is no click") << "enter rpress rrelease" << true << false << 0 << 0 << 0;
        row("double click") << "enter press release dbl release" << true << false << 0 << 1 << 1;
        row("disabled hover") << "disable enter move" << false << false << 0 << 0 << 0;
        row("disabled click") << "disable enter press release" << false << false << 0 << 0 << 0;
        row("disabled double click") << "disable enter press release dbl release" << false
                                      << false << 0 << 0 << 0;
        row("disabled while held") << "enter press disable" << false << false << 0 << 0 << 0;
        row("disabled while held, released")
            << "enter press disable release" << false << false << 0 << 0 << 0;
        row("re-enabled starts clear") << "enter press disable enable" << false << false << 0
                                        << 0 << 0;
        row("re-enabled, then moved") << "enter press disable enable move" << true << false << 0
                                       << 0 << 0;
        row("window closed while hot opens unlit") << "enter closewindow" << false << false << 0
                                                    << 0 << 0;
        row("window closed while held, released")
            << "enter press closewindow release" << false << false << 0 << 0 << 0;
        row("re-enabled, held release clicks nothing")
            << "enter press disable enable release" << false << false << 0 << 0 << 0;
    });
}

void TestOfficeControls::mouseScripts()
{
    QFETCH(bool, label);
    QFETCH(QString, script);
    QFETCH(bool, hot);
    QFETCH(bool, pressed);
    QFETCH(int, offset);
    QFETCH(int, clicks);
    QFETCH(int, doubleClicks);

    ButtonAndLabel controls;
    TOfficeControl &control = controls.control(label);
    QSignalSpy clicked(&control, &TOfficeControl::clicked);
    QSignalSpy doubleClicked(&control, &TOfficeControl::doubleClicked);

    play(control, script);
    QCOMPARE(control.isHot(), hot);
    QCOMPARE(control.isPressed(), pressed);
    if (!label)
        QCOMPARE(controls.button.pressOffset(), offset);
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(doubleClicked.count(), doubleClicks);
}

void TestOfficeControls::notifications_data()
{
    QTest::addColumn<bool>("label");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    forButtonAndLabel([](const auto &row) {
        row("hover") << "enter leave" << "enter leave";
        row("one leave only") << "enter leave leave" << "enter leave";
        row("move inside is no enter") << "move" << "move";
        row("click") << "enter press release" << "enter down up";
        row("right button") << "enter rpress rrelease" << "enter down up";
        row("dragged out and back") << "enter press dragout dragin release"
                                    << "enter down leave enter move up";
        row("disabled") << "disable enter move press release leave" << "";
        row("disabled while held") << "enter press disable release leave" << "enter down";
    });
}

void TestOfficeControls::notifications()
{
    QFETCH(bool, label);
    QFETCH(QString, script);
    QFETCH(QString, expected);
    ButtonAndLabel controls;
    TOfficeControl &control = controls.control(label);
    QStringList seen;
    connect(&control, &TOfficeControl::mouseEnter, [&seen] { seen << QStringLiteral("enter"); });
    connect(&control, &TOfficeControl::mouseLeave, [&seen] { seen << QStringLiteral("leave"); });
    connect(&control, &TOfficeControl::mouseDown, [&seen] { seen << QStringLiteral("down"); });
    connect(&control, &TOfficeControl::mouseUp, [&seen] { seen << QStringLiteral("up"); });
    connect(&control, &TOfficeControl::mouseMove, [&seen](Qt::KeyboardModifiers, int x, int) {
        // Drags outside the control are not of interest here.
        if (x < 100)
            seen << QStringLiteral("move");
    });
    play(control, script);
    QCOMPARE(seen.join(QLatin1Char(' ')), expected);
}

void TestOfficeControls::labelFrameToErase_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("beforePaint");
    QTest::addColumn<bool>("afterPaint");
    QTest::newRow("hover") << "enter" << false << false;
    QTest::newRow("leave") << "enter leave" << true << false;
    QTest::newRow("click, still hot") << "enter press release" << true << true;
    QTest::newRow("click, then leave") << "enter press release leave" << true << false;
    QTest::newRow("re-enabled") << "enter leave disable enable" << false << false;
}

void TestOfficeControls::labelFrameToErase()
{
    QFETCH(QString, script);
    QFETCH(bool, beforePaint);
    QFETCH(bool, afterPaint);
    Stage stage;
    TOfficeLabel label(&stage.window);
    play(label, script);
    QCOMPARE(label.frameToErase(), beforePaint);
    // A frame is wiped by the first paint once the label is no longer hot.
    label.grab();
    QCOMPARE(label.frameToErase(), afterPaint);
}

void TestOfficeControls::buttonLedFollowsState_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("offset");
    QTest::newRow("idle") << "" << "OFF" << 0;
    QTest::newRow("hot") << "enter" << "ON" << 0;
    QTest::newRow("held") << "enter press" << "DOWN" << 1;
    QTest::newRow("dragged out") << "enter press dragout" << "OFF" << 0;
}

void TestOfficeControls::buttonLedFollowsState()
{
    QFETCH(QString, script);
    QFETCH(QString, picture);
    QFETCH(int, offset);
    const QColor background(255, 255, 224);
    Stage stage(background);
    TOfficeButton button(&stage.window);
    play(button, script);
    QCOMPARE(button.ledResource(), WidgetArt::ledPath(picture));

    // The light sits 7 pixels from the left, centred in height, moved by the press offset.
    const QImage image = button.grab().toImage();
    const QPoint origin(7 + offset, (button.height() - 11) / 2 + offset);
    for (const QPoint at : {QPoint(5, 5), QPoint(3, 4), QPoint(7, 6)}) {
        const QColor expected = composed(WidgetArt::ledPath(picture), at, background);
        const QColor actual = image.pixelColor(origin + at);
        QVERIFY2(!differs(actual, expected),
                 qPrintable(QString(QStringLiteral("at %1,%2: %3 instead of %4"))
                                .arg(at.x())
                                .arg(at.y())
                                .arg(actual.name(), expected.name())));
    }
}

void TestOfficeControls::labelLedFollowsTypeAndState_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("picture");
    const char *const kinds[] = {"RND", "3DWN", "3UP"};
    for (int type = 0; type < 3; ++type) {
        const QString kind = QLatin1String(kinds[type]);
        QTest::newRow(qPrintable(QStringLiteral("idle ") + kind)) << type << "" << QStringLiteral("OFF") + kind;
        QTest::newRow(qPrintable(QStringLiteral("hot ") + kind)) << type << "enter" << QStringLiteral("ON") + kind;
        QTest::newRow(qPrintable(QStringLiteral("held ") + kind)) << type << "enter press" << QStringLiteral("DOWN") + kind;
        QTest::newRow(qPrintable(QStringLiteral("released ") + kind)) << type << "enter press release"
                                                      << QStringLiteral("ON") + kind;
    }
}

void TestOfficeControls::labelLedFollowsTypeAndState()
{
    QFETCH(int, type);
    QFETCH(QString, script);
    QFETCH(QString, picture);
    const QColor background(255, 255, 224);
    Stage stage(background);
    TOfficeLabel label(&stage.window);
    label.setLEDType(TOfficeLabel::TLEDType(type));
    play(label, script);
    QCOMPARE(label.ledResource(), WidgetArt::ledPath(picture));

    const QImage image = label.grab().toImage();
    const QPixmap led = WidgetArt::picture(WidgetArt::ledPath(picture));
    const QPoint centre(led.width() / 2, led.height() / 2);
    QVERIFY(!differs(image.pixelColor(centre), composed(WidgetArt::ledPath(picture), centre,
                                                        background)));
}

void TestOfficeControls::buttonPixels_data()
{
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<bool>("hot");
    for (const int width : {1, 2, 3}) {
        QTest::newRow(qPrintable(QString(QStringLiteral("idle, width %1")).arg(width))) << width << false;
        QTest::newRow(qPrintable(QString(QStringLiteral("hot, width %1")).arg(width))) << width << true;
    }
}

void TestOfficeControls::buttonPixels()
{
    // The frame and the face sit on whole pixels: every pixel around the light and the caption
    // is the parent's colour, the frame's or the face's, nothing in between; hot shows a white
    // highlight along the top.
    QFETCH(int, borderWidth);
    QFETCH(bool, hot);
    const QColor background(255, 255, 224);
    const QColor face(0, 128, 255);
    const QColor border(200, 0, 0);
    Stage stage(background);
    TOfficeButton button(&stage.window);
    button.resize(120, 31);
    button.setTransparent(false);
    button.setButtonColor(face);
    button.setBorderWidth(borderWidth);
    button.setBorderColor(border);
    if (hot)
        play(button, QStringLiteral("enter"));
    const QImage image = button.grab().toImage();
    const int w = button.width();
    const int h = button.height();
    const auto row = [&image](int y, int from, int to) {
        QString seen;
        for (int x = from; x < to; ++x) {
            const QColor c = image.pixelColor(x, y);
            seen += QLatin1Char(c == QColor(255, 255, 224) ? '.' : c == QColor(0, 128, 255) ? 'f'
                  : c == QColor(200, 0, 0) || c == QColor(0xC0, 0xC0, 0xC0) ? '#'
                  : c == QColor(Qt::white) ? 'w' : '?');
        }
        return seen;
    };
    for (const int y : {12, h / 2, 19}) { // along the straight sides
        const QString left = row(y, 0, 7);
        const QString right = row(y, w - 7, w);
        QVERIFY2(!left.contains(QLatin1Char('?')) && !right.contains(QLatin1Char('?')), qPrintable(left + QStringLiteral(" ") + right));
        // From the outside in: the parent's colour, the frame, then the face.
        const QRegularExpression shape(QStringLiteral("^\\.*#+f+$"));
        QVERIFY2(shape.match(left).hasMatch(), qPrintable(left));
        QString mirrored = right;
        std::reverse(mirrored.begin(), mirrored.end());
        QVERIFY2(shape.match(mirrored).hasMatch(), qPrintable(right));
        // Idle a silver frame as wide as the border, hot one pixel wider in the border colour.
        const int frame = hot ? borderWidth + 1 : borderWidth;
        QVERIFY2(left.count(QLatin1Char('#')) == frame && right.count(QLatin1Char('#')) == frame, qPrintable(left + QStringLiteral(" ") + right));
    }
    QCOMPARE(image.pixelColor(w / 2, h - borderWidth - 4), face);
    QCOMPARE(image.pixelColor(0, 0), background);
    QCOMPARE(image.pixelColor(w / 2, borderWidth + 2), hot ? QColor(Qt::white) : face);
}

void TestOfficeControls::accessibleTexts()
{
    // Caption and hint reach assistive tools as name and description, and follow their changes;
    // the button is a button and the label a link, both pressable.
    Stage stage(QColor(255, 255, 224));
    TOfficeButton button(&stage.window);
    TOfficeLabel label(&stage.window);
    int clicks = 0;
    QObject::connect(&button, &TOfficeControl::clicked, [&clicks] { ++clicks; });
    QObject::connect(&label, &TOfficeControl::clicked, [&clicks] { ++clicks; });
    for (TOfficeControl *control : {static_cast<TOfficeControl *>(&button), static_cast<TOfficeControl *>(&label)}) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->role(), control == &button ? QAccessible::Button : QAccessible::Link);
        QCOMPARE(accessible->text(QAccessible::Name), control->Caption());
        control->setCaption(QStringLiteral("Začít"));
        control->setToolTip(QStringLiteral("Zahájí práci"));
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Začít"));
        QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("Zahájí práci"));
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        control->setEnabled(false);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(clicks, 2);
}

void TestOfficeControls::pressMovesButtonCaption()
{
    Stage stage;
    TOfficeButton button(&stage.window);
    button.setCaption(QStringLiteral("Zpět"));
    play(button, QStringLiteral("enter"));
    const QImage hot = button.grab().toImage();
    play(button, QStringLiteral("press"));
    const QImage held = button.grab().toImage();

    // The caption area of the held button is the hot button's, one pixel right and down.
    const QFontMetrics metrics(button.font());
    const QRect caption((button.width() - metrics.horizontalAdvance(QStringLiteral("Zpět"))) / 2 + 7,
                        (button.height() - metrics.height()) / 2,
                        metrics.horizontalAdvance(QStringLiteral("Zpět")), metrics.height());
    QVERIFY(ink(hot, caption, QColor(255, 255, 224)) > 10);
    for (int y = caption.top(); y <= caption.bottom(); ++y)
        for (int x = caption.left(); x <= caption.right(); ++x)
            QCOMPARE(held.pixel(x + 1, y + 1), hot.pixel(x, y));
}

void TestOfficeControls::disabledCaptionIsGrey()
{
    Stage stage;
    for (const bool label : {false, true}) {
        TOfficeButton button(&stage.window);
        TOfficeLabel officeLabel(&stage.window);
        TOfficeControl &control = label ? static_cast<TOfficeControl &>(officeLabel) : button;
        control.resize(200, 25);
        control.setCaption(QStringLiteral("IIIIIIII"));
        const QRect area = label ? officeLabel.textRect() : control.rect().adjusted(20, 3, -3, -3);
        const QImage enabled = control.grab().toImage();
        control.setEnabled(false);
        const QImage disabled = control.grab().toImage();
        QVERIFY2(countColor(enabled, area, Qt::black, 16) > 8, label ? "label" : "button");
        QCOMPARE(countColor(disabled, area, Qt::black, 16), 0);
        QVERIFY(countColor(disabled, area, QColor(0x80, 0x80, 0x80), 16) > 8);
    }
}

void TestOfficeControls::seeThroughTakesTheBackground()
{
    // Around the light the picture's see-through pixels take the control's background colour.
    const QColor parentColor(200, 100, 50);
    Stage stage(parentColor);
    TOfficeLabel label(&stage.window);
    label.setTransparent(false);
    label.setLabelColor(QColor(10, 200, 30));
    TOfficeButton button(&stage.window);

    const QImage labelImage = label.grab().toImage();
    QCOMPARE(labelImage.pixelColor(0, 0), QColor(10, 200, 30));
    QCOMPARE(labelImage.pixelColor(19, 15), QColor(10, 200, 30));
    label.setTransparent(true);
    QCOMPARE(label.grab().toImage().pixelColor(0, 0), parentColor);

    const QImage buttonImage = button.grab().toImage();
    const int top = (button.height() - 11) / 2;
    QCOMPARE(buttonImage.pixelColor(7, top), parentColor);
}

void TestOfficeControls::labelDrawsDottedFrameWhileHeld()
{
    const QColor background(255, 255, 224);
    Stage stage(background);
    TOfficeLabel label(&stage.window);
    label.resize(200, 17);
    label.setCaption(QStringLiteral(""));
    const QRect frame = label.frameRect();
    QCOMPARE(frame, QRect(QPoint(22, 0), QPoint(198, 15)));
    const QRect leftEdge(frame.left(), frame.top(), 1, frame.height());
    const QRect bottomEdge(frame.left(), frame.bottom(), frame.width(), 1);

    play(label, QStringLiteral("enter"));
    QCOMPARE(countColor(label.grab().toImage(), leftEdge, Qt::black), 0);
    play(label, QStringLiteral("press"));
    const QImage held = label.grab().toImage();
    // Dotted: about every other pixel of each edge is black.
    QVERIFY(countColor(held, leftEdge, Qt::black) >= frame.height() / 3);
    QVERIFY(countColor(held, bottomEdge, Qt::black) >= frame.width() / 3);
    QVERIFY(countColor(held, leftEdge, Qt::black) < frame.height());
    play(label, QStringLiteral("dragout"));
    const QImage left = label.grab().toImage();
    QCOMPARE(countColor(left, leftEdge, Qt::black), 0);
    QCOMPARE(countColor(left, bottomEdge, background), bottomEdge.width());
}

void TestOfficeControls::labelShowsAmpersandAndWraps()
{
    const QColor background(255, 255, 224);
    Stage stage(background);
    TOfficeLabel label(&stage.window);
    label.setCaption(QStringLiteral("&"));
    QVERIFY(ink(label.grab().toImage(), label.textRect(), background) > 3);

    // A long caption continues on the lines below the first.
    label.resize(160, 60);
    const int lineHeight = QFontMetrics(label.font()).height();
    const QRect below(label.textRect().left(), 1 + lineHeight + 2, label.textRect().width(),
                      label.height() - lineHeight - 4);
    label.setCaption(QStringLiteral("Zobrazit"));
    QCOMPARE(ink(label.grab().toImage(), below, background), 0);
    label.setCaption(QStringLiteral("Zobrazit úplný seznam témat nápovědy programu Parblok 2000"));
    QVERIFY(ink(label.grab().toImage(), below, background) > 20);
    // Nothing is written right of the text rectangle.
    QCOMPARE(ink(label.grab().toImage(), QRect(159, 0, 1, 60), background), 0);
}

PARBLOK_TEST_MAIN(TestOfficeControls)
#include "tst_ocontrls.moc"
