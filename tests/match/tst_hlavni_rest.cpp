#include "AppPath.h"
#include "Data.h"
#include "Hlavni.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"

#include <QAbstractEventDispatcher>
#include <QScreen>
#include <QTemporaryDir>

#include <memory>

// The main window as it stands after the start, before any match: where it is, and that it
// does not wake the program for nothing.
class TestHlavniAtRest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    MessageCatcher m_messages; // an empty program folder has no results table
    std::unique_ptr<TDataModule1> m_data;
    std::unique_ptr<THlavniDialog> w;

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        TAppPath::setFolderForTesting(m_folder.path() + QLatin1Char('/'));
        m_data = std::make_unique<TDataModule1>();
        w = std::make_unique<THlavniDialog>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    void cleanupTestCase()
    {
        w.reset();
        m_data.reset();
        TAppPath::setFolderForTesting(QString());
    }

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

    // Timer2 and Timer4 only keep intervals: they hold no system timer, whatever they keep.
    void storageTimersNeverWakeTheProgram()
    {
        QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
        for (Timer *timer : {w->Timer2, w->Timer4}) {
            QVERIFY(timer->Enabled());
            QCOMPARE(dispatcher->registeredTimers(timer).size(), 0);
        }
        w->SuspendGravity();
        w->ResumeGravity();
        for (Timer *timer : {w->Timer2, w->Timer4})
            QCOMPARE(dispatcher->registeredTimers(timer).size(), 0);
    }
};

PARBLOK_TEST_MAIN(TestHlavniAtRest)
#include "tst_hlavni_rest.moc"
