#include "AppError.h"
#include "Data.h"
#include "GradProgress.h"
#include "Hlavni.h"
#include "Kopie.h"
#include "MainWindowDriver.h"
#include "OContrls.h"
#include "Pomocnik.h"
#include "ProgramFolderFixture.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "Spusteni.h"
#include "StartUp.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"
#include "Uvitani.h"

#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTreeView>

#include <unistd.h>

namespace {

// Objects of a made-up sequence, which note down when they go.
QStringList g_destroyed;

class Piece : public QObject
{
public:
    explicit Piece(const char *name) { setObjectName(QString::fromLatin1(name)); }
    ~Piece() override { g_destroyed.append(objectName()); }
};

std::unique_ptr<QObject> makeFirst() { return std::make_unique<Piece>("first"); }
std::unique_ptr<QObject> makeFailing() { throw AppError(QStringLiteral("Okno nelze vytvořit")); }
std::unique_ptr<QObject> makeLast() { return std::make_unique<Piece>("last"); }

QString assistantSetting()
{
    return ReadSetting(QStringLiteral("Pomocnik"));
}

// A refused start once its message loop has run: the assistant shown too.
TRefusedStart runRefusedStart()
{
    TRefusedStart start = ShowRefusedStart();
    QCoreApplication::processEvents();
    return start;
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT
private slots:
    void windowsCreatedInOrderBeforeAnyIsShown();
    void failedCreationIsReportedAndTheSequenceGoesOn();
    void otherCopiesAreAnsweredOnceTheMainWindowExists();
    void refusedStartShowsTheNoticeBeforeTheAssistant();
    void refusedStartPlacesTheNoticeBesideTheCentredAssistant();
    void noticeKeys_data();
    void noticeKeys();
    void noticeOkWorksWhileTheAssistantIsDisabled();
    void noticeClosedOtherwiseLeavesTheAssistant();
    void noticeBlinks();
    void splashLayout();
    void bossScreenFolderTreeReadWhenFirstShown();
};

void TestStartUp::windowsCreatedInOrderBeforeAnyIsShown()
{
    ProgramFolderFixture folder; // the settings file of each test lives in a folder of its own
    MessageCatcher messages; // the folder has no results table
    QStringList steps;
    QStringList created;
    QList<int> progress;
    bool dataModuleBeforeMainWindow = false;
    bool nothingShown = true;

    TProgramWindows windows = CreateProgramWindows(
        CreationSteps(), [&](int position) { progress.append(position); },
        [&](const StartUpStep &step, QObject *object) {
            steps.append(QString::fromLatin1(step.className));
            created.append(object != nullptr ? QString::fromLatin1(object->metaObject()->className())
                                             : QString());
            if (step.className == QByteArrayView("THlavniDialog"))
                dataModuleBeforeMainWindow = DataModule1 != nullptr && HlavniDialog() == object;
            for (QWidget *window : QApplication::topLevelWidgets())
                nothingShown = nothingShown && !window->isVisible();
        });

    const QStringList order = {
        QStringLiteral("TDataModule1"),     QStringLiteral("THlavniDialog"),   QStringLiteral("TUvitaniDialog"),  QStringLiteral("TNapovedaDialog"),
        QStringLiteral("TPomocnikDialog"),  QStringLiteral("THra2Dialog"),     QStringLiteral("THra1Dialog"),     QStringLiteral("TVysledekDialog"),
        QStringLiteral("TOvladani1Dialog"), QStringLiteral("TOvladaniDialog"), QStringLiteral("TDotazKonecDialog"), QStringLiteral("TVymazatDialog"),
        QStringLiteral("TTabulkaDialog"),   QStringLiteral("TOProgramuDialog")};
    QCOMPARE(steps, order);
    QCOMPARE(created, order);
    QCOMPARE(progress, QList<int>({5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 90, 100}));
    QCOMPARE(int(windows.size()), order.size());
    QVERIFY(dataModuleBeforeMainWindow);
    QVERIFY(nothingShown);
    QVERIFY(PomocnikDialog() != nullptr);
}

void TestStartUp::failedCreationIsReportedAndTheSequenceGoesOn()
{
    MessageCatcher messages;
    const std::array<StartUpStep, 3> steps{{
        {"Piece", makeFirst, 1},
        {"Piece", makeFailing, 2},
        {"Piece", makeLast, 3},
    }};
    QList<int> progress;
    g_destroyed.clear();
    {
        TProgramWindows windows =
            CreateProgramWindows(steps, [&](int position) { progress.append(position); });
        QCOMPARE(int(windows.size()), 2);
    }
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Okno nelze vytvořit")});
    QCOMPARE(progress, QList<int>({5, 1, 2, 3, 90, 100}));
    // Made first, gone last.
    QCOMPARE(g_destroyed, QStringList({QStringLiteral("last"), QStringLiteral("first")}));
}

void TestStartUp::otherCopiesAreAnsweredOnceTheMainWindowExists()
{
    ProgramFolderFixture folder;
    MessageCatcher messages; // the folder has no results table
    QTemporaryDir sockets;
    TAnsweringThread answerer;
    QVERIFY(answerer.listen(sockets.path(), ::getppid()));
    const InstanceSearch search{sockets.path(), QCoreApplication::applicationPid(), 300};
    const auto found = [&] {
        return FindRunningWindow(QStringLiteral("THlavniDialog"), QStringLiteral("Parblok 2000"),
                                 search);
    };
    const CreationHook report = ReportMainWindowTo(answerer);
    // Asked after every step while this thread, busy creating windows, processes no events.
    QList<bool> answers;
    TProgramWindows windows = CreateProgramWindows(
        CreationSteps(), [](int) {}, [&](const StartUpStep &step, QObject *created) {
            report(step, created);
            answers.append(found());
        });
    QList<bool> expected(14, true);
    expected[0] = false; // only the data module exists
    QCOMPARE(answers, expected);
    // The caption of the moment: the boss screen's is not the program's.
    actionOf(HlavniDialog(), "bossScreenAction")->trigger();
    QVERIFY(!found());
    actionOf(HlavniDialog(), "bossScreenAction")->trigger();
    QVERIFY(found());
}

void TestStartUp::refusedStartShowsTheNoticeBeforeTheAssistant()
{
    ProgramFolderFixture folder;
    const TRefusedStart start = ShowRefusedStart();
    // The notice is up and has disabled the assistant; the message loop shows the assistant.
    QVERIFY(start.notice->isVisible());
    QVERIFY(!start.assistant->isVisible());
    QVERIFY(!start.assistant->isEnabled());
    QCOMPARE(assistantSetting(), QString());
    QTRY_VERIFY(start.assistant->isVisible());
    QVERIFY(!start.assistant->isEnabled());
    QCOMPARE(assistantSetting(), QStringLiteral("1"));
}

void TestStartUp::refusedStartPlacesTheNoticeBesideTheCentredAssistant()
{
    ProgramFolderFixture folder;
    const TRefusedStart start = runRefusedStart();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QPoint assistant(screen.width() / 2 - 52, screen.height() / 2 - 52);
    QCOMPARE(start.assistant->frameGeometry(), QRect(assistant, QSize(104, 104)));
    QCOMPARE(start.notice->frameGeometry(),
             QRect(assistant + QPoint(-320 + 35, 104 - 97), QSize(320, 97)));
    if (screen == QSize(800, 600)) {
        QCOMPARE(start.assistant->pos(), QPoint(348, 248));
        QCOMPARE(start.notice->pos(), QPoint(63, 255));
    }
    QVERIFY(start.assistant->isVisible());
    QVERIFY(start.notice->isVisible());
    QVERIFY(!start.assistant->isEnabled());
    QCOMPARE(assistantSetting(), QStringLiteral("1"));
    // A balloon with its tail at the right top.
    const QRegion shape = start.notice->mask();
    QVERIFY(shape.contains(QPoint(306, 22)));
    QVERIFY(!shape.contains(QPoint(310, 60)));
    QVERIFY(!shape.contains(QPoint(0, 0)));
}

void TestStartUp::noticeKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << false;
    QTest::newRow("O") << int(Qt::Key_O) << false;
}

