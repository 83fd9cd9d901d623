#include "Data.h"
#include "GradText.h"
#include "Hlavni.h"
#include "MainWindowDriver.h"
#include "KeyLayout.h"
#include "OProgramu.h"
#include "Ovladani.h"
#include "Ovladani1.h"
#include "Pomocnik.h"
#include "ProgramFolderFixture.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <memory>

// The key pictures and the about window: their texts, the commands that open them, the gravity
// they hold while open, the keys that close them, and the key pictures themselves.
class TestInfoWindows : public QObject
{
    Q_OBJECT

private:
    ProgramFolderFixture m_folder;
    std::unique_ptr<TDataModule1> m_data;
    std::unique_ptr<MessageCatcher> m_messages;
    THlavniDialog *m_main = nullptr;
    TPomocnikDialog *m_assistant = nullptr;
    TOvladaniDialog *m_one = nullptr;
    TOvladani1Dialog *m_two = nullptr;
    TOProgramuDialog *m_about = nullptr;

    QWidget *window(const QString &name) const
    {
        if (name == QLatin1String("OvladaniDialog"))
            return m_one;
        if (name == QLatin1String("Ovladani1Dialog"))
            return m_two;
        return m_about;
    }

    // A point on the face of the key cap labelled `label` in the key pictures.
    static QPoint capFace(const QString &label)
    {
        for (const KeyLayout::KeyCap &cap : KeyLayout::keyboardCaps())
            if (cap.label == label)
                return KeyLayout::capFacePoint(cap.rect);
        return QPoint(-1, -1);
    }

    void sendKey(QWidget *target, Qt::Key key)
    {
        QTest::keyClick(target->windowHandle(), key);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_data = std::make_unique<TDataModule1>();
    }

    void init()
    {
        m_messages = std::make_unique<MessageCatcher>();
        m_main = m_folder.make<THlavniDialog>();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        m_assistant = m_folder.make<TPomocnikDialog>();
        m_one = m_folder.make<TOvladaniDialog>();
        m_two = m_folder.make<TOvladani1Dialog>();
        m_about = m_folder.make<TOProgramuDialog>();
    }

    void cleanup()
    {
        m_folder.destroyWindows();
        m_messages.reset();
    }

    void cleanupTestCase() { m_data.reset(); }

    void globalInstances()
    {
        QCOMPARE(OvladaniDialog(), m_one);
        QCOMPARE(Ovladani1Dialog(), m_two);
        QCOMPARE(OProgramuDialog(), m_about);
        m_folder.destroy(m_one);
        m_folder.destroy(m_two);
        m_folder.destroy(m_about);
        QCOMPARE(OvladaniDialog(), nullptr);
        QCOMPARE(Ovladani1Dialog(), nullptr);
        QCOMPARE(OProgramuDialog(), nullptr);
    }

