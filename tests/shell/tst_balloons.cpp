#include "Hlavni.h"
#include "MainWindowDriver.h"
#include "Launch.h"
#include "Napoveda.h"
#include "Placement.h"
#include "Pomocnik.h"
#include "ProgramFolderFixture.h"
#include "Settings.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"
#include "Uvitani.h"
#include "formshape.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>

// The welcome and help windows with the main window and the assistant around them.
namespace {

const QString Assistant = QStringLiteral("Pomocnik");
const QString Welcome = QStringLiteral("Uvitani");
const QString ListHeading = QStringLiteral("Seznam témat nápovědy");

void sendKey(QWidget *window, Qt::Key key)
{
    QTest::keyClick(window->windowHandle(), key);
}

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(30, 8));
}

} // namespace

class TestBalloons : public QObject
{
    Q_OBJECT

    ProgramFolderFixture m_folder;
    std::unique_ptr<MessageCatcher> m_messages;
    THlavniDialog *m_main = nullptr;
    TUvitaniDialog *m_welcome = nullptr;
    TNapovedaDialog *m_help = nullptr;
    TPomocnikDialog *m_assistant = nullptr;

    // The settings file holds the given keys only; the main window is then shown, which makes
    // the start-up decision.
    void start(const QString &assistant, const QString &welcome)
    {
        QFile::remove(m_folder.filePath(QStringLiteral("Kvadr.ini")));
        if (!assistant.isNull())
            WriteSetting(Assistant, assistant);
        if (!welcome.isNull())
            WriteSetting(Welcome, welcome);
        m_main->show();
    }

    bool mainAndAssistantEnabled() const
    {
        return m_main->isEnabled() && m_assistant->isEnabled();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
    }

    void init()
    {
        m_messages = std::make_unique<MessageCatcher>();
        m_main = m_folder.make<THlavniDialog>();
        m_welcome = m_folder.make<TUvitaniDialog>();
        m_help = m_folder.make<TNapovedaDialog>();
        m_assistant = m_folder.make<TPomocnikDialog>();
    }

    void cleanup()
    {
        m_folder.destroyWindows();
        QCOMPARE(m_messages->texts(), QStringList());
        m_messages.reset();
    }

    // --- start-up -----------------------------------------------------------------------------

    void startUpDecision_data()
    {
        QTest::addColumn<QString>("assistant");
        QTest::addColumn<QString>("welcome");
        QTest::addColumn<bool>("assistantShown");
        QTest::addColumn<bool>("welcomeShown");
        QTest::newRow("no settings") << QString() << QString() << false << false;
        QTest::newRow("assistant missing") << QString() << "1" << false << false;
        QTest::newRow("assistant closed") << "0" << "1" << false << false;
        QTest::newRow("welcome missing") << "1" << QString() << true << false;
        QTest::newRow("welcome off") << "1" << "0" << true << false;
        QTest::newRow("both") << "1" << "1" << true << true;
    }

    void startUpDecision()
    {
        QFETCH(QString, assistant);
        QFETCH(QString, welcome);
        QFETCH(bool, assistantShown);
        QFETCH(bool, welcomeShown);
        start(assistant, welcome);
        QCOMPARE(m_assistant->isVisible(), assistantShown);
        QCOMPARE(m_welcome->isVisible(), welcomeShown);
        QCOMPARE(mainAndAssistantEnabled(), !welcomeShown);
        if (!welcomeShown)
            return;
        // Shown at start the box is always checked; the balloon stands above the assistant and
        // has the keyboard focus.
        QVERIFY(m_welcome->showAtStartCheckBox->isChecked());
        QCOMPARE(m_welcome->pos(), m_assistant->pos() + QPoint(104 - 406 - 38, 30 - 140));
        QCOMPARE(m_welcome->focusWidget(), m_welcome->showAtStartCheckBox);

        // Later showings of the main window decide nothing.
        sendKey(m_welcome, Qt::Key_Escape);
        m_main->hide();
        m_main->show();
        QVERIFY(!m_welcome->isVisible());
    }

    // --- the welcome window -------------------------------------------------------------------

