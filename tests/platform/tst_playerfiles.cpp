#include "PlayerFiles.h"
#include "TestSupport.h"
#include "TestMain.h"
#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr QFile::Permissions ReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
constexpr QFile::Permissions OpenFolder = ReadOnlyFolder | QFile::WriteOwner;

// The files a program folder ships for its players; each file holds its own name, so a copy shows
// where it came from.
const QStringList Shipped = {QStringLiteral("Kvadr.ini"), QStringLiteral("Data/Parblok.dbf"),
                             QStringLiteral("Data/Parblok.mdx"), QStringLiteral("Data/Zaloha/Parblok.dbf"),
                             QStringLiteral("Data/Zaloha/Parblok.Mdx")};

} // namespace

class TestPlayerFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_home;

    QString program(const QString &name = {}) const { return m_program->filePath(name); }
    QString own(const QString &name) const { return m_home->filePath(name); }

    // The program folder as a system-wide installation leaves it: nobody but its owner may write.
    void shareProgramFolder()
    {
        for (const QString &folder : {program(), program(QStringLiteral("Data")), program(QStringLiteral("Data/Zaloha"))})
            QVERIFY(QFile::setPermissions(folder, ReadOnlyFolder));
    }

private slots:
    void init()
    {
        m_program = std::make_unique<QTemporaryDir>();
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(program(QStringLiteral("Data/Zaloha"))));
        for (const QString &name : Shipped)
            QVERIFY(writeFileBytes(program(name), name.toUtf8()));
        for (const QString &folder : {program(), program(QStringLiteral("Data")), program(QStringLiteral("Data/Zaloha")), own({})})
            QVERIFY(QFile::setPermissions(folder, OpenFolder));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(own(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(own(QStringLiteral("data"))));
    }

    void cleanup()
    {
        for (const QString &folder : {program(), program(QStringLiteral("Data")), program(QStringLiteral("Data/Zaloha"))})
            QFile::setPermissions(folder, OpenFolder);
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }

    // The decision is taken for the user the program runs as: a root process acts as "nobody"
    // here, since root may write anything.
    void decision_data()
    {
        QTest::addColumn<QString>("readOnly");
        QTest::addColumn<bool>("inProgramFolder");
        QTest::newRow("all writable") << "" << true;
        QTest::newRow("settings file missing") << "-Kvadr.ini" << true;
        QTest::newRow("folder read-only") << "." << false;
        QTest::newRow("Data read-only") << "Data" << false;
        QTest::newRow("settings file read-only") << "Kvadr.ini" << false;
    }
    void decision()
    {
        QFETCH(QString, readOnly);
        QFETCH(bool, inProgramFolder);
        if (readOnly.startsWith(u'-'))
            QVERIFY(QFile::remove(program(readOnly.mid(1))));
        else if (!readOnly.isEmpty())
            QVERIFY(QFile::setPermissions(program(readOnly), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QStringList owned = {own({}), program(), program(QStringLiteral("Data")), program(QStringLiteral("Kvadr.ini"))};
        owned.removeIf([](const QString &path) { return !QFileInfo::exists(path); });
        const Unprivileged user(owned);
        QVERIFY(user.holds());
        QCOMPARE(PlayerFiles::inProgramFolder(program()), inProgramFolder);
        QCOMPARE(PlayerFiles::settingsFileFor(program()) == program(QStringLiteral("Kvadr.ini")), inProgramFolder);
        QCOMPARE(PlayerFiles::dataFolderFor(program()) == program(QStringLiteral("Data")), inProgramFolder);
    }

    void usrIsNeverWritten_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("inProgramFolder");
        QTest::newRow("/usr/lib/games") << "/usr/lib/games/parblok2000/" << false;
        QTest::newRow("/usr/local, no separator") << "/usr/local/lib/parblok2000" << false;
        QTest::newRow("reached through ..") << "/tmp/../usr/games" << false;
        QTest::newRow("named like /usr only") << "/usrx/parblok2000/" << true;
    }
    void usrIsNeverWritten()
    {
        QFETCH(QString, folder);
        QFETCH(bool, inProgramFolder);
        QCOMPARE(PlayerFiles::inProgramFolder(folder), inProgramFolder);
    }

    void perUserFolders_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("configFolder");
        QTest::addColumn<QString>("dataFolder");
        QTest::newRow("given") << QByteArray("/c/x/") << QByteArray("/d") << "/c/x/parblok2000" << "/d/parblok2000";
        QTest::newRow("empty") << QByteArray() << QByteArray() << "/home/hrac/.config/parblok2000"
                               << "/home/hrac/.local/share/parblok2000";
        QTest::newRow("relative, ignored") << QByteArray("c") << QByteArray("./d") << "/home/hrac/.config/parblok2000"
                                           << "/home/hrac/.local/share/parblok2000";
    }
    void perUserFolders()
    {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, data);
        const QByteArray home = qgetenv("HOME");
        const auto restore = qScopeGuard([&] { qputenv("HOME", home); });
        qputenv("HOME", "/home/hrac");
        qputenv("XDG_CONFIG_HOME", config);
        qputenv("XDG_DATA_HOME", data);
        QTEST(PlayerFiles::configFolder(), "configFolder");
        QTEST(PlayerFiles::dataFolder(), "dataFolder");
    }

    // A shared program folder: the player's copies are laid down from it, are the player's to
    // write, and are kept once they exist; the program folder is left as it was.
    void sharedFolderLaysDownCopies()
    {
        QVERIFY(QFile::setPermissions(program(QStringLiteral("Kvadr.ini")), QFile::ReadOwner | QFile::ReadOther));
        shareProgramFolder();
        const Unprivileged user({own({})});
        QVERIFY(user.holds());
        const QString settings = PlayerFiles::settingsFileFor(program());
        const QString data = PlayerFiles::dataFolderFor(program());
        QCOMPARE(settings, own(QStringLiteral("config/parblok2000/Kvadr.ini")));
        QCOMPARE(data, own(QStringLiteral("data/parblok2000/Data")));
        for (const QString &name : Shipped) {
            const QString copy = name == QLatin1String("Kvadr.ini") ? settings : data + name.mid(4);
            QCOMPARE(fileBytes(copy), name.toUtf8());
            QFile writable(copy);
            QVERIFY2(writable.open(QIODevice::Append), qPrintable(copy));
        }
        QVERIFY(writeFileBytes(settings, "changed"));
        QVERIFY(writeFileBytes(data + QStringLiteral("/Parblok.dbf"), "results"));
        QCOMPARE(PlayerFiles::settingsFileFor(program()), settings);
        QCOMPARE(PlayerFiles::dataFolderFor(program()), data);
        QCOMPARE(fileBytes(settings), QByteArray("changed"));
        QCOMPARE(fileBytes(data + QStringLiteral("/Parblok.dbf")), QByteArray("results"));
        QCOMPARE(QDir(program()).entryList(QDir::Files), QStringList{QStringLiteral("Kvadr.ini")});
    }

    // What happens to the player's copies damaged or removed between two starts.
    void copiesRemovedBetweenStarts_data()
    {
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("restored"); // the shipped file each removed one comes back as
        QTest::newRow("whole Data folder") << QStringList{QStringLiteral("data/parblok2000/Data")} << QStringList{};
        QTest::newRow("live pair") << QStringList{QStringLiteral("Data/Parblok.dbf"), QStringLiteral("Data/Parblok.mdx")}
                                   << QStringList{QStringLiteral("Data/Parblok.dbf"), QStringLiteral("Data/Parblok.mdx")};
        QTest::newRow("index only: the table is kept") << QStringList{QStringLiteral("Data/Parblok.mdx")} << QStringList{QStringLiteral("<missing>")};
        QTest::newRow("table only: the pair is laid again") << QStringList{QStringLiteral("Data/Parblok.dbf")} << QStringList{QStringLiteral("Data/Parblok.dbf")};
        QTest::newRow("a blank copy") << QStringList{QStringLiteral("Data/Zaloha/Parblok.Mdx")} << QStringList{QStringLiteral("Data/Zaloha/Parblok.Mdx")};
        QTest::newRow("settings") << QStringList{QStringLiteral("Kvadr.ini")} << QStringList{QStringLiteral("Kvadr.ini")};
    }
    void copiesRemovedBetweenStarts()
    {
        QFETCH(QStringList, removed);
        QFETCH(QStringList, restored);
        shareProgramFolder();
        const Unprivileged user({own({})});
        QVERIFY(user.holds());
        const QString settings = PlayerFiles::settingsFileFor(program());
        const QString data = PlayerFiles::dataFolderFor(program());
        const auto copyOf = [&](const QString &name) {
            return name == QLatin1String("Kvadr.ini") ? settings : data + name.mid(4);
        };
        for (const QString &name : Shipped)
            QVERIFY(writeFileBytes(copyOf(name), "player's " + name.toUtf8()));
        if (removed.first().startsWith(QLatin1String("data/")))
            QVERIFY(QDir(own(removed.first())).removeRecursively());
        for (const QString &name : removed)
            QFile::remove(copyOf(name));

        PlayerFiles::settingsFileFor(program());
        PlayerFiles::dataFolderFor(program());
        for (const QString &name : Shipped) {
            const qsizetype at = removed.indexOf(name);
            QByteArray expected = "player's " + name.toUtf8();
            if (restored.isEmpty() && name != QLatin1String("Kvadr.ini"))
                expected = name.toUtf8();
            else if (name == QLatin1String("Data/Parblok.mdx") && removed.contains(QStringLiteral("Data/Parblok.dbf")))
                expected = name.toUtf8(); // an index without its table goes, the pair comes back
            else if (at >= 0)
                expected = restored.at(at) == QLatin1String("<missing>") ? QByteArray("<missing>") : restored.at(at).toUtf8();
            QCOMPARE(fileBytes(copyOf(name)), expected);
        }
    }
};

PARBLOK_TEST_MAIN(TestPlayerFiles)
#include "tst_playerfiles.moc"
