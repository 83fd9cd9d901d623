#include "HeldKeys.h"
#include "TestMain.h"

// The held keys of a match, driven by a script of key events and clock readings: "+A@0" a press
// of A at 0 ms, "*A@40" the desktop's repeat of A, "-A@90" a release, "~A@80" the desktop's repeat
// release, "t@700" the repeat timer at 700 ms. What happens is written down: the cap of each press
// that acts, and in brackets the caps the game repeats at each timer reading.
class TestHeldKeys : public QObject
{
    Q_OBJECT
private slots:
    void repeats_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<bool>("desktopRepeats");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("happened");
        QTest::newRow("one player: the desktop alone repeats")
            << 1 << true << "+A@0 +J@100 *J@600 t@700" << "AJJ[]";
        QTest::newRow("a single held key: the desktop repeats it")
            << 2 << true << "+A@0 *A@500 *A@600 t@600" << "AAA[]";
        QTest::newRow("the first key goes on once the second is pressed")
            << 2 << true << "+A@0 *A@500 +L@600 t@700 *L@1100 t@1100 t@1150" << "AAL[A]L[A][]";
        QTest::newRow("a key pressed a moment ago keeps its delay")
            << 2 << true << "+A@0 +L@100 t@499 t@500" << "AL[][A]";
        QTest::newRow("no desktop repeat on top of the game's")
            << 2 << true << "+A@0 +L@100 ~A@600 *A@600 t@600" << "AL[A]";
        QTest::newRow("three held keys: the two earlier ones both go on")
            << 2 << true << "+A@0 +L@100 +W@200 t@500 t@600" << "ALW[A][AL]";
        QTest::newRow("a released key stops")
            << 2 << true << "+A@0 +L@100 -A@300 t@600" << "AL[]";
        QTest::newRow("another key's release changes nothing")
            << 2 << true << "+A@0 +L@100 -L@200 t@500 t@600" << "AL[A][A]";
        QTest::newRow("the desktop repeats no key: neither does the game")
            << 2 << false << "+A@0 +L@100 t@1000" << "AL[]";
        QTest::newRow("the pause key is not repeated")
            << 2 << true << "+P@0 +L@100 t@1000" << "PL[]";
    }
    void repeats()
    {
        QFETCH(int, players);
        QFETCH(bool, desktopRepeats);
        QFETCH(QString, script);
        QFETCH(QString, happened);
        HeldKeys keys;
        keys.setTiming(500, 100, desktopRepeats);
        keys.setPlayerCount(players);
        QString log;
        for (const QString &step : script.split(u' ')) {
            const QChar kind = step.at(0);
            const QChar cap = step.at(1);
            const qint64 now = step.section(u'@', 1).toLongLong();
            if (kind == u't')
                log += u'[' + keys.takeDue(now) + u']';
            else if ((kind == u'+' || kind == u'*') && keys.press(cap, kind == u'*', now))
                log += cap;
            else if (kind == u'-' || kind == u'~')
                keys.release(cap, kind == u'~');
        }
        QCOMPARE(log, happened);
    }

    // A new match forgets the keys held in the last one.
    void newPlayerCountForgetsHeldKeys()
    {
        HeldKeys keys;
        keys.setTiming(500, 100);
        keys.setPlayerCount(2);
        keys.press(u'A', false, 0);
        keys.press(u'L', false, 100);
        QCOMPARE(keys.nextRepeat(), 500);
        keys.setPlayerCount(1);
        QCOMPARE(keys.nextRepeat(), -1);
    }
};

PARBLOK_TEST_MAIN(TestHeldKeys)
#include "tst_heldkeys.moc"
