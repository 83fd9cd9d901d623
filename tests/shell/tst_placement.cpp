#include "AppPath.h"
#include "Placement.h"
#include "Pomocnik.h"
#include "Settings.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QTemporaryDir>

// The assistant is a borderless 104 x 104 window.
namespace {
const QSize Client(104, 104);
} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT
private slots:
    void corner_data();
    void corner();
    void fitTest_data();
    void fitTest();
    void dialogPlace_data();
    void dialogPlace();
    void assistantShownByRow_data();
    void assistantShownByRow();
    void failedFitMovesAssistantAndRemembersIt();
};

void TestPlacement::corner_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("margins");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("800x600 created") << QSize(800, 600) << QPoint(12, 30) << QPoint(684, 466);
    QTest::newRow("800x600 small margins") << QSize(800, 600) << QPoint(7, 25) << QPoint(689, 471);
    QTest::newRow("1920x1080 created") << QSize(1920, 1080) << QPoint(12, 30) << QPoint(1804, 946);
}

void TestPlacement::corner()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, margins);
    QFETCH(QPoint, expected);
    QCOMPARE(cornerPosition(screen, Client, margins), expected);
}

void TestPlacement::fitTest_data()
{
    QTest::addColumn<int>("caller");
    QTest::addColumn<QPoint>("assistant");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("fails");
    const QSize welcome(406, 140);
    const QSize question(300, 100);
    const QSize small(800, 600);
    const QSize large(1920, 1080);
    using enum PlacementCaller;
    // Each bound just met and just missed, on two screens.
    QTest::newRow("welcome start fits") << int(WelcomeAtStart) << QPoint(302, 145) << welcome << small << false;
    QTest::newRow("welcome start left") << int(WelcomeAtStart) << QPoint(301, 500) << welcome << small << true;
    QTest::newRow("welcome start top") << int(WelcomeAtStart) << QPoint(600, 144) << welcome << small << true;
    QTest::newRow("welcome assistant fits") << int(WelcomeFromAssistant) << QPoint(312, 112) << welcome << large << false;
    QTest::newRow("welcome assistant left") << int(WelcomeFromAssistant) << QPoint(311, 900) << welcome << large << true;
    QTest::newRow("welcome assistant top") << int(WelcomeFromAssistant) << QPoint(900, 111) << welcome << large << true;
    QTest::newRow("one player top") << int(NewGameOnePlayer) << QPoint(900, 111) << welcome << large << true;
    QTest::newRow("two players fits") << int(NewGameTwoPlayers) << QPoint(312, 112) << welcome << small << false;
    QTest::newRow("match end left") << int(MatchEnd) << QPoint(311, 300) << welcome << small << true;
    QTest::newRow("help fits") << int(HelpCommand) << QPoint(332, 150) << welcome << small << false;
    QTest::newRow("help left") << int(HelpFromWelcome) << QPoint(331, 150) << welcome << small << true;
    QTest::newRow("help top") << int(HelpCommand) << QPoint(500, 149) << welcome << small << true;
    QTest::newRow("question fits") << int(EndGameCommand) << QPoint(255, 471) << question << small << false;
    QTest::newRow("question left") << int(EndGameCommand) << QPoint(254, 300) << question << small << true;
    QTest::newRow("question low") << int(ClearTable) << QPoint(500, 472) << question << small << true;
    QTest::newRow("question low large") << int(ClearTable) << QPoint(500, 952) << question << large << true;
    QTest::newRow("refused start never") << int(RefusedStart) << QPoint(0, 0) << welcome << small << false;
}

void TestPlacement::fitTest()
{
    QFETCH(int, caller);
    QFETCH(QPoint, assistant);
    QFETCH(QSize, dialog);
    QFETCH(QSize, screen);
    QFETCH(bool, fails);
    const PlacementRow &row = placementRow(PlacementCaller(caller));
    QCOMPARE(int(row.caller), caller);
    QCOMPARE(fitTestFails(row.fit, QRect(assistant, Client), Client, dialog, screen), fails);
}

void TestPlacement::dialogPlace_data()
{
    QTest::addColumn<int>("caller");
    QTest::addColumn<QPoint>("expected");
    using enum PlacementCaller;
    // Assistant at 684/466, dialog 406 x 140.
    QTest::newRow("above") << int(NewGameOnePlayer) << QPoint(684 + 104 - 406 - 38, 466 - 140 + 30);
    QTest::newRow("above help") << int(HelpCommand) << QPoint(684 + 104 - 406 - 40, 466 - 140 + 30);
    QTest::newRow("beside 45") << int(EndGameCommand) << QPoint(684 - 406 + 45, 466 + 104 - 140);
    QTest::newRow("beside 35") << int(RefusedStart) << QPoint(684 - 406 + 35, 466 + 104 - 140);
}

void TestPlacement::dialogPlace()
{
    QFETCH(int, caller);
    QFETCH(QPoint, expected);
    const PlacementRow &row = placementRow(PlacementCaller(caller));
    QCOMPARE(dialogPosition(row.place, row.overlap, QRect(QPoint(684, 466), Client), QSize(406, 140)),
             expected);
}

void TestPlacement::assistantShownByRow_data()
{
    QTest::addColumn<int>("caller");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("shown");
    using enum PlacementCaller;
    QTest::newRow("selection, 0") << int(NewGameOnePlayer) << "0" << true;
    QTest::newRow("selection, missing") << int(NewGameTwoPlayers) << "" << false;
    QTest::newRow("result, 1 hidden stays") << int(MatchEnd) << "1" << false;
    QTest::newRow("question, missing") << int(EndGameCommand) << "" << true;
    QTest::newRow("question, 1") << int(ClearTable) << "1" << false;
    QTest::newRow("help, 0") << int(HelpCommand) << "0" << true;
    QTest::newRow("welcome, always") << int(WelcomeFromAssistant) << "1" << true;
}

void TestPlacement::assistantShownByRow()
{
    QFETCH(int, caller);
    QFETCH(QString, setting);
    QFETCH(bool, shown);
    QTemporaryDir folder;
    TAppPath::setFolderForTesting(folder.path() + QLatin1Char('/'));
    if (!setting.isEmpty())
        WriteSetting(QStringLiteral("Pomocnik"), setting);
    TPomocnikDialog assistant;
    // A dialog small enough for every fit test, so only the row's show rule is seen.
    PrepareAssistant(PlacementCaller(caller), QSize(150, 60));
    QCOMPARE(assistant.isVisible(), shown);
    QCOMPARE(assistant.pos(), cornerPosition(placementScreenSize(), Client, QPoint(12, 30)));
    TAppPath::setFolderForTesting(QString());
}

void TestPlacement::failedFitMovesAssistantAndRemembersIt()
{
    QTemporaryDir folder;
    TAppPath::setFolderForTesting(folder.path() + QLatin1Char('/'));
    WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("0"));
    TPomocnikDialog assistant;
    assistant.move(5, 5);
    const QSize screen = placementScreenSize();
    const QPoint place = PrepareAssistant(PlacementCaller::EndGameCommand, QSize(300, 100));
    QVERIFY(assistant.isVisible());
    QCOMPARE(assistant.pos(), cornerPosition(screen, Client, QPoint(7, 25)));
    QCOMPARE(place, QPoint(assistant.x() - 300 + 45, assistant.y() + 104 - 100));
    QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("1"));
    assistant.close();
    QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("0"));
    TAppPath::setFolderForTesting(QString());
}

PARBLOK_TEST_MAIN(TestPlacement)
#include "tst_placement.moc"
