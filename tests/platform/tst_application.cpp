#include "AppError.h"
#include "LazyArrowStyle.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QFontInfo>
#include <QStyleFactory>
#include <QWidget>

// The application object reports an error that leaves an event handler and keeps running.
class ThrowingWidget : public QWidget
{
protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw AppError(QStringLiteral("Unable to write to /nikam/Kvadr.ini"));
        if (e->type() == QEvent::User + 1)
            throw std::runtime_error("plain failure");
        return QWidget::event(e);
    }
};

class TestApplication : public QObject
{
    Q_OBJECT
private slots:
    void errorLeavingHandlerIsShown_data()
    {
        QTest::addColumn<int>("eventType");
        QTest::addColumn<QString>("message");
        QTest::newRow("program error") << int(QEvent::User) << QStringLiteral("Unable to write to /nikam/Kvadr.ini");
        QTest::newRow("library error") << int(QEvent::User + 1) << QStringLiteral("plain failure");
    }
    void errorLeavingHandlerIsShown()
    {
        QFETCH(int, eventType);
        QFETCH(QString, message);
        MessageCatcher catcher;
        ThrowingWidget widget;
        QEvent event(static_cast<QEvent::Type>(eventType));
        QCoreApplication::sendEvent(&widget, &event);
        QCOMPARE(catcher.texts(), QStringList{message});
        // The program goes on: the next event is delivered normally.
        QEvent plain(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(&widget, &plain);
        QCOMPARE(catcher.texts().size(), 1);
    }

    // The forms' fonts land on the metric-compatible faces the program depends on, not on
    // whatever the machine would fall back to.
    void formFontsResolveToInstalledFaces_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("face");
        QTest::newRow("MS Sans Serif") << QStringLiteral("MS Sans Serif") << QStringLiteral("Liberation Sans");
        QTest::newRow("Times New Roman") << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif");
        QTest::newRow("Arial") << QStringLiteral("Arial") << QStringLiteral("Liberation Sans");
    }
    void formFontsResolveToInstalledFaces()
    {
        QFETCH(QString, family);
        QFETCH(QString, face);
        QFont font(family);
        font.setPixelSize(11);
        QCOMPARE(QFontInfo(font).family(), face);
    }

    // The arrows the calendar asks for are drawn as the base style's own, each on its side.
    void arrowsAreTheBaseStyles_data()
    {
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("opposite");
        QTest::newRow("left") << int(QStyle::SP_ArrowLeft) << int(QStyle::SP_ArrowRight);
        QTest::newRow("right") << int(QStyle::SP_ArrowRight) << int(QStyle::SP_ArrowLeft);
    }
    void arrowsAreTheBaseStyles()
    {
        QFETCH(int, arrow);
        QFETCH(int, opposite);
        const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
        LazyArrowStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        const QIcon icon = style.standardIcon(QStyle::StandardPixmap(arrow));
        const auto drawn = [](const QIcon &source) { return source.pixmap(16).toImage(); };
        QVERIFY(!icon.isNull());
        QCOMPARE(drawn(icon), drawn(base->standardIcon(QStyle::StandardPixmap(arrow))));
        QVERIFY(drawn(icon) != drawn(base->standardIcon(QStyle::StandardPixmap(opposite))));
        QCOMPARE(icon.actualSize(QSize(16, 16)), QSize(16, 16));
    }
};

PARBLOK_TEST_MAIN(TestApplication)
#include "tst_application.moc"
