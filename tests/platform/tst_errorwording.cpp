// One cause, one wording: a system error reads the same whether the results table or a sound
// met it.

#include "AppError.h"
#include "DbfTable.h"
#include "FileErrorText.h"
#include "TestMain.h"
#include "Unprivileged.h"
#include "WavFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <functional>
#include <memory>

namespace {

// The clause after the file's name: "… nelze zapisovat: <clause>."
QString clauseOf(const QString &message)
{
    const qsizetype colon = message.lastIndexOf(QStringLiteral(": "));
    if (colon < 0 || !message.endsWith(u'.'))
        return QStringLiteral("(no clause) ") + message;
    return message.mid(colon + 2).chopped(1);
}

QString engineMessage(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AppError &error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

} // namespace

class TestErrorWording : public QObject
{
    Q_OBJECT
private slots:
    void sameCauseSameWords_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("code");
        QTest::newRow("missing folder") << "missing" << ENOENT;
        QTest::newRow("path through a file") << "through a file" << ENOTDIR;
        QTest::newRow("a folder") << "folder" << EISDIR;
        QTest::newRow("name too long") << "long name" << ENAMETOOLONG;
        QTest::newRow("no permission") << "no permission" << EACCES;
    }
    void sameCauseSameWords()
    {
        QFETCH(QString, cause);
        QFETCH(int, code);
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("soubor")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        // Where the table and the sound are looked for; for a folder, the names are folders.
        QString folder = dir.path();
        QString table = QStringLiteral("Parblok.dbf");
        QString sound = QStringLiteral("Level.wav");
        if (cause == QLatin1String("missing"))
            folder = dir.filePath(QStringLiteral("chybí"));
        else if (cause == QLatin1String("through a file"))
            folder = plain.fileName();
        else if (cause == QLatin1String("long name"))
            table = sound = QString(260, u'x');
        else if (cause == QLatin1String("folder"))
            QVERIFY(QDir(folder).mkdir(table) && QDir(folder).mkdir(sound));

        QString engine;
        QString wave;
        {
            // Nobody may write the folder or read the sound in it.
            std::unique_ptr<Unprivileged> user;
            if (cause == QLatin1String("no permission")) {
                QFile empty(QDir(folder).filePath(sound));
                QVERIFY(empty.open(QIODevice::WriteOnly));
                empty.close();
                QVERIFY(QFile::setPermissions(empty.fileName(), QFile::WriteOwner));
                QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
                user = std::make_unique<Unprivileged>(QStringList{folder, empty.fileName()});
                if (!user->holds())
                    QSKIP("cannot give up root here");
            }
            engine = engineMessage([&] {
                if (cause == QLatin1String("folder")) {
                    DbfTable opened;
                    opened.open(folder, table, "TAHY", DbfTable::OpenMode::Repair);
                } else {
                    const QString path = QDir(folder).filePath(table);
                    DbfTable::createResultsTable(path, DbfTable::indexPathFor(path), QDate(2024, 1, 2));
                }
            });
            readWavFile(QDir(folder).filePath(sound), &wave);
        }
        QCOMPARE(clauseOf(engine), fileErrorText(code));
        QCOMPARE(clauseOf(wave), fileErrorText(code));
    }
};

PARBLOK_TEST_MAIN(TestErrorWording)
#include "tst_errorwording.moc"
