#include "Clock.h"
#include "Data.h"
#include "Hlavni.h"
#include "MainWindowDriver.h"
#include "OContrls.h"
#include "Pomocnik.h"
#include "ProgramFolderFixture.h"
#include "Tabulka.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "SoundPlayer.h"
#include "Timer.h"
#include "Vymazat.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableView>
#include <QWindow>

#include <memory>

// The results viewer and the clearing question, opened through the main window's commands, on a
// real results store in a temporary program folder.
class TestResultsWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<MessageCatcher> m_messages;
    TDataModule1 *m_data = nullptr;
    THlavniDialog *m_main = nullptr;
    TPomocnikDialog *m_assistant = nullptr;
    TTabulkaDialog *m_viewer = nullptr;
    TVymazatDialog *m_question = nullptr;
    const QDate m_today = QDate(2024, 2, 29);

    QString data(const QString &name) const { return m_folder->data(name); }

    // Stores results given as "name|points|kind name".
    void store(const QStringList &results)
    {
        for (const QString &result : results)
            m_data->AppendResult(result.section(u'|', 0, 0), result.section(u'|', 1, 1), result.section(u'|', 2, 2));
    }

    QTableView *grid(int page) const
    {
        return QList<QTableView *>{m_viewer->trainingGrid, m_viewer->standardGrid, m_viewer->advancedGrid}.at(page);
    }

    // What a page's grid shows, as "name|points|date".
    QStringList shownOn(int page) const
    {
        const QAbstractItemModel *model = grid(page)->model();
        QStringList rows;
        for (int r = 0; model != nullptr && r < model->rowCount(); ++r)
            rows.append(QStringList{model->index(r, 0).data().toString(), model->index(r, 1).data().toString(),
                                    model->index(r, 2).data().toString()}
                            .join(u'|'));
        return rows;
    }

    // How many rows of each kind the store holds.
    QList<int> rowsPerKind()
    {
        QList<int> counts;
        for (const QString &code : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
            m_data->ShowKind(code);
            counts.append(m_data->resultsSource->rowCount());
        }
        return counts;
    }

    QPair<int, int> gravity() const { return {gravityTimerOf(m_main, 1)->Interval(), gravityTimerOf(m_main, 2)->Interval()}; }

    // The first and last pixel columns of `image` with dark (text) pixels on the silver ground;
    // (-1, -1) when there are none.
    static QPair<int, int> inkColumns(const QImage &image)
    {
        QPair<int, int> ink(-1, -1);
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    if (ink.first < 0)
                        ink.first = x;
                    ink.second = x;
                    break;
                }
            }
        }
        return ink;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolderFixture>(ProgramFolderFixture::Data::WithBackup);
        QVERIFY(m_folder->isValid());
        setNowForTesting(QDateTime(m_today, QTime(12, 0)));
        m_messages = std::make_unique<MessageCatcher>();
        m_data = m_folder->make<TDataModule1>();
        m_main = m_folder->make<THlavniDialog>();
        m_assistant = m_folder->make<TPomocnikDialog>();
        m_question = m_folder->make<TVymazatDialog>();
        m_viewer = m_folder->make<TTabulkaDialog>();
        QCOMPARE(TabulkaDialog(), m_viewer);
        QCOMPARE(VymazatDialog(), m_question);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        QVERIFY(m_data->resultsTable->Active());
    }

    void cleanup()
    {
        m_folder->destroyWindows();
        m_messages.reset();
        QCOMPARE(TabulkaDialog(), nullptr);
        QCOMPARE(VymazatDialog(), nullptr);
        clearNowForTesting();
        m_folder.reset();
    }

    // The clearing question sounds "Dotaz.wav" while the main window and the assistant are still
    // usable; only then do they rest.
    void questionSoundsBeforeWindowsRest()
    {
        QVERIFY(m_folder->addSound(QStringLiteral("Dotaz.wav")));
        QStringList heard;
        setSoundObserver([&](const QString &source) {
            heard << QStringLiteral("%1 main %2 assistant %3")
                         .arg(QFileInfo(source).fileName())
                         .arg(m_main->isEnabled())
                         .arg(m_assistant->isEnabled());
        });
        const auto restore = qScopeGuard([] { setSoundObserver({}); });
        actionOf(m_main, "clearResultsTableAction")->trigger();
        QCOMPARE(heard, QStringList{QStringLiteral("Dotaz.wav main 1 assistant 1")});
        QVERIFY(!m_main->isEnabled() && !m_assistant->isEnabled());
    }

    void pages_data()
    {
        QTest::addColumn<QStringList>("results"); // name|points|kind name
        QTest::addColumn<bool>("toolbar");        // opened by the toolbar button, else the menu
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("rows");    // name|points
        QStringList twelve;
        const int points[] = {55, 3, 40, 12, 99, 7, 61, 28, 80, 15, 4, 33};
        for (int n = 0; n < 12; ++n)
            twelve.append(QStringLiteral("Hráč %1|%2|Standardní").arg(n + 1).arg(points[n]));
        const QStringList lowestTen{QStringLiteral("Hráč 2|3"), QStringLiteral("Hráč 11|4"), QStringLiteral("Hráč 6|7"), QStringLiteral("Hráč 4|12"), QStringLiteral("Hráč 10|15"),
                                    QStringLiteral("Hráč 8|28"), QStringLiteral("Hráč 12|33"), QStringLiteral("Hráč 3|40"), QStringLiteral("Hráč 1|55"), QStringLiteral("Hráč 7|61")};
        QTest::newRow("twelve: the ten lowest") << twelve << false << 1 << lowestTen;
        const QStringList three{QStringLiteral("Šárka|30|Trénink"), QStringLiteral("Žofie|20|Pokročilá"), QStringLiteral("Ctirad|10|Standardní"),
                                QStringLiteral("Ďáblík|5|Trénink"), QStringLiteral("Řehoř|7|Pokročilá")};
        QTest::newRow("training page") << three << true << 0 << QStringList{QStringLiteral("Ďáblík|5"), QStringLiteral("Šárka|30")};
        QTest::newRow("standard page") << three << false << 1 << QStringList{QStringLiteral("Ctirad|10")};
        QTest::newRow("advanced page") << three << true << 2 << QStringList{QStringLiteral("Řehoř|7"), QStringLiteral("Žofie|20")};
        QTest::newRow("empty kind: titles only") << QStringList{QStringLiteral("Adam|1|Trénink"), QStringLiteral("Bára|2|Pokročilá")} << false << 1 << QStringList{};
        QTest::newRow("whole numbers") << QStringList{QStringLiteral("Adam|1234567|Pokročilá"), QStringLiteral("Bára|0|Pokročilá")} << true << 2
                                       << QStringList{QStringLiteral("Bára|0"), QStringLiteral("Adam|1234567")};
    }
    void pages()
    {
        QFETCH(QStringList, results);
        QFETCH(bool, toolbar);
        QFETCH(int, page);
        QFETCH(QStringList, rows);
        store(results);
        // Made at start-up without reading the table; the grids are bound when first shown.
        QCOMPARE(grid(page)->model(), nullptr);
        // Left on the last page: the next opening starts on the first all the same.
        m_viewer->kindPages->setCurrentIndex(2);

        (toolbar ? actionOf(m_main, "resultsTableToolAction") : actionOf(m_main, "resultsTableAction"))->trigger();
        QVERIFY(m_viewer->isVisible());
        QCOMPARE(m_viewer->kindPages->currentIndex(), 0);
        QCOMPARE(m_viewer->kindPages->tabText(page),
                 QStringList({QStringLiteral("Tréninková hra"), QStringLiteral("Standardní hra"), QStringLiteral("Hra pro pokročilé")}).at(page));
        m_viewer->kindPages->setCurrentIndex(page);

        const QString date = QLocale::system().toString(m_today, QLocale::system().dateFormat(QLocale::ShortFormat));
        QStringList expected;
        for (const QString &row : rows)
            expected.append(row + u'|' + date);
        QCOMPARE(shownOn(page), expected);
        const QHeaderView *titles = grid(page)->horizontalHeader();
        QVERIFY(titles->isVisible());
        QCOMPARE(titles->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Jméno"));
        QCOMPARE(titles->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Body"));
        QCOMPARE(titles->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Datum"));
        QCOMPARE(titles->model()->columnCount(), 3);
    }

    // Ten rows fit under the titles, no column runs under the panel that covers the scroll bar,
    // and the widest date of the year fits its column.
    void gridShowsTenRowsUncovered()
    {
        QStringList many;
        for (int n = 0; n < 15; ++n)
            many.append(QStringLiteral("%1|%2|Trénink").arg(QString(100, u'W')).arg(99990 + n));
        store(many);
        setNowForTesting(QDateTime(QDate(2024, 12, 28), QTime(12, 0)));
        actionOf(m_main, "resultsTableAction")->trigger();
        QTableView *view = grid(0);
        QCOMPARE(view->model()->rowCount(), TTabulkaDialog::VisibleRows);
        QVERIFY(view->rowViewportPosition(9) + view->rowHeight(9) <= view->viewport()->height());
        QVERIFY(view->columnWidth(0) <= 240);
        QVERIFY(view->columnWidth(1) >= 30);
        const int coverStart = m_viewer->trainingScrollCover->x() - view->x();
        QVERIFY(view->columnViewportPosition(2) + view->columnWidth(2) <= coverStart);
        const QString longDate = QLocale::system().toString(QDate(2024, 12, 28), QLocale::ShortFormat);
        QVERIFY(view->fontMetrics().horizontalAdvance(longDate) <= view->columnWidth(2));
        QCOMPARE(view->font().pixelSize(), 11);
        QVERIFY(view->horizontalHeader()->font().bold());
        QVERIFY(m_viewer->trainingScrollCover->geometry().intersects(view->geometry()));
    }

    // Every score the points column holds is drawn whole and centred in its cell: the cell's ink
    // is as wide as the number drawn alone in the grid's font, and stands clear of both edges.
    void scoresDrawnWhole_data()
    {
        QTest::addColumn<QString>("points");
        QTest::newRow("one digit") << "7";
        QTest::newRow("five digits") << "10000";
        QTest::newRow("seven digits") << "1234567";
        QTest::newRow("the highest the column holds") << "9999999999";
        QTest::newRow("the lowest the column holds") << "-999999999";
    }
    void scoresDrawnWhole()
    {
        QFETCH(QString, points);
        store({QStringLiteral("A|%1|Trénink").arg(points)});
        actionOf(m_main, "resultsTableAction")->trigger();
        QTableView *view = grid(0);
        QCOMPARE(view->model()->index(0, 1).data().toString(), points);
        const QRect cell = view->visualRect(view->model()->index(0, 1));
        QVERIFY(view->viewport()->rect().contains(cell));
        const QPair<int, int> drawn = inkColumns(view->viewport()->grab(cell).toImage());

        QImage alone(cell.size() * 4, QImage::Format_ARGB32_Premultiplied);
        alone.fill(QColor(192, 192, 192));
        {
            QPainter painter(&alone);
            painter.setFont(view->font());
            painter.setPen(Qt::black);
            painter.drawText(alone.rect(), Qt::AlignCenter, points);
        }
        const QPair<int, int> whole = inkColumns(alone);
        QVERIFY2(drawn.first > 0 && drawn.second < cell.width() - 1,
                 qPrintable(QStringLiteral("ink %1..%2 in a cell %3 wide").arg(drawn.first).arg(drawn.second).arg(cell.width())));
        QVERIFY2(qAbs((drawn.second - drawn.first) - (whole.second - whole.first)) <= 1,
                 qPrintable(QStringLiteral("ink %1 wide, the number alone %2").arg(drawn.second - drawn.first).arg(whole.second - whole.first)));
        const int leftGap = drawn.first;
        const int rightGap = cell.width() - 1 - drawn.second;
        QVERIFY2(qAbs(leftGap - rightGap) <= 2, qPrintable(QStringLiteral("gaps %1 and %2").arg(leftGap).arg(rightGap)));
    }

    void viewerCloses_data()
    {
        QTest::addColumn<int>("key"); // 0: the Ok button is clicked
        QTest::addColumn<bool>("closes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("Ok") << 0 << true;
        QTest::newRow("another key") << int(Qt::Key_A) << false;
    }
    void viewerCloses()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        actionOf(m_main, "resultsTableAction")->trigger();
        QVERIFY(!m_main->isEnabled());
        QVERIFY(!m_assistant->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), m_viewer->okButton);
        if (key == 0)
            QTest::mouseClick(m_viewer->okButton, Qt::LeftButton);
        else
            QTest::keyClick(m_viewer->windowHandle(), Qt::Key(key));
        QCOMPARE(m_viewer->isVisible(), !closes);
        QCOMPARE(m_main->isEnabled(), closes);
        QCOMPARE(m_assistant->isEnabled(), closes);
    }

    // Gravity stops while the viewer is open and comes back at its speed; with the pause key's
    // pause on, the viewer leaves it to the pause key.
    void viewerSuspendsGravity_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("running") << false;
        QTest::newRow("paused by the pause key") << true;
    }
    void viewerSuspendsGravity()
    {
        QFETCH(bool, paused);
        RunMatch(*m_main, 500, 700);
        if (paused)
            m_main->PressGameKey(u'P');
        actionOf(m_main, "resultsTableToolAction")->trigger();
        QCOMPARE(gravity(), qMakePair(0, 0));
        QTest::keyClick(m_viewer->windowHandle(), Qt::Key_Escape);
        QCOMPARE(gravity(), paused ? qMakePair(0, 0) : qMakePair(500, 700));
        if (paused)
            m_main->PressGameKey(u'P');
        QCOMPARE(gravity(), qMakePair(500, 700));
    }

    // A window beside the assistant takes the other windows (and, for the viewer, gravity) once
    // per opening: closed before it was ever shown, shown again without a close, or closed once
    // more, it changes nothing.
    void oncePerOpening_data()
    {
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("stopsGravity");
        QTest::newRow("viewer") << true << true;
        QTest::newRow("clearing question") << false << false;
    }
    void oncePerOpening()
    {
        QFETCH(bool, viewer);
        QFETCH(bool, stopsGravity);
        QWidget *window = viewer ? static_cast<QWidget *>(m_viewer) : m_question;
        RunMatch(*m_main, 500, 700);
        window->close();
        QCOMPARE(gravity(), qMakePair(500, 700));
        window->show();
        window->hide();
        window->show();
        QCOMPARE(gravity(), stopsGravity ? qMakePair(0, 0) : qMakePair(500, 700));
        QVERIFY(!m_main->isEnabled());
        window->close();
        window->close();
        QCOMPARE(gravity(), qMakePair(500, 700));
        QVERIFY(m_main->isEnabled());
        // The pause key's own pause still holds and gives gravity back.
        m_main->PressGameKey(u'P');
        QCOMPARE(gravity(), qMakePair(0, 0));
        m_main->PressGameKey(u'P');
        QCOMPARE(gravity(), qMakePair(500, 700));
    }

    // The question beside the assistant, answered by its buttons and keys while the main window
    // is disabled. Clearing needs a sound blank pair; otherwise nothing stored is lost.
    void clearing_data()
    {
        QTest::addColumn<QString>("spoil");  // a blank file to remove, or with "=" to overwrite
        QTest::addColumn<QString>("answer"); // Ano, Ne (buttons), Enter, Esc (keys)
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<bool>("reported");
        QTest::newRow("Ano") << "" << "Ano" << true << false;
        QTest::newRow("Enter") << "" << "Enter" << true << false;
        QTest::newRow("Ne") << "" << "Ne" << false << false;
        QTest::newRow("Esc") << "" << "Esc" << false << false;
        QTest::newRow("blank table missing") << "Zaloha/Parblok.dbf" << "Ano" << false << true;
        QTest::newRow("blank index missing") << "Zaloha/Parblok.Mdx" << "Enter" << false << true;
        QTest::newRow("blank table damaged") << "Zaloha/Parblok.dbf=" << "Ano" << false << true;
    }
    void clearing()
    {
        QFETCH(QString, spoil);
        QFETCH(QString, answer);
        QFETCH(bool, cleared);
        QFETCH(bool, reported);
        store({QStringLiteral("Adam|5|Trénink"), QStringLiteral("Bára|6|Standardní"), QStringLiteral("Cyril|7|Pokročilá")});
        if (spoil.endsWith(u'=')) {
            QFile file(data(spoil.chopped(1)));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("not a table");
        } else if (!spoil.isEmpty()) {
            QVERIFY(QFile::remove(data(spoil)));
        }
        RunMatch(*m_main, 500, 700);

        actionOf(m_main, "clearResultsTableAction")->trigger();
        QVERIFY(m_question->isVisible());
        QVERIFY(m_assistant->isVisible());
        QVERIFY(!m_main->isEnabled());
        QVERIFY(!m_assistant->isEnabled());
        QCOMPARE(gravity(), qMakePair(500, 700));
        const QRect p = m_assistant->frameGeometry();
        const QRect d = m_question->frameGeometry();
        QCOMPARE(d.topLeft(), QPoint(p.left() - d.width() + 45, p.top() + p.height() - d.height()));
        QTRY_COMPARE(QGuiApplication::focusWindow(), m_question->windowHandle());
        // A balloon with its tail at the right top: the corners and the right edge below the
        // tail are outside the window.
        const QRegion shape = m_question->mask();
        QVERIFY(shape.contains(QPoint(d.width() / 2, d.height() / 2)));
        QVERIFY(shape.contains(QPoint(d.width() - 2, 20)));
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(!shape.contains(QPoint(d.width() - 2, d.height() / 2 + 20)));

        if (answer == QLatin1String("Ano"))
            QTest::mouseClick(m_question->yesButton, Qt::LeftButton);
        else if (answer == QLatin1String("Ne"))
            QTest::mouseClick(m_question->noButton, Qt::LeftButton);
        else
            QTest::keyClick(m_question->windowHandle(), answer == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);

        QVERIFY(!m_question->isVisible());
        QVERIFY(m_main->isEnabled());
        QVERIFY(m_assistant->isEnabled());
        QCOMPARE(m_messages->texts().size(), reported ? 1 : 0);
        QCOMPARE(rowsPerKind(), cleared ? QList<int>({0, 0, 0}) : QList<int>({1, 1, 1}));
        // Whatever the answer, the table takes the next result.
        store({QStringLiteral("Dana|8|Trénink")});
        actionOf(m_main, "resultsTableAction")->trigger();
        QCOMPARE(shownOn(0).size(), cleared ? 1 : 2);
    }
};

PARBLOK_TEST_MAIN(TestResultsWindows)
#include "tst_results_windows.moc"