    void leavingTheWelcome_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("helpShown");
        QTest::newRow("Enter, checked") << "enter" << true << "1" << false;
        QTest::newRow("Esc, unchecked") << "escape" << false << "0" << false;
        QTest::newRow("start playing, unchecked") << "start" << false << "0" << false;
        QTest::newRow("help list, checked") << "help" << true << "1" << true;
        QTest::newRow("other key") << "key" << true << "" << false;
        QTest::newRow("window closed") << "close" << true << "" << false;
    }

    void leavingTheWelcome()
    {
        QFETCH(QString, way);
        QFETCH(bool, checked);
        QFETCH(QString, written);
        QFETCH(bool, helpShown);
        start(QStringLiteral("1"), QStringLiteral("0"));
        RunMatch(*m_main, 700, 500);
        m_assistant->reopenWelcome();
        QVERIFY(m_welcome->isVisible());
        QVERIFY(!mainAndAssistantEnabled());
        QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), 0);
        QFile::remove(m_folder.filePath(QStringLiteral("Kvadr.ini")));
        WriteSetting(Assistant, QStringLiteral("1"));

        m_welcome->showAtStartCheckBox->setChecked(checked);
        if (way == QLatin1String("enter"))
            sendKey(m_welcome, Qt::Key_Return);
        else if (way == QLatin1String("escape"))
            sendKey(m_welcome, Qt::Key_Escape);
        else if (way == QLatin1String("start"))
            click(m_welcome->startPlayingLink);
        else if (way == QLatin1String("help"))
            click(m_welcome->helpTopicsLink);
        else if (way == QLatin1String("key"))
            sendKey(m_welcome, Qt::Key_X);
        else
            m_welcome->close();

        QCOMPARE(ReadSetting(Welcome), written);
        const bool left = way != QLatin1String("key");
        QCOMPARE(m_welcome->isVisible(), !left);
        QCOMPARE(m_help->isVisible(), helpShown);
        // The help window opened from here suspends gravity again and disables the others.
        const bool stopped = !left || helpShown;
        QCOMPARE(mainAndAssistantEnabled(), !stopped);
        QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), stopped ? 0 : 700);
        QCOMPARE(gravityTimerOf(m_main, 2)->Interval(), stopped ? 0 : 500);
        if (helpShown) {
            QCOMPARE(m_help->headingLabel->text(), ListHeading);
            QVERIFY(m_help->topicList->isVisible());
            sendKey(m_help, Qt::Key_Escape);
            QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), 700);
            QVERIFY(mainAndAssistantEnabled());
        }
    }

    void checkBoxFollowsTheSetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("1 checks") << "1" << false << true;
        QTest::newRow("0 leaves unchecked") << "0" << false << false;
        QTest::newRow("0 leaves checked") << "0" << true << true;
        QTest::newRow("missing leaves unchecked") << QString() << false << false;
    }

    void checkBoxFollowsTheSetting()
    {
        QFETCH(QString, setting);
        QFETCH(bool, before);
        QFETCH(bool, after);
        start(QStringLiteral("1"), QStringLiteral("0"));
        if (setting.isNull())
            QFile::remove(m_folder.filePath(QStringLiteral("Kvadr.ini")));
        else
            WriteSetting(Welcome, setting);
        m_welcome->showAtStartCheckBox->setChecked(before);
        m_assistant->reopenWelcome();
        QCOMPARE(m_welcome->showAtStartCheckBox->isChecked(), after);
    }

    void doubleClickOnTheAssistant_data()
    {
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<bool>("opens");
        const QPoint corner = cornerPosition(placementArea(), QSize(104, 104), QPoint(12, 30));
        QTest::newRow("opens") << true << true << corner << true;
        QTest::newRow("too far up moves to the corner") << true << true << placementArea().topLeft() + QPoint(600, 20) << true;
        QTest::newRow("refused copy") << false << true << corner << false;
        QTest::newRow("disabled") << true << false << corner << false;
    }

    void doubleClickOnTheAssistant()
    {
        QFETCH(bool, allowed);
        QFETCH(bool, enabled);
        QFETCH(QPoint, from);
        QFETCH(bool, opens);
        start(QStringLiteral("1"), QStringLiteral("0"));
        m_assistant->move(from);
        m_assistant->setWelcomeAllowed(allowed);
        m_assistant->setEnabled(enabled);
        m_assistant->reopenWelcome();
        QCOMPARE(m_welcome->isVisible(), opens);
        if (!opens)
            return;
        const QPoint corner = cornerPosition(placementArea(), QSize(104, 104), QPoint(12, 30));
        QCOMPARE(m_assistant->pos(), corner);
        QCOMPARE(m_welcome->pos(), corner + QPoint(104 - 406 - 38, 30 - 140));
        QVERIFY(!m_main->isEnabled());
        QVERIFY(!m_assistant->isEnabled());
    }

    void manualLink()
    {
        // The link follows the main window's check and starts the manual, leaving the window open.
        QVERIFY(m_folder.addManual());
        start(QStringLiteral("1"), QStringLiteral("0"));
        QVERIFY(m_welcome->manualLink->isEnabled());
        QStringList launches;
        setProcessStarterForTesting([&](const QString &file, const QStringList &arguments, const QString &) {
            launches << QFileInfo(file).fileName() + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            return true;
        });
        m_assistant->reopenWelcome();
        click(m_welcome->manualLink);
        setProcessStarterForTesting({});
        QCOMPARE(launches, QStringList(QStringLiteral("ManualKvadr Html/Parblok2000/Index.htm")));
        QVERIFY(m_welcome->isVisible());

        QFile::remove(m_folder.filePath(QStringLiteral("ManualKvadr")));
        m_main->UpdateManualCommands();
        QVERIFY(!m_welcome->manualLink->isEnabled());
        QFile::remove(m_folder.filePath(QStringLiteral("Html/Parblok2000/Index.htm")));
    }

    // --- the help window ----------------------------------------------------------------------

    void helpTopics_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("note");
        QTest::newRow("manual") << 0 << "manualTopicLink" << "Elektronický manuál"
            << "Každý modul skupiny programů Kvadr obsahuje podrobný manuál v elektronické podobě. Tento manuál obsahuje rady, návody a tipy pro práci s vybraným modulem. Spustíte ho pomocí ikony, která je zobrazena v nástrojové liště, nebo pomocí nabídky menu > Nápověda > Elektronický manuál."
            << "";
        QTest::newRow("how to play") << 1 << "howToPlayTopicLink" << "Jak hrát"
            << "Hra se hraje za pomoci kláves. Účelem této hry je poskládat padající obrazce do hracího pole tak, aby vytvořily vodorovný pás, který bude následně odmazán. Hra končí v momentě, že jsou obrazce naskládány do takové výšky hracího pole, že znemožňují dalším obrazcům vstup do herního pole."
            << "";
        QTest::newRow("new game") << 2 << "newGameTopicLink" << "Nová hra"
            << "Tato nabídka Vám umožňuje vybrat způsob hry. Po otevření dialogového okna s výběrem nové hry stačí kliknout na požadovanou hru."
            << "";
        QTest::newRow("keys") << 3 << "controlsTopicLink" << "Ovládání hry"
            << "Jednotlivé ovládání hry pro jednoho nebo dvy hráče je podrobně popsáno a zobrazeno v dialogových oknech Ovládání hry, která zobrazíte nabídkou menu Nástroje -> Ovládání hry."
            << "";
        QTest::newRow("boss") << 4 << "bossScreenTopicLink" << "Šéfovská pojistka"
            << "Tato volba slouží pro rychlé uschování hry v případě, že přijde k Vašemu počítači nepovolaná návštěva (nadřízený, nespolehlivý spolupracovník, ředitel...) a Vy  nechcete přijít o rozehranou partii. Po pominutí nebezpečí stačí znovu stisknout tlačítko s pojistkou a hra bude pokračovat."
            << "Samozřejmě nechci nabádat k hraní her v pracovní době, ale v některých případech může jít o malé rozptýlení v jinak šedém dni.";
        QTest::newRow("worst table") << 5 << "resultsTableTopicLink" << "Tabulka nejhorších"
            << "Každý hráč má možnost zápisu do tabulky nejhorších. V tabulce se však zobrazí pouze deset nejhorších výsledků."
            << "V každé hře najdete tabulku nejlepších hráčů, protože chceme, aby tato hra byla alespoň trochu jiná, nahradili jsme ji tabulkou nejhorších.";
        QTest::newRow("ending") << 6 << "endGameTopicLink" << "Ukončení hry"
            << "Pokud nechcete vybranou partii dohrát, stačí zvolit nabídku menu Soubor > Ukončení hry. Aktuální hra bude ukončena bez zápisu do tabulky. Pokud chcete hru pouze přerušit kvůli nevítané návštěvě, použijte nabídku menu Nástroje > Šéfovská pojistka. Hra bude přerušena a uschována pod fiktivní data o plnění plánu."
            << "Uschovanou hru opět zobrazíte kliknutím na nabídku menu Nástroje > Šéfovská pojistka.";
        QTest::newRow("levels") << 7 << "difficultyTopicLink" << "Změna obtížnosti hry"
            << "V průběhu her Standardní a Pokročilá dochází ke změně obtížnosti hry. Tato změna nastane po dosažení následujících počtů odmazaných čar : 8, 20, 33, 44, 55, 66, 80, 100 a 120.Po každé změně obtížnosti dojde k mírnému zrychlení pádu obrazců."
            << "";
    }

    void helpTopics()
    {
        QFETCH(int, row);
        QFETCH(QString, link);
        QFETCH(QString, heading);
        QFETCH(QString, text);
        QFETCH(QString, note);
        start(QStringLiteral("1"), QStringLiteral("0"));
        // A topic read earlier stays under the list; the list is what opens.
        m_help->ShowTopic((row + 3) % 8);
        actionOf(m_main, "helpTopicsAction")->trigger();
        QVERIFY(m_help->isVisible());
        QCOMPARE(m_help->headingLabel->text(), ListHeading);
        QVERIFY(m_help->topicList->isVisible());

        // The links answer while the main window is disabled; the list runs from the top.
        QVERIFY(!m_main->isEnabled());
        TOfficeLabel *topic = m_help->topicLink(row);
        QCOMPARE(topic->objectName(), link);
        QCOMPARE(topic->Caption(), heading);
        QCOMPARE(topic->geometry(), QRect(0, 16 * row, 230, 17));
        click(topic);
        QCOMPARE(m_help->headingLabel->text(), heading);
        QCOMPARE(m_help->topicTextLabel->text(), text);
        QCOMPARE(m_help->topicNoteLabel->text(), note);
        QVERIFY(!m_help->topicList->isVisible());
        QVERIFY(m_help->noteCaption->isVisible());

        click(m_help->topicListLink);
        QCOMPARE(m_help->headingLabel->text(), ListHeading);
        QVERIFY(m_help->topicList->isVisible());
        click(m_help->leaveHelpLink);
        QVERIFY(!m_help->isVisible());
        QVERIFY(mainAndAssistantEnabled());
    }

    void helpKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("letter") << int(Qt::Key_P) << false;
    }

    void helpKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        start(QStringLiteral("1"), QStringLiteral("0"));
        actionOf(m_main, "helpTopicsAction")->trigger();
        sendKey(m_help, Qt::Key(key));
        QCOMPARE(m_help->isVisible(), !closes);
        QCOMPARE(mainAndAssistantEnabled(), closes);
    }

    void helpPlacement_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<bool>("moved");
        const QRect area = placementArea();
        const QPoint fits(area.right() + 1 - 200, area.bottom() + 1 - 200);
        QTest::newRow("fits, assistant closed") << "0" << fits << false;
        QTest::newRow("fits, assistant shown") << "1" << fits << false;
        QTest::newRow("too far left") << "1" << QPoint(area.left() + 100, fits.y()) << true;
        QTest::newRow("too high") << "0" << QPoint(fits.x(), area.top() + 300) << true;
    }

    void helpPlacement()
    {
        QFETCH(QString, setting);
        QFETCH(QPoint, from);
        QFETCH(bool, moved);
        start(QStringLiteral("1"), QStringLiteral("0"));
        m_assistant->move(from);
        if (setting == QLatin1String("0")) {
            m_assistant->close();
            QCOMPARE(ReadSetting(Assistant), setting);
        }
        // F1 in the main window is its help command.
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
        QTest::keyClick(m_main->windowHandle(), Qt::Key_F1);
        QVERIFY(m_assistant->isVisible());
        const QPoint corner = cornerPosition(placementArea(), QSize(104, 104), QPoint(7, 25));
        QCOMPARE(m_assistant->pos(), moved ? corner : from);
        QCOMPARE(m_help->pos(), m_assistant->pos() + QPoint(104 - 246 - 40, 30 - 343));
        QCOMPARE(m_help->size(), QSize(246, 343));
    }

    // --- gravity ------------------------------------------------------------------------------

    void gravityWhileOpen_data()
    {
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("paused");
        QTest::newRow("welcome") << false << false;
        QTest::newRow("welcome, paused") << false << true;
        QTest::newRow("help") << true << false;
        QTest::newRow("help, paused") << true << true;
    }

    void gravityWhileOpen()
    {
        QFETCH(bool, help);
        QFETCH(bool, paused);
        start(QStringLiteral("1"), QStringLiteral("0"));
        RunMatch(*m_main, 700, 500);
        if (paused) {
            QTest::keyClick(m_main->windowHandle(), Qt::Key_P, Qt::NoModifier);
            QVERIFY(m_main->PauseOn());
        }
        const int interval1 = gravityTimerOf(m_main, 1)->Interval();
        QWidget *window = help ? static_cast<QWidget *>(m_help) : m_welcome;
        if (help)
            actionOf(m_main, "helpTopicsAction")->trigger();
        else
            m_assistant->reopenWelcome();
        QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), 0);
        QCOMPARE(gravityTimerOf(m_main, 2)->Interval(), 0);
        sendKey(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), interval1);
        QCOMPARE(gravityTimerOf(m_main, 2)->Interval(), paused ? 0 : 500);
        QCOMPARE(m_main->PauseOn(), paused);
        if (paused) {
            // The pause key still gives the match back at its speed.
            QTest::keyClick(m_main->windowHandle(), Qt::Key_P, Qt::NoModifier);
            QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), 700);
            QCOMPARE(gravityTimerOf(m_main, 2)->Interval(), 500);
        }
    }

    // --- the balloons as windows --------------------------------------------------------------

    void balloonWindows_data()
    {
        QTest::addColumn<bool>("help");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("welcome") << false << QSize(406, 140) << "Uvítání" << "Uvítací dialog";
        QTest::newRow("help") << true << QSize(246, 343) << "Nápověda"
                              << "Nápověda programu Parblok 2000";
    }

    void balloonWindows()
    {
        QFETCH(bool, help);
        QFETCH(QSize, size);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        TBalloonForm *window = help ? static_cast<TBalloonForm *>(m_help) : m_welcome;
        // Not a child of the windows it disables.
        QVERIFY(window->isWindow());
        QCOMPARE(window->parentWidget(), nullptr);
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window->size(), size);
        QCOMPARE(window->mask(), tformshape::balloonRegion(tformshape::bpBottomRight, size.width(),
                                                           size.height(), 20, 15));
        // Cream inside a black outline.
        const QImage image = window->grab().toImage();
        QCOMPARE(image.pixelColor(0, size.height() / 2), QColor(Qt::black));
        QCOMPARE(image.pixelColor(1, size.height() / 2), QColor(255, 255, 224));

        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(window);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Name), caption);
        QCOMPARE(accessible->text(QAccessible::Description), hint);
    }

    void linksAreAccessible()
    {
        QAccessibleInterface *link = QAccessible::queryAccessibleInterface(m_welcome->startPlayingLink);
        QVERIFY(link != nullptr);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Začít pracovat s programem Parblok 2000"));
        QCOMPARE(link->text(QAccessible::Description), QStringLiteral("Zahájí práci s programem"));

        // Pressed through the interface, the link leaves the window as a click does.
        start(QStringLiteral("1"), QStringLiteral("0"));
        m_assistant->reopenWelcome();
        QVERIFY(link->actionInterface() != nullptr);
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(!m_welcome->isVisible());
        QCOMPARE(ReadSetting(Welcome), QStringLiteral("0"));
    }
};

PARBLOK_TEST_MAIN(TestBalloons)
#include "tst_balloons.moc"
