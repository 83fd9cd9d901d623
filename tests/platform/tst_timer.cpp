#include "AppError.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"

#include <QAbstractEventDispatcher>
#include <QTimerEvent>

namespace {

// Delivers one tick of `timer` the way the event loop does.
void deliverTick(Timer &timer, int id)
{
    QTimerEvent event(id);
    QCoreApplication::sendEvent(&timer, &event);
}

// One step of a script: "i<n>" writes the interval n, "e1"/"e0" writes the enabled flag.
void apply(Timer &timer, const QString &step)
{
    if (step.startsWith(QLatin1Char('i')))
        timer.setInterval(step.mid(1).toInt());
    else if (step == QLatin1String("e1"))
        timer.setEnabled(true);
    else if (step == QLatin1String("e0"))
        timer.setEnabled(false);
    else
        QFAIL(qPrintable(QStringLiteral("bad step ") + step));
}

// The system timers that can wake the program for `timer`.
qsizetype systemTimers(Timer &timer)
{
    return QAbstractEventDispatcher::instance()->registeredTimers(&timer).size();
}

} // namespace

class TestTimer : public QObject
{
    Q_OBJECT
private slots:
    void createdEnabledAtOneSecond()
    {
        Timer timer;
        QCOMPARE(timer.Interval(), 1000);
        QVERIFY(timer.Enabled());
        QVERIFY(timer.isArmed());
        QCOMPARE(timer.periodStarts(), 1);
    }

    // A timer that only keeps an interval, with no tick handler, never wakes the program; one
    // with a handler ticks, and stops waking the program once its last handler has gone.
    void systemTimerOnlyWhileSomeoneListens()
    {
        Timer timer;
        timer.setInterval(1);
        timer.setEnabled(false);
        timer.setEnabled(true);
        QVERIFY(timer.isArmed());
        QCOMPARE(timer.timerId(), 0);
        QCOMPARE(systemTimers(timer), 0);

        int ticks = 0;
        const auto handler = connect(&timer, &Timer::OnTimer, this, [&ticks] { ++ticks; });
        QCOMPARE(systemTimers(timer), 1);
        QVERIFY(timer.timerId() != 0);
        QTRY_VERIFY(ticks > 0);

        disconnect(handler);
        QTRY_COMPARE(systemTimers(timer), 0);
        QCOMPARE(timer.timerId(), 0);
        QVERIFY(timer.isArmed()); // still running for whoever connects next

        // Interval changes of a timer nobody listens to arm nothing either.
        timer.setInterval(5);
        QCOMPARE(systemTimers(timer), 0);
    }

    // Scripts of property writes after construction, with the state they must leave and how many
    // full periods were started along the way (construction's own period included).
    void writes_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<int>("periodStarts");

        QTest::newRow("interval 0 suspends") << QStringList{QStringLiteral("i0")} << 0 << false << 1;
        QTest::newRow("interval given back re-arms") << QStringList{QStringLiteral("i0"), QStringLiteral("i1000")} << 1000 << true << 2;
        QTest::newRow("same interval leaves the period running") << QStringList{QStringLiteral("i1000")} << 1000 << true << 1;
        QTest::newRow("new interval re-arms a full period") << QStringList{QStringLiteral("i900")} << 900 << true << 2;
        QTest::newRow("same interval twice") << QStringList{QStringLiteral("i900"), QStringLiteral("i900")} << 900 << true << 2;
        QTest::newRow("enabled again changes nothing") << QStringList{QStringLiteral("e1")} << 1000 << true << 1;
        QTest::newRow("disabled stops") << QStringList{QStringLiteral("e0")} << 1000 << false << 1;
        QTest::newRow("enabled after disabled re-arms") << QStringList{QStringLiteral("e0"), QStringLiteral("e1")} << 1000 << true << 2;
        QTest::newRow("interval while disabled stays still") << QStringList{QStringLiteral("e0"), QStringLiteral("i500")} << 500 << false << 1;
        QTest::newRow("enabled with interval 0 stays still") << QStringList{QStringLiteral("i0"), QStringLiteral("e0"), QStringLiteral("e1")} << 0 << false << 1;
        QTest::newRow("disabled with interval back stays still") << QStringList{QStringLiteral("i0"), QStringLiteral("e0"), QStringLiteral("i800")} << 800 << false << 1;
        QTest::newRow("suspend and resume of a stopped timer") << QStringList{QStringLiteral("e0"), QStringLiteral("i0"), QStringLiteral("i1000")} << 1000 << false << 1;
        QTest::newRow("negative interval suspends") << QStringList{QStringLiteral("i-5")} << 0 << false << 1;
    }
    void writes()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, interval);
        QFETCH(bool, armed);
        QFETCH(int, periodStarts);

        Timer timer;
        connect(&timer, &Timer::OnTimer, this, [] {});
        for (const QString &step : steps)
            apply(timer, step);
        QCOMPARE(timer.Interval(), interval);
        QCOMPARE(timer.isArmed(), armed);
        QCOMPARE(timer.timerId() != 0, armed);
        QCOMPARE(systemTimers(timer), armed ? 1 : 0);
        QCOMPARE(timer.periodStarts(), periodStarts);
    }

    void ticksOnlyWhileArmed()
    {
        Timer timer;
        int ticks = 0;
        connect(&timer, &Timer::OnTimer, this, [&ticks] { ++ticks; });

        deliverTick(timer, timer.timerId());
        QCOMPARE(ticks, 1);

        // A tick already on its way when the timer was suspended must not arrive.
        const int oldId = timer.timerId();
        timer.setInterval(0);
        deliverTick(timer, oldId);
        QCOMPARE(ticks, 1);

        timer.setInterval(700);
        deliverTick(timer, timer.timerId());
        QCOMPARE(ticks, 2);
        deliverTick(timer, timer.timerId() + 1000); // some other timer of the object
        QCOMPARE(ticks, 2);
    }

    void failingTickIsReportedAndTimerGoesOn()
    {
        MessageCatcher catcher;
        Timer timer;
        int ticks = 0;
        connect(&timer, &Timer::OnTimer, this, [&ticks] {
            ++ticks;
            throw AppError(QStringLiteral("Unable to write to /nikam/Kvadr.ini"));
        });
        deliverTick(timer, timer.timerId());
        deliverTick(timer, timer.timerId());
        QCOMPARE(ticks, 2);
        QCOMPARE(catcher.texts(),
                 QStringList(2, QStringLiteral("Unable to write to /nikam/Kvadr.ini")));
        QVERIFY(timer.isArmed());
    }

    // The event loop itself delivers a tick of an armed timer (a 1 ms period, waited for by the
    // test framework's event processing, not by a fixed sleep).
    void eventLoopDeliversTicks()
    {
        Timer timer;
        int ticks = 0;
        connect(&timer, &Timer::OnTimer, this, [&ticks] { ++ticks; });
        timer.setInterval(1);
        QTRY_VERIFY(ticks > 0);
    }
};

PARBLOK_TEST_MAIN(TestTimer)
#include "tst_timer.moc"
