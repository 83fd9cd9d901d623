#include "AppError.h"
#include "Data.h"
#include "DbaseTestSupport.h"
#include "ForeignLocker.h"
#include "ProgramFolderFixture.h"
#include "TestMain.h"
#include "Clock.h"
#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <memory>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat statOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return st;
}

using dbasetest::readFile;
const auto errorOf = dbasetest::messageOf;

} // namespace

class TestResultsStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<TDataModule1> m_store;

    QString data(const QString &name = {}) const { return m_folder->data(name); }

    // The rows the data source presents now, as "name|points".
    QStringList shown() const
    {
        QStringList rows;
        TDataSource *source = m_store->resultsSource;
        for (int r = 0; r < source->rowCount(); ++r)
            rows.append(source->index(r, 0).data().toString() + u'|' + source->index(r, 1).data().toString());
        return rows;
    }

    QStringList shownKind(const QString &code)
    {
        m_store->ShowKind(code);
        return shown();
    }

private slots:
    void initTestCase()
    {
        setNowForTesting(QDateTime(QDate(2024, 5, 17), QTime(23, 30)));
    }

    void init()
    {
        m_folder = std::make_unique<ProgramFolderFixture>(ProgramFolderFixture::Data::WithBackup);
        QVERIFY(m_folder->isValid());
        m_store = std::make_unique<TDataModule1>();
        QCOMPARE(DataModule1, m_store.get());
        m_store->OpenAtStart();
    }

    void cleanup()
    {
        m_store.reset();
        QCOMPARE(DataModule1, nullptr);
        m_folder.reset();
    }

    void storeAndShow_data()
    {
        QTest::addColumn<QStringList>("results");   // name|points|kind name
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("rows");      // name|points, as shown
        QTest::newRow("lowest first") << QStringList{QStringLiteral("Adam|50|Trénink"), QStringLiteral("Bára|10|Trénink"), QStringLiteral("Cyril|30|Trénink")} << "1"
                                      << QStringList{QStringLiteral("Bára|10"), QStringLiteral("Cyril|30"), QStringLiteral("Adam|50")};
        QTest::newRow("other kinds hidden") << QStringList{QStringLiteral("Adam|5|Standardní"), QStringLiteral("Bára|3|Trénink"), QStringLiteral("Cyril|4|Pokročilá")} << "2"
                                            << QStringList{QStringLiteral("Adam|5")};
        QTest::newRow("advanced") << QStringList{QStringLiteral("Adam|5|Standardní"), QStringLiteral("Cyril|4|Pokročilá"), QStringLiteral("Dana|-2|Pokročilá")} << "3"
                                  << QStringList{QStringLiteral("Dana|-2"), QStringLiteral("Cyril|4")};
        QTest::newRow("kind never recorded") << QStringList{QStringLiteral("Adam|5|Trénink")} << "3" << QStringList{};
        QTest::newRow("kind names are case-sensitive") << QStringList{QStringLiteral("Adam|5|trénink"), QStringLiteral("Bára|6|Trénink")} << "1" << QStringList{QStringLiteral("Bára|6")};
        QTest::newRow("unknown kind is stored without a code") << QStringList{QStringLiteral("Adam|5|nevybráno")} << "" << QStringList{QStringLiteral("Adam|5")};
        QTest::newRow("negative, zero, positive") << QStringList{QStringLiteral("A|12|Standardní"), QStringLiteral("B|0|Standardní"), QStringLiteral("C|-3|Standardní")} << "2"
                                                  << QStringList{QStringLiteral("C|-3"), QStringLiteral("B|0"), QStringLiteral("A|12")};
        QTest::newRow("equal points keep the storing order") << QStringList{QStringLiteral("A|5|Trénink"), QStringLiteral("B|5|Trénink"), QStringLiteral("C|5|Trénink")} << "1"
                                                             << QStringList{QStringLiteral("A|5"), QStringLiteral("B|5"), QStringLiteral("C|5")};
        QTest::newRow("blank name is stored") << QStringList{QStringLiteral("   |7|Trénink")} << "1" << QStringList{QStringLiteral("|7")};
        QTest::newRow("Czech and foreign letters") << QStringList{QStringLiteral("Jiří Šťastný|1|Trénink"), QStringLiteral("Ωmega|2|Trénink")} << "1"
                                                   << QStringList{QStringLiteral("Jiří Šťastný|1"), QStringLiteral("?mega|2")};
        QTest::newRow("points with blanks around") << QStringList{QStringLiteral("A| 42 |Trénink")} << "1" << QStringList{QStringLiteral("A|42")};
    }
    void storeAndShow()
    {
        QFETCH(QStringList, results);
        QFETCH(QString, code);
        QFETCH(QStringList, rows);
        for (const QString &result : results)
            m_store->AppendResult(result.section(u'|', 0, 0), result.section(u'|', 1, 1), result.section(u'|', 2, 2));
        QCOMPARE(shownKind(code), rows);
        // The same from a fresh start: what was shown came from the files.
        m_store.reset();
        m_store = std::make_unique<TDataModule1>();
        m_store->OpenAtStart();
        QCOMPARE(shownKind(code), rows);
    }

    void nameIsCutTo100Characters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::newRow("150 letters") << QString(150, u'x') << QString(100, u'x');
        QTest::newRow("150 Czech letters") << QString(150, u'ř') << QString(100, u'ř');
        QTest::newRow("accent typed apart") << QString(100, u'e').replace(0, 1, QStringLiteral("e\u0301")) + u'z'
                                            << QStringLiteral("é") + QString(99, u'e');
        QTest::newRow("exactly 100") << QString(100, u'a') << QString(100, u'a');
    }
    void nameIsCutTo100Characters()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        m_store->AppendResult(name, QStringLiteral("1"), QStringLiteral("Trénink"));
        m_store->ShowKind(QStringLiteral("1"));
        QCOMPARE(m_store->resultsSource->index(0, 0).data().toString(), stored);
    }

    // A result carries the local calendar day, in the row and in the table's header, whatever the
    // day in UTC is at that moment.
    void resultIsDatedByTheLocalDay_data()
    {
        QTest::addColumn<QByteArray>("zone");       // POSIX TZ: "XYZ-10" is ten hours east of UTC
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QDate>("day");
        QTest::newRow("east, already tomorrow") << QByteArray("XYZ-10") << QDateTime(QDate(2024, 5, 17), QTime(20, 0), Qt::UTC) << QDate(2024, 5, 18);
        QTest::newRow("west, still yesterday") << QByteArray("XYZ+10") << QDateTime(QDate(2024, 5, 18), QTime(3, 0), Qt::UTC) << QDate(2024, 5, 17);
        QTest::newRow("west, across the year") << QByteArray("XYZ+5") << QDateTime(QDate(2025, 1, 1), QTime(1, 0), Qt::UTC) << QDate(2024, 12, 31);
        QTest::newRow("at UTC") << QByteArray("UTC0") << QDateTime(QDate(2024, 5, 17), QTime(23, 59), Qt::UTC) << QDate(2024, 5, 17);
    }
    void resultIsDatedByTheLocalDay()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, moment);
        QFETCH(QDate, day);
        const QByteArray savedZone = qgetenv("TZ");
        const bool hadZone = qEnvironmentVariableIsSet("TZ");
        const auto restore = qScopeGuard([&] {
            if (hadZone)
                qputenv("TZ", savedZone);
            else
                qunsetenv("TZ");
            tzset();
            setNowForTesting(QDateTime(QDate(2024, 5, 17), QTime(23, 30)));
        });
        qputenv("TZ", zone);
        tzset();
        setNowForTesting(moment);
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        m_store->ShowKind(QStringLiteral("1"));
        QCOMPARE(m_store->resultsSource->index(0, 2).data(Qt::EditRole).toDate(), day);
        const QByteArray dbf = readFile(data(QStringLiteral("Parblok.dbf")));
        QCOMPARE(dbf.mid(161 + 1 + 100 + 10 + 2, 8), day.toString(u"yyyyMMdd").toLatin1());
        QCOMPARE(QDate(1900 + quint8(dbf[1]), dbf[2], dbf[3]), day);
    }

    void resultStoredWhileAnotherKindIsShown()
    {
        m_store->ShowKind(QStringLiteral("2"));
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        QCOMPARE(shown(), QStringList{});
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Adam|5")});
    }

    void badPointsStoreNothing_data()
    {
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << "12a" << "'12a' není platné číslo.";
        QTest::newRow("empty") << "" << "'' není platné číslo.";
        QTest::newRow("too many digits for the column") << "12345678901" << "se nevejde do sloupce TAHY";
        QTest::newRow("fraction in a whole column") << "2.5" << "se nevejde do sloupce TAHY";
    }
    void badPointsStoreNothing()
    {
        QFETCH(QString, points);
        QFETCH(QString, message);
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("3"), QStringLiteral("Trénink"));
        const QByteArray before = readFile(data(QStringLiteral("Parblok.dbf")));
        const QString error = errorOf([&] { m_store->AppendResult(QStringLiteral("Bára"), points, QStringLiteral("Trénink")); });
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(readFile(data(QStringLiteral("Parblok.dbf"))), before);
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Adam|3")});
    }

    void gridShowsTitlesDatesAndAlignment()
    {
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("1234"), QStringLiteral("Standardní"));
        m_store->ShowKind(QStringLiteral("2"));
        TDataSource *source = m_store->resultsSource;
        QCOMPARE(source->columnCount(), 3);
        QCOMPARE(source->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Jméno"));
        QCOMPARE(source->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Body"));
        QCOMPARE(source->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Datum"));
        QCOMPARE(source->index(0, 1).data().toString(), QStringLiteral("1234"));
        QCOMPARE(source->index(0, 2).data().toString(), QLocale::system().toString(QDate(2024, 5, 17), QLocale::ShortFormat));
        QCOMPARE(source->index(0, 2).data(Qt::EditRole).toDate(), QDate(2024, 5, 17));
        QVERIFY(source->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHCenter);
        QVERIFY(source->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        QVERIFY(source->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        QVERIFY(!(source->flags(source->index(0, 0)) & Qt::ItemIsEditable));
        QCOMPARE(m_store->dateField->DisplayLabel(), QStringLiteral("Datum"));
        QVERIFY(!m_store->kindField->Visible());
    }

    void resetEmptiesEveryKind()
    {
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        m_store->AppendResult(QStringLiteral("Bára"), QStringLiteral("6"), QStringLiteral("Pokročilá"));
        m_store->ResetTable();
        QVERIFY(m_store->resultsTable->Active());
        for (const QString &code : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")})
            QCOMPARE(shownKind(code), QStringList{});
        QCOMPARE(readFile(data(QStringLiteral("Parblok.dbf"))), readFile(data(QStringLiteral("Zaloha/Parblok.dbf"))));
        QCOMPARE(readFile(data(QStringLiteral("Parblok.mdx"))), readFile(data(QStringLiteral("Zaloha/Parblok.Mdx"))));
        m_store->AppendResult(QStringLiteral("Cyril"), QStringLiteral("7"), QStringLiteral("Trénink"));
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Cyril|7")});
    }

    void resetWithoutSoundBlanksTouchesNothing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("named");
        QTest::newRow("blank table missing") << "Zaloha/Parblok.dbf" << "Parblok.dbf";
        QTest::newRow("blank index missing") << "Zaloha/Parblok.Mdx" << "Parblok.Mdx";
        QTest::newRow("blank table damaged") << "Zaloha/Parblok.dbf=" << "Parblok.dbf";
        QTest::newRow("blank folder missing") << "Zaloha" << "Parblok.dbf";
    }
    void resetWithoutSoundBlanksTouchesNothing()
    {
        QFETCH(QString, damage);
        QFETCH(QString, named);
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        const QByteArray dbf = readFile(data(QStringLiteral("Parblok.dbf")));
        const QByteArray mdx = readFile(data(QStringLiteral("Parblok.mdx")));
        if (damage.endsWith(u'=')) {
            QFile file(data(damage.chopped(1)));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("not a table");
        } else if (damage == QLatin1String("Zaloha")) {
            QVERIFY(QDir(data(damage)).removeRecursively());
        } else {
            QVERIFY(QFile::remove(data(damage)));
        }
        const QString error = errorOf([&] { m_store->ResetTable(); });
        QVERIFY2(error.contains(QStringLiteral("zůstala beze změny"))
                     && error.contains(QStringLiteral("„%1“").arg(QDir::toNativeSeparators(data(QStringLiteral("Zaloha/")) + named))),
                 qPrintable(error));
        QCOMPARE(readFile(data(QStringLiteral("Parblok.dbf"))), dbf);
        QCOMPARE(readFile(data(QStringLiteral("Parblok.mdx"))), mdx);
        QVERIFY(m_store->resultsTable->Active());
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Adam|5")});
    }

    // With the live pair gone, opening fails and leaves the table closed; the viewer's pages are
    // empty without an error and storing fails until the files are back.
    void missingTableAtStart()
    {
        m_store.reset();
        QVERIFY(QFile::remove(data(QStringLiteral("Parblok.dbf"))));
        m_store = std::make_unique<TDataModule1>();
        QString error = errorOf([&] { m_store->OpenAtStart(); });
        QVERIFY2(error.contains(QDir::toNativeSeparators(data(QStringLiteral("Parblok.dbf")))), qPrintable(error));
        QVERIFY(!m_store->resultsTable->Active());
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{});
        error = errorOf([&] { m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink")); });
        QVERIFY2(error.contains(QLatin1String("Parblok.dbf")), qPrintable(error));
        QVERIFY(QFile::copy(data(QStringLiteral("Zaloha/Parblok.dbf")), data(QStringLiteral("Parblok.dbf"))));
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        QCOMPARE(shown(), QStringList{QStringLiteral("Adam|5")});
    }

    // Another program puts an unusable table or index in place while the store is open: each
    // operation reports the file, nothing crashes, and storing works again once the files are sound.
    void filesSpoiltWhileOpen_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("points column no longer numeric") << "Parblok.dbf" << 32 + 32 + 11 << QByteArray("C") << "nemá číselný sloupec TAHY";
        QTest::newRow("a column without a name") << "Parblok.dbf" << 32 + 64 << QByteArray(1, '\0') << "není platná tabulka";
        QTest::newRow("index turned descending") << "Parblok.mdx" << 2048 + 8 << QByteArray("\x18") << "nemá vzestupný index";
    }
    void filesSpoiltWhileOpen()
    {
        QFETCH(QString, file);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        m_store->ShowKind(QStringLiteral("1"));
        const QString path = data(file);
        const QByteArray sound = readFile(path);
        const auto putInPlace = [&](const QByteArray &content) {
            QFile replacement(path + QStringLiteral(".tmp"));
            QVERIFY(replacement.open(QIODevice::WriteOnly) && replacement.write(content) == content.size());
            replacement.close();
            QVERIFY(std::rename(QFile::encodeName(replacement.fileName()).constData(), QFile::encodeName(path).constData()) == 0);
        };
        putInPlace(QByteArray(sound).replace(offset, bytes.size(), bytes));

        const QString shown = QDir::toNativeSeparators(path);
        QString error = errorOf([&] { m_store->ShowKind(QStringLiteral("1")); });
        QVERIFY2(error.contains(message) && error.contains(shown), qPrintable(error));
        error = errorOf([&] { m_store->AppendResult(QStringLiteral("Bára"), QStringLiteral("3"), QStringLiteral("Trénink")); });
        QVERIFY2(error.contains(message) && error.contains(shown), qPrintable(error));

        putInPlace(sound);
        m_store->AppendResult(QStringLiteral("Bára"), QStringLiteral("3"), QStringLiteral("Trénink"));
        QCOMPARE(shownKind(QStringLiteral("1")), (QStringList{QStringLiteral("Bára|3"), QStringLiteral("Adam|5")}));
    }

    // While another program holds a lock on the table or its index, storing, opening and clearing
    // fail with the same message and change nothing; once the lock is gone the same steps work.
    void lockedByAnotherProgram_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("table") << "Parblok.dbf";
        QTest::newRow("index") << "Parblok.mdx";
    }
    void lockedByAnotherProgram()
    {
        QFETCH(QString, file);
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        const QByteArray dbf = readFile(data(QStringLiteral("Parblok.dbf")));
        const QByteArray mdx = readFile(data(QStringLiteral("Parblok.mdx")));
        const QString locked = QStringLiteral("Tabulka nejhorších hráčů „%1“ je zamčena jiným programem. Zkuste to prosím znovu později.")
                                   .arg(QDir::toNativeSeparators(data(file)));
        ForeignLocker other;
        QCOMPARE(other.take(data(file)), QStringLiteral("locked"));

        QCOMPARE(errorOf([&] { m_store->AppendResult(QStringLiteral("Bára"), QStringLiteral("3"), QStringLiteral("Trénink")); }), locked);
        QCOMPARE(errorOf([&] { m_store->ShowKind(QStringLiteral("1")); }), locked);
        QCOMPARE(errorOf([&] { m_store->ResetTable(); }), QStringLiteral("Tabulku nejhorších nelze vymazat, zůstala beze změny. ") + locked);
        QVERIFY(m_store->resultsTable->Active());
        m_store->resultsTable->Close();
        QCOMPARE(errorOf([&] { m_store->OpenAtStart(); }), locked);
        QVERIFY(!m_store->resultsTable->Active());
        QCOMPARE(readFile(data(QStringLiteral("Parblok.dbf"))), dbf);
        QCOMPARE(readFile(data(QStringLiteral("Parblok.mdx"))), mdx);

        other.release();
        m_store->AppendResult(QStringLiteral("Bára"), QStringLiteral("3"), QStringLiteral("Trénink"));
        QCOMPARE(shownKind(QStringLiteral("1")), (QStringList{QStringLiteral("Bára|3"), QStringLiteral("Adam|5")}));
    }

    // A program folder the player cannot write (a system-wide installation): every player stores
    // into a table of their own, laid down from the shipped one; the program folder stays as it
    // was. A player's table damaged or removed between two starts is told by its own path,
    // cleared from the player's blank copies, or laid down again.
    void sharedProgramFolderGivesEachPlayerATable()
    {
        m_store.reset();
        const QByteArray shipped = readFile(data(QStringLiteral("Parblok.dbf")));
        const QStringList programFolders = {m_folder->path(), data(), data(QStringLiteral("Zaloha"))};
        const auto folderMode = [&](QFile::Permissions owner) {
            for (const QString &folder : programFolders)
                QFile::setPermissions(folder, owner | QFile::ReadOther | QFile::ExeOther);
        };
        folderMode(QFile::ReadOwner | QFile::ExeOwner);
        const auto restore = qScopeGuard([&] {
            folderMode(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qunsetenv("XDG_DATA_HOME");
        });
        QTemporaryDir homeA, homeB;
        QFile::setPermissions(homeA.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(homeB.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const Unprivileged user({homeA.path(), homeB.path()});
        QVERIFY(user.holds());
        const auto start = [&](const QTemporaryDir &home) {
            qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
            m_store = std::make_unique<TDataModule1>();
            m_store->OpenAtStart();
        };
        const auto append = [&](const QString &name, const QString &points) {
            m_store->AppendResult(name, points, QStringLiteral("Trénink"));
        };

        start(homeA);
        append(QStringLiteral("Adam"), QStringLiteral("5"));
        start(homeB);
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{});
        append(QStringLiteral("Bára"), QStringLiteral("3"));
        start(homeA);
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Adam|5")});
        QCOMPARE(readFile(data(QStringLiteral("Parblok.dbf"))), shipped);

        const QString ownTable = homeA.filePath(QStringLiteral("parblok2000/Data/Parblok.dbf"));
        m_store.reset();
        QFile damaged(ownTable);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a table");
        damaged.close();
        m_store = std::make_unique<TDataModule1>();
        const QString error = errorOf([&] { m_store->OpenAtStart(); });
        QVERIFY2(error.contains(QDir::toNativeSeparators(ownTable)), qPrintable(error));
        m_store->ResetTable();
        append(QStringLiteral("Cyril"), QStringLiteral("4"));
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Cyril|4")});

        m_store.reset();
        QVERIFY(QDir(homeA.filePath(QStringLiteral("parblok2000"))).removeRecursively());
        start(homeA);
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{});
        append(QStringLiteral("Dana"), QStringLiteral("2"));
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Dana|2")});
        m_store->ResetTable();
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{});
        start(homeB);
        QCOMPARE(shownKind(QStringLiteral("1")), QStringList{QStringLiteral("Bára|3")});
        m_store.reset();
    }

    // Failures of the system are told in Czech and name the user's file, never a temporary one.
    void systemErrorsNameTheFile_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        QTest::newRow("table is a folder") << "folder"
                                           << "Soubor tabulky „%1Parblok.dbf“ nelze otevřít: jde o složku, ne o soubor.";
        QTest::newRow("rebuilt index over the size limit") << "size limit"
                                                           << "Do souboru „%1Parblok.mdx“ nelze zapisovat: soubor by byl příliš velký.";
    }
    void systemErrorsNameTheFile()
    {
        QFETCH(QString, cause);
        QFETCH(QString, message);
        m_store.reset();
        struct rlimit saved {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto restore = qScopeGuard([&] {
            ::setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, SIG_DFL);
        });
        if (cause == QLatin1String("folder")) {
            QVERIFY(QFile::remove(data(QStringLiteral("Parblok.dbf"))));
            QVERIFY(QDir().mkdir(data(QStringLiteral("Parblok.dbf"))));
        } else {
            QVERIFY(QFile::remove(data(QStringLiteral("Parblok.mdx"))));
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit small = saved;
            small.rlim_cur = 1024;
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
        m_store = std::make_unique<TDataModule1>();
        QCOMPARE(errorOf([&] { m_store->OpenAtStart(); }), message.arg(QDir::toNativeSeparators(data())));
        QVERIFY(!m_store->resultsTable->Active());
        QCOMPARE(QDir(data()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden), QStringList{});
    }

    // Clearing the table and rebuilding its index put new files in place; they keep the mode and
    // group of the files they replace (a group-writable shared install stays group-writable), and
    // an index made anew takes those of its table.
    void rewrittenFilesKeepModeAndGroup_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("clearing") << "reset";
        QTest::newRow("damaged index rebuilt") << "damaged index";
        QTest::newRow("missing index made anew") << "missing index";
    }
    void rewrittenFilesKeepModeAndGroup()
    {
        QFETCH(QString, operation);
        m_store.reset();
        // Only the superuser may give a file any group; others keep their own.
        const gid_t group = ::geteuid() == 0 ? 4321 : ::getegid();
        for (const QString &name : {QStringLiteral("Parblok.dbf"), QStringLiteral("Parblok.mdx")}) {
            QVERIFY(::chown(QFile::encodeName(data(name)).constData(), uid_t(-1), group) == 0);
            QVERIFY(::chmod(QFile::encodeName(data(name)).constData(), name.endsWith(QLatin1String("dbf")) ? 0664 : 0660) == 0);
        }
        const mode_t tableMode = statOf(data(QStringLiteral("Parblok.dbf"))).st_mode & 07777;
        mode_t indexMode = statOf(data(QStringLiteral("Parblok.mdx"))).st_mode & 07777;
        if (operation == QLatin1String("damaged index")) {
            QFile index(data(QStringLiteral("Parblok.mdx")));
            QVERIFY(index.open(QIODevice::ReadWrite) && index.resize(3000));
        } else if (operation == QLatin1String("missing index")) {
            QVERIFY(QFile::remove(data(QStringLiteral("Parblok.mdx"))));
            indexMode = tableMode;
        }
        m_store = std::make_unique<TDataModule1>();
        m_store->OpenAtStart();
        if (operation == QLatin1String("reset"))
            m_store->ResetTable();
        QCOMPARE(readFile(data(QStringLiteral("Parblok.mdx"))), readFile(data(QStringLiteral("Zaloha/Parblok.Mdx"))));
        QCOMPARE(statOf(data(QStringLiteral("Parblok.dbf"))).st_mode & 07777, tableMode);
        QCOMPARE(statOf(data(QStringLiteral("Parblok.mdx"))).st_mode & 07777, indexMode);
        QCOMPARE(statOf(data(QStringLiteral("Parblok.dbf"))).st_gid, group);
        QCOMPARE(statOf(data(QStringLiteral("Parblok.mdx"))).st_gid, group);
    }

    void missingIndexIsRebuiltAtStart()
    {
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("9"), QStringLiteral("Trénink"));
        m_store->AppendResult(QStringLiteral("Bára"), QStringLiteral("2"), QStringLiteral("Trénink"));
        const QByteArray mdx = readFile(data(QStringLiteral("Parblok.mdx")));
        m_store.reset();
        QVERIFY(QFile::remove(data(QStringLiteral("Parblok.mdx"))));
        m_store = std::make_unique<TDataModule1>();
        m_store->OpenAtStart();
        QCOMPARE(shownKind(QStringLiteral("1")), (QStringList{QStringLiteral("Bára|2"), QStringLiteral("Adam|9")}));
        QCOMPARE(readFile(data(QStringLiteral("Parblok.mdx"))).size(), mdx.size());
    }

    // Two running copies share the files: each sees what the other stored.
    void resultsOfAnotherCopyAreShown()
    {
        TTable other;
        other.setDatabaseName(data());
        other.setTableName(QStringLiteral("Parblok.dbf"));
        other.setIndexFieldNames(QStringLiteral("TAHY"));
        other.Open();
        m_store->AppendResult(QStringLiteral("Adam"), QStringLiteral("5"), QStringLiteral("Trénink"));
        other.AppendRecord(QStringLiteral("Druhá kopie"), QStringLiteral("3"), QStringLiteral("1"), QDate(2024, 5, 17));
        m_store->AppendResult(QStringLiteral("Cyril"), QStringLiteral("4"), QStringLiteral("Trénink"));
        QCOMPARE(shownKind(QStringLiteral("1")), (QStringList{QStringLiteral("Druhá kopie|3"), QStringLiteral("Cyril|4"), QStringLiteral("Adam|5")}));
        other.Refresh();
        QCOMPARE(other.RecordCount(), 3);
    }
};

PARBLOK_TEST_MAIN(TestResultsStore)
#include "tst_results_store.moc"