void TestStartUp::noticeKeys()
{
    QFETCH(int, key);
    QFETCH(bool, ends);
    ProgramFolderFixture folder;
    const TRefusedStart start = runRefusedStart();
    QTest::keyClick(start.notice->windowHandle(), Qt::Key(key));
    // Ending means the assistant, this copy's main window, is enabled and closed.
    QCOMPARE(start.assistant->isVisible(), !ends);
    QCOMPARE(start.assistant->isEnabled(), ends);
    QCOMPARE(assistantSetting(), ends ? QStringLiteral("0") : QStringLiteral("1"));
}

void TestStartUp::noticeOkWorksWhileTheAssistantIsDisabled()
{
    ProgramFolderFixture folder;
    const TRefusedStart start = runRefusedStart();
    QVERIFY(!start.assistant->isEnabled());
    TOfficeButton *ok = start.notice->okButton;
    QCOMPARE(ok->Caption(), QStringLiteral("Ok"));
    QTest::mouseClick(start.notice->windowHandle(), Qt::LeftButton, {},
                      ok->mapTo(start.notice.get(), ok->rect().center()));
    QVERIFY(!start.assistant->isVisible());
    QCOMPARE(assistantSetting(), QStringLiteral("0"));
}

void TestStartUp::noticeClosedOtherwiseLeavesTheAssistant()
{
    ProgramFolderFixture folder;
    // Even were there a welcome window, a refused copy's assistant opens nothing.
    TUvitaniDialog welcome;
    const TRefusedStart start = runRefusedStart();
    start.notice->close();
    QVERIFY(start.assistant->isVisible());
    QVERIFY(start.assistant->isEnabled());
    QCOMPARE(assistantSetting(), QStringLiteral("1"));
    const QPoint place = start.assistant->pos();
    start.assistant->reopenWelcome();
    QVERIFY(!welcome.isVisible());
    QVERIFY(start.assistant->isEnabled());
    QCOMPARE(start.assistant->pos(), place);
}