    void windows_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("captionBar");
        QTest::newRow("one player") << "OvladaniDialog" << "Ovládání hry 1 hráčem"
                                    << "Ovládání hry pro 1 hráče" << QSize(526, 202) << true;
        QTest::newRow("two players") << "Ovladani1Dialog" << "Ovládání hry 2 hráči"
                                     << "Ovládání hry pro 2 hráče" << QSize(712, 202) << true;
        QTest::newRow("about") << "OProgramuDialog" << "O programu Parblok 2000"
                               << "Informace o programu" << QSize(323, 244) << false;
    }
    void windows()
    {
        QFETCH(QString, form);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QSize, client);
        QFETCH(bool, captionBar);
        QWidget *w = window(form);
        QCOMPARE(w->objectName(), form);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->toolTip(), hint);
        QVERIFY(w->isWindow());
        QCOMPARE(w->parentWidget(), nullptr);
        QCOMPARE(w->minimumSize(), client);
        QCOMPARE(w->maximumSize(), client);
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(w->windowFlags().testFlag(Qt::FramelessWindowHint), !captionBar);
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowCloseButtonHint), captionBar);

        // Shown centred on the screen.
        w->show();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(w->frameGeometry().center().y() - screen.center().y()) <= 1);
        w->close();
    }

    void keyLists_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("one player") << "OvladaniDialog" << "keyList"
                                    << QStringList{QStringLiteral("I"), QStringLiteral("J"), QStringLiteral("L"), QStringLiteral("K"), QStringLiteral("Space"), QStringLiteral("P")};
        QTest::newRow("player 1") << "Ovladani1Dialog" << "player1KeyList"
                                  << QStringList{QStringLiteral("W"), QStringLiteral("A"), QStringLiteral("D"), QStringLiteral("S"), QStringLiteral("F"), QStringLiteral("P")};
        QTest::newRow("player 2") << "Ovladani1Dialog" << "player2KeyList"
                                  << QStringList{QStringLiteral("I"), QStringLiteral("J"), QStringLiteral("L"), QStringLiteral("K"), QStringLiteral("H"), QStringLiteral("P")};
    }
    void keyLists()
    {
        QFETCH(QString, form);
        QFETCH(QString, panel);
        QFETCH(QStringList, keys);
        const QStringList actions{QStringLiteral("Otočení tvarů"), QStringLiteral("Posun vlevo"), QStringLiteral("Posun vpravo"),
                                  QStringLiteral("Posun dolů"), QStringLiteral("Odeslání dolů"), QStringLiteral("Pauza")};
        QWidget *w = window(form);
        w->show();
        auto *list = w->findChild<QFrame *>(panel);
        QVERIFY(list != nullptr);
        int lastTop = -1;
        for (int row = 0; row < actions.size(); ++row) {
            const QString number = QString::number(row + 1);
            auto *action = list->findChild<QLabel *>(QStringLiteral("actionLabel") + number);
            auto *key = list->findChild<QLabel *>(QStringLiteral("keyLabel") + number);
            QVERIFY(action != nullptr && key != nullptr);
            QCOMPARE(action->text(), actions[row]);
            QCOMPARE(key->text(), keys[row]);
            QCOMPARE(action->font().pixelSize(), 16);
            QVERIFY(action->font().bold());
            // One line per action, top to bottom, all inside the panel.
            QVERIFY(action->y() > lastTop);
            QCOMPARE(key->y(), action->y());
            QVERIFY(list->rect().contains(action->geometry()));
            QVERIFY(list->rect().contains(key->geometry()));
            lastTop = action->y();
        }
        // The rule stands between the drop and the pause.
        auto *rule = list->findChild<QFrame *>(QStringLiteral("Bevel") + panel);
        QVERIFY(rule != nullptr);
        QVERIFY(rule->y() > list->findChild<QLabel *>(QStringLiteral("actionLabel5"))->geometry().bottom());
        QVERIFY(rule->geometry().bottom() < list->findChild<QLabel *>(QStringLiteral("actionLabel6"))->y());
        w->close();
    }

    void headings_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<TColor>("begin");
        QTest::newRow("player 1") << "Ovladani1Dialog" << "player1Heading" << "Hráč č. 1" << 21 << clBlue;
        QTest::newRow("player 2") << "Ovladani1Dialog" << "player2Heading" << "Hráč č. 2" << 21 << clBlue;
        QTest::newRow("title") << "OProgramuDialog" << "titleText" << "Parblok 2000" << 32 << clRed;
        QTest::newRow("version") << "OProgramuDialog" << "versionText" << "verze 5.0" << 19 << clRed;
    }
    void headings()
    {
        QFETCH(QString, form);
        QFETCH(QString, heading);
        QFETCH(QString, text);
        QFETCH(int, pixels);
        QFETCH(TColor, begin);
        auto *gradText = window(form)->findChild<TGradText *>(heading);
        QVERIFY(gradText != nullptr);
        QCOMPARE(gradText->Lines(), QStringList{text});
        QCOMPARE(gradText->Font().pixelSize(), pixels);
        QVERIFY(gradText->Font().bold() && gradText->Font().italic());
        QCOMPARE(gradText->BeginColor(), begin);
    }

    void aboutWindow()
    {
        QCOMPARE(m_about->okButton->text(), QStringLiteral("Ok"));
        QCOMPARE(m_about->okButton->size(), QSize(75, 25));
        QCOMPARE(m_about->okButton->toolTip(),
                 QStringLiteral("Uzavře dialogové okno s informacemi o programu"));
        QCOMPARE(m_about->programPicture->size(), QSize(63, 62));
        QVERIFY(!m_about->programPicture->pixmap().isNull());
        QVERIFY(!m_about->makerLabel->text().isEmpty());
        // The button closes the window and gives the main window back.
        m_about->show();
        QVERIFY(m_about->okButton->hasFocus() || m_about->focusWidget() == m_about->okButton);
        QTest::mouseClick(m_about->okButton, Qt::LeftButton);
        QVERIFY(!m_about->isVisible());
        QVERIFY(m_main->isEnabled());
    }

    // --- opening, gravity and closing -----------------------------------------------------------

    void commandsOpenTheirWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("form");
        QTest::newRow("one player") << "onePlayerKeysAction" << "OvladaniDialog";
        QTest::newRow("two players") << "twoPlayerKeysAction" << "Ovladani1Dialog";
        QTest::newRow("about") << "aboutAction" << "OProgramuDialog";
    }
    void commandsOpenTheirWindow()
    {
        QFETCH(QString, command);
        QFETCH(QString, form);
        auto *action = m_main->findChild<QAction *>(command);
        QVERIFY(action != nullptr);
        action->trigger();
        for (QWidget *w : {static_cast<QWidget *>(m_one), static_cast<QWidget *>(m_two),
                           static_cast<QWidget *>(m_about)})
            QCOMPARE(w->isVisible(), w->objectName() == form);
        QVERIFY(!m_main->isEnabled());
        QVERIFY(!m_assistant->isEnabled());
        // A second command while it is open changes nothing.
        action->trigger();
        window(form)->close();
        QVERIFY(m_main->isEnabled());
        QVERIFY(m_assistant->isEnabled());
        QCOMPARE(m_main->Match().GravitySuspensions(), 0);
    }

    // Gravity stands still while a window is open, unless the pause holds it already; after the
    // window closes, a running match goes on at its own speed with a full period.
    void gravity_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("paused");
        for (const char *form : {"OvladaniDialog", "Ovladani1Dialog", "OProgramuDialog"}) {
            QTest::addRow("%s running", form) << form << false;
            QTest::addRow("%s paused", form) << form << true;
        }
    }
    void gravity()
    {
        QFETCH(QString, form);
        QFETCH(bool, paused);
        RunMatch(*m_main, 700, 400);
        if (paused)
            m_main->PressGameKey(QLatin1Char('p'));
        QWidget *w = window(form);
        const int starts1 = gravityTimerOf(m_main, 1)->periodStarts();

        w->show();
        QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), 0);
        QCOMPARE(gravityTimerOf(m_main, 2)->Interval(), 0);
        QCOMPARE(m_main->Match().Gravity().interval(1), 700);
        QCOMPARE(m_main->Match().Gravity().interval(2), 400);
        QVERIFY(!m_main->isEnabled());

        w->close();
        QVERIFY(m_main->isEnabled());
        QCOMPARE(m_main->PauseOn(), paused);
        if (paused) {
            QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), 0);
            m_main->PressGameKey(QLatin1Char('P'));
        } else {
            QVERIFY(gravityTimerOf(m_main, 1)->periodStarts() > starts1);
        }
        QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), 700);
        QCOMPARE(gravityTimerOf(m_main, 2)->Interval(), 400);
        QVERIFY(gravityTimerOf(m_main, 1)->isArmed());
        QVERIFY(gravityTimerOf(m_main, 2)->isArmed());
    }

    void closeKeys_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("onButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        for (const char *form : {"OvladaniDialog", "Ovladani1Dialog", "OProgramuDialog"}) {
            QTest::addRow("%s Enter", form) << form << false << int(Qt::Key_Return) << true;
            QTest::addRow("%s keypad Enter", form) << form << false << int(Qt::Key_Enter) << true;
            QTest::addRow("%s Esc", form) << form << false << int(Qt::Key_Escape) << true;
            QTest::addRow("%s other", form) << form << false << int(Qt::Key_K) << false;
        }
        QTest::newRow("about button Enter") << "OProgramuDialog" << true << int(Qt::Key_Return) << true;
        QTest::newRow("about button Esc") << "OProgramuDialog" << true << int(Qt::Key_Escape) << true;
    }
    void closeKeys()
    {
        QFETCH(QString, form);
        QFETCH(bool, onButton);
        QFETCH(int, key);
        QFETCH(bool, closes);
        RunMatch(*m_main, 700, 0);
        QWidget *w = window(form);
        w->show();
        // The window takes the keyboard at once, while the main window is disabled.
        QCOMPARE(w->focusWidget(), onButton || w == m_about ? m_about->okButton : w);
        if (onButton)
            QTest::keyClick(m_about->okButton, Qt::Key(key));
        else
            sendKey(w, Qt::Key(key));
        QCOMPARE(w->isVisible(), !closes);
        QCOMPARE(m_main->isEnabled(), closes);
        QCOMPARE(gravityTimerOf(m_main, 1)->Interval(), closes ? 700 : 0);
        w->close();
    }

    // --- the key pictures -------------------------------------------------------------------------

    void keyPictures_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("cap");
        QTest::addColumn<int>("action"); // -1: a plain key
        using enum KeyLayout::Action;
        const QString one = QStringLiteral(":/shell/keys-1.png");
        const QString two = QStringLiteral(":/shell/keys-2.png");
        QTest::newRow("one: I turns") << one << "I" << int(Turn);
        QTest::newRow("one: J left") << one << "J" << int(Left);
        QTest::newRow("one: L right") << one << "L" << int(Right);
        QTest::newRow("one: K down") << one << "K" << int(Down);
        QTest::newRow("one: Space drops") << one << "Space" << int(Drop);
        QTest::newRow("one: P pauses") << one << "P" << int(Pause);
        QTest::newRow("one: W plain") << one << "W" << -1;
        QTest::newRow("one: H plain") << one << "H" << -1;
        QTest::newRow("two: W turns") << two << "W" << int(Turn);
        QTest::newRow("two: A left") << two << "A" << int(Left);
        QTest::newRow("two: D right") << two << "D" << int(Right);
        QTest::newRow("two: S down") << two << "S" << int(Down);
        QTest::newRow("two: F drops") << two << "F" << int(Drop);
        QTest::newRow("two: I turns") << two << "I" << int(Turn);
        QTest::newRow("two: H drops") << two << "H" << int(Drop);
        QTest::newRow("two: P pauses") << two << "P" << int(Pause);
        QTest::newRow("two: Space plain") << two << "Space" << -1;
        QTest::newRow("two: E plain") << two << "E" << -1;
    }
    void keyPictures()
    {
        QFETCH(QString, picture);
        QFETCH(QString, cap);
        QFETCH(int, action);
        const QImage image(picture);
        QCOMPARE(image.size(), QSize(KeyLayout::PictureWidth, KeyLayout::PictureHeight));
        const QColor expected = action < 0 ? KeyLayout::plainCapColour()
                                           : KeyLayout::actionColour(KeyLayout::Action(action));
        QCOMPARE(image.pixelColor(capFace(cap)).rgb(), expected.rgb());
        // The legend shows every action in its colour.
        for (int index = 0; index < KeyLayout::ActionCount; ++index) {
            const auto legend = KeyLayout::Action(index);
            QCOMPARE(image.pixelColor(KeyLayout::capFacePoint(KeyLayout::legendSwatch(legend))).rgb(),
                     KeyLayout::actionColour(legend).rgb());
        }
    }

    void windowsShowThePictures()
    {
        for (QLabel *image : {m_one->keyboardPicture, m_two->keyboardPicture}) {
            QCOMPARE(image->contentsRect().size(), QSize(322, 182));
            QCOMPARE(image->pixmap().size(), QSize(322, 182));
        }
        // Each window its own picture: W turns only in the two-player one.
        QCOMPARE(m_one->keyboardPicture->pixmap().toImage().pixelColor(capFace(QStringLiteral("W"))).rgb(),
                 KeyLayout::plainCapColour().rgb());
        QCOMPARE(m_two->keyboardPicture->pixmap().toImage().pixelColor(capFace(QStringLiteral("W"))).rgb(),
                 KeyLayout::actionColour(KeyLayout::Action::Turn).rgb());
    }
};

PARBLOK_TEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
