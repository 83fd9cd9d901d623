#include "Data.h"
#include "Hlavni.h"
#include "MainWindowDriver.h"
#include "ProgramFolderFixture.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"

#include <QAbstractEventDispatcher>
#include <QScreen>


// The main window as it stands after the start, before any match: where it is, and that it
// does not wake the program for nothing.
class TestHlavniAtRest : public QObject
{
    Q_OBJECT

private:
    ProgramFolderFixture m_folder;
    MessageCatcher m_messages; // an empty program folder has no results table
    THlavniDialog *w = nullptr;

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_folder.make<TDataModule1>();
        w = m_folder.make<THlavniDialog>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanupTestCase() { m_folder.destroyWindows(); }

    // The whole window, frame included, stands in the middle of the screen.
    void frameCentredOnScreen()
    {
        const QRect screen = w->screen()->geometry();
        QTRY_VERIFY(w->frameGeometry() != w->geometry()); // the frame is known
        const QRect frame = w->frameGeometry();
        QVERIFY2(qAbs((frame.left() - screen.left()) - (screen.right() - frame.right())) <= 1,
                 qPrintable(QStringLiteral("frame %1,%2 %3x%4").arg(frame.x()).arg(frame.y())
                                .arg(frame.width()).arg(frame.height())));
        QVERIFY2(qAbs((frame.top() - screen.top()) - (screen.bottom() - frame.bottom())) <= 1,
                 qPrintable(QStringLiteral("frame %1,%2 %3x%4").arg(frame.x()).arg(frame.y())
                                .arg(frame.width()).arg(frame.height())));
    }

    // Before any match no gravity timer wakes the program, whatever suspends and resumes it.
    void gravitySleepsAtRest()
    {
        QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
        w->SuspendGravity();
        w->ResumeGravity();
        for (Timer *timer : {gravityTimerOf(w, 1), gravityTimerOf(w, 2)})
            QCOMPARE(dispatcher->registeredTimers(timer).size(), 0);
    }
};

PARBLOK_TEST_MAIN(TestHlavniAtRest)
#include "tst_hlavni_rest.moc"
