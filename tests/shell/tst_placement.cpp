#include "Placement.h"
#include "Pomocnik.h"
#include "ProgramFolderFixture.h"
#include "Settings.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QGuiApplication>
#include <QScreen>

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
    void placedWithinThePrimaryScreen();
};

void TestPlacement::corner_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("margins");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("800x600 created") << QRect(0, 0, 800, 600) << QPoint(12, 30) << QPoint(684, 466);
    QTest::newRow("800x600 small margins") << QRect(0, 0, 800, 600) << QPoint(7, 25) << QPoint(689, 471);
    QTest::newRow("1920x1080 created") << QRect(0, 0, 1920, 1080) << QPoint(12, 30) << QPoint(1804, 946);
    // A primary screen right of another one, its panel on top; one left of and above the origin.
    QTest::newRow("offset screen") << QRect(1920, 32, 800, 568) << QPoint(12, 30) << QPoint(2604, 466);
    QTest::newRow("negative origin") << QRect(-800, -600, 800, 600) << QPoint(7, 25) << QPoint(-111, -129);
}

void TestPlacement::corner()
{
    QFETCH(QRect, area);
    QFETCH(QPoint, margins);
    QFETCH(QPoint, expected);
    QCOMPARE(cornerPosition(area, Client, margins), expected);
}

void TestPlacement::fitTest_data()
{
    QTest::addColumn<int>("caller");
    QTest::addColumn<QPoint>("assistant");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<bool>("fails");
    const QSize welcome(406, 140);
    const QSize question(300, 100);
    const QRect small(0, 0, 800, 600);
    const QRect large(0, 0, 1920, 1080);
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
    // The same bounds on a screen whose available area starts at 1920, 32: measured from its edges.
    const QRect offset(1920, 32, 800, 600);
    const QPoint at(1920, 32);
    QTest::newRow("offset: welcome start fits") << int(WelcomeAtStart) << at + QPoint(302, 145) << welcome << offset << false;
    QTest::newRow("offset: welcome start left") << int(WelcomeAtStart) << at + QPoint(301, 500) << welcome << offset << true;
    QTest::newRow("offset: balloon top") << int(MatchEnd) << at + QPoint(600, 111) << welcome << offset << true;
    QTest::newRow("offset: help left") << int(HelpCommand) << at + QPoint(331, 150) << welcome << offset << true;
    QTest::newRow("offset: question fits") << int(EndGameCommand) << at + QPoint(255, 471) << question << offset << false;
    QTest::newRow("offset: question low") << int(ClearTable) << at + QPoint(500, 472) << question << offset << true;
    QTest::newRow("offset: on the screen left of it") << int(MatchEnd) << QPoint(1800, 500) << welcome << offset << true;
}

void TestPlacement::fitTest()
{
    QFETCH(int, caller);
    QFETCH(QPoint, assistant);
    QFETCH(QSize, dialog);
    QFETCH(QRect, area);
    QFETCH(bool, fails);
    const PlacementRow &row = placementRow(PlacementCaller(caller));
    QCOMPARE(int(row.caller), caller);
    QCOMPARE(fitTestFails(row.fit, QRect(assistant, Client), Client, dialog, area), fails);
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
    const ProgramFolderFixture folder;
    if (!setting.isEmpty())
        WriteSetting(QStringLiteral("Pomocnik"), setting);
    TPomocnikDialog assistant;
    // A dialog small enough for every fit test, so only the row's show rule is seen.
    PrepareAssistant(PlacementCaller(caller), QSize(150, 60));
    QCOMPARE(assistant.isVisible(), shown);
    QCOMPARE(assistant.pos(), cornerPosition(placementArea(), Client, QPoint(12, 30)));
}

void TestPlacement::failedFitMovesAssistantAndRemembersIt()
{
    const ProgramFolderFixture folder;
    WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("0"));
    TPomocnikDialog assistant;
    const QRect area = placementArea();
    assistant.move(area.topLeft() + QPoint(5, 5));
    const QPoint place = PrepareAssistant(PlacementCaller::EndGameCommand, QSize(300, 100));
    QVERIFY(assistant.isVisible());
    QCOMPARE(assistant.pos(), cornerPosition(area, Client, QPoint(7, 25)));
    QCOMPARE(place, QPoint(assistant.x() - 300 + 45, assistant.y() + 104 - 100));
    QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("1"));
    assistant.close();
    QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("0"));
}

// On the live desktop (also run on a primary screen that does not start at 0, 0): the assistant,
// made and moved to the corner, and a balloon beside it stay within the primary screen's
// available area, near its lower right corner.
void TestPlacement::placedWithinThePrimaryScreen()
{
    const ProgramFolderFixture folder;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(placementArea(), area);
    TPomocnikDialog assistant;
    QCOMPARE(assistant.pos(), area.bottomRight() + QPoint(1, 1) - QPoint(104 + 12, 104 + 30));
    assistant.move(area.topLeft());
    const QSize question(300, 100);
    const QPoint place = PrepareAssistant(PlacementCaller::ClearTable, question);
    QCOMPARE(assistant.pos(), area.bottomRight() + QPoint(1, 1) - QPoint(104 + 7, 104 + 25));
    QVERIFY(area.contains(QRect(place, question)));
    assistant.close();
}

PARBLOK_TEST_MAIN(TestPlacement)
#include "tst_placement.moc"
