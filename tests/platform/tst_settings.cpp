#include "AppError.h"
#include "AppPath.h"
#include "ProfileStrings.h"
#include "ProgramFolderFixture.h"
#include "Settings.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Unprivileged.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// The family's settings file as another program of the family leaves it: comments, odd spacing,
// other sections before and after ours, and no line ending after the last line.
const QByteArray Shared = "; Nastaveni produktove rady\r\n"
                          "[Kvadr]\r\n"
                          "Verze = 5.0\r\n"
                          "\r\n"
                          "[ nastaveni ]\r\n"
                          "  POMOCNIK =  0   \r\n"
                          "; komentar uvnitr\r\n"
                          "Hlasitost=\"  7 \"\r\n"
                          "\r\n"
                          "[Jine]\r\n"
                          "Pomocnik=9";

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void find_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("value");

        QTest::newRow("names ignore case and blanks") << Shared << "Nastaveni" << "pomocnik" << true << "0";
        QTest::newRow("quotes removed, inner blanks kept") << Shared << "NASTAVENI" << "Hlasitost" << true << "  7 ";
        QTest::newRow("key of another section") << Shared << "Nastaveni" << "Verze" << false << "";
        QTest::newRow("last line without line ending") << Shared << "Jine" << "Pomocnik" << true << "9";
        QTest::newRow("missing section") << Shared << "Zvuky" << "Pomocnik" << false << "";
        QTest::newRow("comment is no key") << Shared << "Nastaveni" << "; komentar uvnitr" << false << "";
        QTest::newRow("empty file") << QByteArray() << "Nastaveni" << "Pomocnik" << false << "";
        QTest::newRow("key before any section")
            << QByteArray("Pomocnik=1\n[Nastaveni]\n") << "Nastaveni" << "Pomocnik" << false << "";
        QTest::newRow("first of two equal keys")
            << QByteArray("[Nastaveni]\nUvitani=1\nuvitani=0\n") << "Nastaveni" << "Uvitani" << true << "1";
        QTest::newRow("first of two equal sections")
            << QByteArray("[A]\nk=1\n[a]\nk=2\nj=3\n") << "A" << "j" << false << "";
        QTest::newRow("key without equals sign")
            << QByteArray("[Nastaveni]\nPomocnik\n") << "Nastaveni" << "Pomocnik" << true << "";
        QTest::newRow("equals sign inside value")
            << QByteArray("[S]\nk=a=b\n") << "S" << "k" << true << "a=b";
        QTest::newRow("byte order mark")
            << QByteArray("\xEF\xBB\xBF[Nastaveni]\nUvitani=1\n") << "Nastaveni" << "Uvitani" << true << "1";
        QTest::newRow("lone quote kept")
            << QByteArray("[S]\nk=\"\n") << "S" << "k" << true << "\"";
        QTest::newRow("Czech text")
            << QByteArray("[Hráč]\nJméno=Žluťoučký kůň\n") << "HRÁČ" << "jméno" << true << "Žluťoučký kůň";
        QTest::newRow("lines ended by lone CR")
            << QByteArray("[A]\rUvitani=0\r[Nastaveni]\rPomocnik=1\rUvitani=1\r") << "Nastaveni" << "Uvitani" << true << "1";
        QTest::newRow("CR, LF and CRLF mixed")
            << QByteArray("[A]\r\nx=1\r[Nastaveni]\nPomocnik=0\r\rUvitani=1") << "Nastaveni" << "Uvitani" << true << "1";
        QTest::newRow("value ends at a lone CR")
            << QByteArray("[S]\nk=1\rj=2\n") << "S" << "k" << true << "1";
    }
    void find()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(bool, found);
        QFETCH(QString, value);
        const std::optional<QString> result = ProfileText::find(content, section, key);
        QCOMPARE(result.has_value(), found);
        if (found)
            QCOMPARE(*result, value);
    }

    void withValue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("new file") << QByteArray() << "Nastaveni" << "Pomocnik" << "1"
                                  << QByteArray("[Nastaveni]\nPomocnik=1\n");
        QTest::newRow("value replaced, spelling and blanks kept")
            << Shared << "Nastaveni" << "Pomocnik" << "1"
            << QByteArray(Shared).replace("  POMOCNIK =  0   \r\n", "  POMOCNIK =  1\r\n");
        QTest::newRow("new key after the section's last line, before the blank line")
            << Shared << "Nastaveni" << "Uvitani" << "0"
            << QByteArray(Shared).replace("Hlasitost=\"  7 \"\r\n", "Hlasitost=\"  7 \"\r\nUvitani=0\r\n");
        QTest::newRow("new section appended with the file's CRLF")
            << Shared << "Zvuky" << "Ticho" << "1" << Shared + "\r\n[Zvuky]\r\nTicho=1\r\n";
        QTest::newRow("new key in last section without final line ending")
            << Shared << "Jine" << "Uvitani" << "1" << Shared + "\r\nUvitani=1\r\n";
        QTest::newRow("LF file keeps LF")
            << QByteArray("[A]\nx=1\n\n[Nastaveni]\nUvitani=1\n") << "Nastaveni" << "Pomocnik" << "0"
            << QByteArray("[A]\nx=1\n\n[Nastaveni]\nUvitani=1\nPomocnik=0\n");
        QTest::newRow("empty section gets the key after its header")
            << QByteArray("[Nastaveni]\r\n\r\n[B]\r\n") << "Nastaveni" << "Uvitani" << "1"
            << QByteArray("[Nastaveni]\r\nUvitani=1\r\n\r\n[B]\r\n");
        QTest::newRow("header as last line without line ending")
            << QByteArray("[Nastaveni]") << "Nastaveni" << "Uvitani" << "1"
            << QByteArray("[Nastaveni]\nUvitani=1\n");
        QTest::newRow("only the first of two equal keys changes")
            << QByteArray("[S]\nk=1\nk=2\n") << "S" << "K" << "3" << QByteArray("[S]\nk=3\nk=2\n");
        QTest::newRow("key without equals sign gains one")
            << QByteArray("[S]\nk  \nj=1\n") << "S" << "k" << "5" << QByteArray("[S]\nk=5\nj=1\n");
        QTest::newRow("empty value")
            << QByteArray("[S]\nk = 1 ; x\n") << "S" << "k" << "" << QByteArray("[S]\nk = \n");
        QTest::newRow("line breaks in a value stay on one line")
            << QByteArray() << "S" << "k" << "a\r\nb" << QByteArray("[S]\nk=a  b\n");
        QTest::newRow("byte order mark kept")
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=1\r\n") << "s" << "k" << "0"
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=0\r\n");
        QTest::newRow("new key after a last line ended by a lone CR")
            << QByteArray("[Nastaveni]\rPomocnik=1\r") << "Nastaveni" << "Uvitani" << "0"
            << QByteArray("[Nastaveni]\rPomocnik=1\rUvitani=0\r");
        QTest::newRow("new line takes the ending of the line it follows")
            << QByteArray("[A]\nx=1\n[S]\r\nk=1\r\n\n[B]\n") << "S" << "j" << "2"
            << QByteArray("[A]\nx=1\n[S]\r\nk=1\r\nj=2\r\n\n[B]\n");
        QTest::newRow("new section in a CR file")
            << QByteArray("[A]\rx=1") << "S" << "k" << "1" << QByteArray("[A]\rx=1\r[S]\rk=1\r");
        QTest::newRow("value in a CR file")
            << QByteArray("[S]\rk=1\rj=2\r") << "S" << "k" << "0" << QByteArray("[S]\rk=0\rj=2\r");
        QTest::newRow("blanks around a value kept by quotes")
            << QByteArray("[S]\n") << "S" << "k" << " 7 " << QByteArray("[S]\nk=\" 7 \"\n");
        QTest::newRow("byte order mark starting a key and a value")
            << QByteArray("[S]\n") << "S" << QChar(0xFEFF) + QStringLiteral("[k")
            << QChar(0xFEFF) + QStringLiteral("v")
            << QByteArray("[S]\n\xEF\xBB\xBF[k=\xEF\xBB\xBFv\n");
        QTest::newRow("enclosing quotes of a value kept")
            << QByteArray("[S]\nk=1\n") << "S" << "k" << "'a'" << QByteArray("[S]\nk=\"'a'\"\n");
    }
    void withValue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QByteArray written = ProfileText::withValue(before, section, key, value);
        QCOMPARE(written, after);
        if (!value.contains(QLatin1Char('\n')))
            QCOMPARE(ProfileText::find(written, section, key).value_or(QStringLiteral("<none>")), value);
    }

    void readIsCutToTheBuffer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.ini"));
        QVERIFY(writeFileBytes(path, "[S]\nlong=" + QByteArray(5000, 'x') + "\nczech=" + QByteArray(1023, 'a')
                           + QStringLiteral("žž").toUtf8() + "\n"));
        const ProfileFile file(path);
        QCOMPARE(file.ReadString(QStringLiteral("S"), QStringLiteral("long"), QString()),
                 QString(ProfileReadBufferSize - 1, QLatin1Char('x')));
        // 1023 + 2 + 2 bytes fit; a character is never split.
        QCOMPARE(file.ReadString(QStringLiteral("S"), QStringLiteral("czech"), QString()),
                 QString(1023, QLatin1Char('a')) + QStringLiteral("žž"));
    }

    void readNeverFails_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing file") << "none.ini";
        QTest::newRow("missing folder") << "none/none.ini";
        QTest::newRow("a folder in place of the file") << "folder";
    }
    void readNeverFails()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const ProfileFile file(dir.filePath(relative));
        QCOMPARE(file.ReadString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"),
                                 QStringLiteral("dflt")),
                 QStringLiteral("dflt"));
    }

    void writeKeepsPermissionsAndCreatesNothingElse()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kvadr.ini"));
        QVERIFY(writeFileBytes(path, Shared));
        const auto permissions = QFile::Permissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(QFile::setPermissions(path, permissions));
        ProfileFile(path).WriteString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"),
                                      QStringLiteral("1"));
        QCOMPARE(QFile::permissions(path) & 0x7077, permissions);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("Kvadr.ini")});
    }

    void closedFolder_data()
    {
        QTest::addColumn<bool>("fileWritable");
        QTest::newRow("writable file is refused: no write in place") << true;
        QTest::newRow("read-only file is refused") << false;
    }
    void closedFolder()
    {
        QFETCH(bool, fileWritable);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kvadr.ini"));
        const QByteArray before = "[Nastaveni]\r\nPomocnik=1\r\n";
        QVERIFY(writeFileBytes(path, before));
        {
            const Unprivileged user({dir.path(), path});
            if (!user.holds())
                QSKIP("cannot give up root here");
            QVERIFY(QFile::setPermissions(path, fileWritable ? QFile::ReadOwner | QFile::WriteOwner
                                                             : QFile::ReadOwner));
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
            bool refused = false;
            try {
                // Even a write of the value already there is refused when the file is read-only.
                for (const char *value : {"1", "0"})
                    ProfileFile(path).WriteString(QStringLiteral("Nastaveni"),
                                                  QStringLiteral("Pomocnik"), QString::fromLatin1(value));
            } catch (const AppError &error) {
                refused = true;
                QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + path);
            }
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
            QVERIFY(refused);
        }
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Kvadr.ini")});
    }

    void refusedWrite_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("folder is a file") << "plain/Kvadr.ini" << "Nastaveni" << "Pomocnik";
        QTest::newRow("file is a folder") << "folder" << "Nastaveni" << "Pomocnik";
        QTest::newRow("missing folder") << "none/Kvadr.ini" << "Nastaveni" << "Pomocnik";
        QTest::newRow("key with equals sign") << "Kvadr.ini" << "Nastaveni" << "a=b";
        QTest::newRow("empty key") << "Kvadr.ini" << "Nastaveni" << " ";
        QTest::newRow("section with bracket") << "Kvadr.ini" << "Nast]aveni" << "Pomocnik";
        QTest::newRow("key that reads as a comment") << "Kvadr.ini" << "Nastaveni" << " ;Pomocnik";
        QTest::newRow("key that reads as a section") << "Kvadr.ini" << "Nastaveni" << "[Pomocnik]";
    }
    void refusedWrite()
    {
        QFETCH(QString, relative);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("plain")), "x"));
        QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("Kvadr.ini")), Shared));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QString path = dir.filePath(relative);
        try {
            ProfileFile(path).WriteString(section, key, QStringLiteral("1"));
            QFAIL("the write was not refused");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + path);
        }
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("Kvadr.ini"))), Shared);
    }

    void unreadableFileIsNotReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kvadr.ini"));
        QVERIFY(writeFileBytes(path, Shared));
        {
            const Unprivileged user({dir.path(), path});
            if (!user.holds())
                QSKIP("cannot give up root here");
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
            const ProfileFile file(path);
            QCOMPARE(file.ReadString(QStringLiteral("Jine"), QStringLiteral("Pomocnik"), QStringLiteral("?")),
                     QStringLiteral("?"));
            QVERIFY_THROWS_EXCEPTION(AppError, file.WriteString(
                QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("1")));
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        }
        QCOMPARE(fileBytes(path), Shared);
    }

    void settingsLiveInTheProgramFolder()
    {
        ProgramFolderFixture dir;
        const QString path = dir.filePath(QStringLiteral("Kvadr.ini"));

        QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QString());
        QVERIFY(!QFile::exists(path));
        WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("1"));
        QCOMPARE(fileBytes(path), QByteArray("[Nastaveni]\nPomocnik=1\n"));

        // Nothing is cached: a change made behind the program's back is read at once.
        QVERIFY(writeFileBytes(path, "[Nastaveni]\r\nPomocnik=0\r\nUvitani=1\r\n"));
        QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Uvitani"), QStringLiteral("0"));
        QCOMPARE(fileBytes(path), QByteArray("[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n"));

        QFile::remove(path);
        QCOMPARE(ReadSetting(QStringLiteral("Uvitani")), QString());
    }

    // A program folder the player cannot write: the settings are the player's own copy of the
    // shipped file, and a refused write names that copy.
    void settingsOfASharedProgramFolder()
    {
        ProgramFolderFixture program;
        QTemporaryDir home;
        const QByteArray shipped = "[Nastaveni]\r\nPomocnik=1\r\nUvitani=1\r\n";
        QVERIFY(writeFileBytes(program.filePath(QStringLiteral("Kvadr.ini")), shipped));
        const QFile::Permissions closed = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(program.path(), closed));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        const QString own = home.filePath(QStringLiteral("parblok2000/Kvadr.ini"));
        {
            const Unprivileged user({home.path()});
            QVERIFY(user.holds());
            QCOMPARE(ReadSetting(QStringLiteral("Uvitani")), QStringLiteral("1"));
            WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("0"));
            QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QStringLiteral("0"));
            QCOMPARE(fileBytes(own), QByteArray("[Nastaveni]\r\nPomocnik=0\r\nUvitani=1\r\n"));

            QVERIFY(QFile::remove(own));
            QVERIFY(QFile::setPermissions(home.filePath(QStringLiteral("parblok2000")), closed));
            QCOMPARE(ReadSetting(QStringLiteral("Pomocnik")), QString());
            try {
                WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("1"));
                QFAIL("the write was not refused");
            } catch (const AppError &error) {
                QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + own);
            }
            QFile::setPermissions(home.filePath(QStringLiteral("parblok2000")), closed | QFile::WriteOwner);
        }
        QVERIFY(QFile::setPermissions(program.path(), closed | QFile::WriteOwner));
        QCOMPARE(fileBytes(program.filePath(QStringLiteral("Kvadr.ini"))), shipped);
        qunsetenv("XDG_CONFIG_HOME");
    }

    void settingsWriteRefusedNamesThePath()
    {
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("plain")), "x"));
        TAppPath::setFolderForTesting(dir.filePath(QStringLiteral("plain")));
        try {
            WriteSetting(QStringLiteral("Pomocnik"), QStringLiteral("1"));
            QFAIL("the write was not refused");
        } catch (const AppError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Unable to write to ") + dir.filePath(QStringLiteral("plain/Kvadr.ini")));
        }
        TAppPath::setFolderForTesting(QString());
    }

    void programFolderStartsWithBothWindowsOn()
    {
        QVERIFY(QFile::exists(programDir() + QStringLiteral("/Kvadr.ini")));
        const ProfileFile shipped(sourceDir() + QStringLiteral("/dist/Kvadr.ini"));
        QCOMPARE(shipped.ReadString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QString()),
                 QStringLiteral("1"));
        QCOMPARE(shipped.ReadString(QStringLiteral("Nastaveni"), QStringLiteral("Uvitani"), QString()),
                 QStringLiteral("1"));
    }
};

PARBLOK_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
