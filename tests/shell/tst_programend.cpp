#include "Pomocnik.h"
#include "ProgramEnd.h"
#include "ProgramFolderFixture.h"
#include "Settings.h"
#include "TestMain.h"

#include <QTimer>

#include <csignal>

// The program ended by the session's signals or by its main window, with the assistant shown: the
// message loop ends normally, and the assistant, which the player did not close, stays
// remembered as shown even when the windows are closed on the way out.
class TestProgramEnd : public QObject
{
    Q_OBJECT

    ProgramFolderFixture m_folder;

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        EndProgramOnSignals();
    }

    void endKeepsTheAssistant_data()
    {
        QTest::addColumn<int>("signal"); // 0: the main window's close, before the loop runs
        QTest::newRow("closed before the loop") << 0;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void endKeepsTheAssistant()
    {
        QFETCH(int, signal);
        auto *assistant = m_folder.make<TPomocnikDialog>();
        assistant->show();
        QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("1"));
        if (signal == 0)
            EndProgram();
        else
            QTimer::singleShot(0, [signal] { std::raise(signal); });
        // A lost end leaves the loop running: it is ended with another code.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(10000);

        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(ProgramEnding());
        QVERIFY(assistant->isVisible());
        assistant->close();
        QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("1"));
        m_folder.destroyWindows();
    }
};

PARBLOK_TEST_MAIN(TestProgramEnd)
#include "tst_programend.moc"