void TestStartUp::noticeBlinks()
{
    TKopieDialog notice;
    QCOMPARE(notice.Color(), TColor(10184434));
    QVERIFY(notice.blinkTimer->isArmed());
    QCOMPARE(notice.blinkTimer->Interval(), 500);
    const QList<TColor> expected = {13547001, 10184434, 13547001, 10184434};
    for (const TColor colour : expected) {
        notice.blink();
        QCOMPARE(notice.Color(), colour);
        QCOMPARE(notice.grab().toImage().pixelColor(150, 5), ToQColor(colour));
    }
}

void TestStartUp::splashLayout()
{
    TSpusteniDialog splash;
    QCOMPARE(splash.size(), QSize(339, 288));
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    const TGradProgress *progress = splash.progressBar;
    QCOMPARE(progress->size(), QSize(231, 17));
    QCOMPARE(progress->Position(), 0);
    QCOMPARE(progress->MaxValue(), 100);
    QCOMPARE(progress->StartColor(), clWhite);
    QCOMPARE(progress->EndColor(), clRed);
    QCOMPARE(progress->BackColor(), clBlack);
    QCOMPARE(progress->BevelStyle(), TGradProgress::bsNone);
    QVERIFY(!progress->ShowPercent());

    // Black frame, cream panel, the band with its circle at the top, the black box in the
    // middle, the bar's panel at the bottom right.
    const QImage image = splash.grab().toImage();
    const QColor cream(255, 255, 224);
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(image.pixelColor(338, 140), QColor(Qt::black));
    QCOMPARE(image.pixelColor(330, 40), cream);
    QCOMPARE(image.pixelColor(2 + 250, 2 + 12), QColor(Qt::black));
    QCOMPARE(image.pixelColor(2 + 262, 2 + 12), cream);
    QCOMPARE(image.pixelColor(2 + 100, 2 + 140), QColor(Qt::black));
    QCOMPARE(image.pixelColor(2 + 11, 2 + 140), QColor(Qt::white));
    QCOMPARE(image.pixelColor(2 + 96, 2 + 270), QColor(Qt::black));
    const QPoint bar = progress->mapTo(&splash, QPoint(200, 8));
    QCOMPARE(image.pixelColor(bar), QColor(Qt::black));
}

void TestStartUp::bossScreenFolderTreeReadWhenFirstShown()
{
    THlavniDialog window;
    QTreeView *tree = partOf<QTreeView>(&window, "bossFolderTree");
    QVERIFY(tree->model() == nullptr);
    actionOf(&window, "bossScreenAction")->trigger();
    const auto *folders = qobject_cast<const QFileSystemModel *>(tree->model());
    QVERIFY(folders != nullptr);
    QCOMPARE(folders->filePath(tree->currentIndex()), QDir::currentPath());
    actionOf(&window, "bossScreenAction")->trigger();
    actionOf(&window, "bossScreenAction")->trigger();
    QCOMPARE(tree->model(), folders);
}

PARBLOK_TEST_MAIN(TestStartUp)
#include "tst_startup.moc"
