#include "Data.h"

#include "AppError.h"
#include "AppPath.h"
#include "DbfTable.h"
#include "Clock.h"
#include "GameKind.h"
#include "PlayerFiles.h"
#include "PosixFile.h"

#include <QDir>

TDataModule1 *DataModule1 = nullptr;

namespace {

constexpr int kNameLength = 100;
const QString kTableName = QStringLiteral("Parblok.dbf");
const QString kBlankIndexName = QStringLiteral("Parblok.Mdx");

QString dataFolder()
{
    return PlayerFiles::dataFolderFor(TAppPath().AppFolder());
}

// The first `length` characters of `text`, counting a surrogate pair as one character.
QString firstCharacters(const QString &text, int length)
{
    qsizetype end = 0;
    for (int count = 0; count < length && end < text.size(); ++count)
        end += (text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate()) ? 2 : 1;
    return text.left(end);
}

// The text the user is shown for an error of the table engine: a table that another program
// keeps locked is named as the table of the worst players.
QString storeMessage(const AppError &error)
{
    if (const auto *locked = dynamic_cast<const FileLocked *>(&error))
        return QStringLiteral("Tabulka nejhorších hráčů „%1“ je zamčena jiným programem. Zkuste to prosím znovu později.")
            .arg(shownPath(locked->path()));
    return error.message();
}

template <typename Action>
void reportingLocks(Action action)
{
    try {
        action();
    } catch (const FileLocked &locked) {
        throw AppError(storeMessage(locked));
    }
}

} // namespace

TDataModule1::TDataModule1(QObject *owner)
    : QObject(owner)
{
    setObjectName(QStringLiteral("DataModule1"));
    DataModule1 = this;
    resultsTable = new TTable(this);
    resultsTable->setObjectName(QStringLiteral("resultsTable"));
    resultsTable->setTableName(kTableName);
    resultsTable->setIndexFieldNames(QStringLiteral("TAHY"));
    resultsSource = new TDataSource(this);
    resultsSource->setObjectName(QStringLiteral("resultsSource"));
    resultsSource->setDataSet(resultsTable);
    nameField = resultsTable->FieldByName(QStringLiteral("JMENO"));
    scoreField = resultsTable->FieldByName(QStringLiteral("TAHY"));
    kindField = resultsTable->FieldByName(QStringLiteral("HRA"));
    dateField = resultsTable->FieldByName(QStringLiteral("DATUM"));
}

TDataModule1::~TDataModule1()
{
    if (DataModule1 == this)
        DataModule1 = nullptr;
}

void TDataModule1::OpenAtStart()
{
    resultsTable->setDatabaseName(dataFolder());
    reportingLocks([this] { resultsTable->Open(); });
}

QString TDataModule1::KindCode(const QString &kindName)
{
    return ::KindCode(KindOfName(kindName));
}

void TDataModule1::AppendResult(const QString &name, const QString &points, const QString &kindName)
{
    if (resultsTable->DatabaseName().isEmpty())
        resultsTable->setDatabaseName(dataFolder());
    // Composed form first, so that a letter typed as base + accent is stored as one character.
    const QString stored = firstCharacters(name.normalized(QString::NormalizationForm_C), kNameLength);
    reportingLocks([&] {
        resultsTable->Open();
        resultsTable->AppendRecord(stored, points, KindCode(kindName), todayLocal());
    });
}

void TDataModule1::ShowKind(const QString &code)
{
    reportingLocks([this] { resultsTable->Refresh(); });
    resultsTable->setShownKind(code);
    resultsTable->setIndexFieldNames(QStringLiteral("TAHY"));
}

void TDataModule1::ResetTable()
{
    // The engine keeps no file open between operations, so the pair is replaced first and the
    // table closed and opened afterwards: when the blank pair is unusable or the table locked,
    // the table stays as it was, open or not.
    const QString folder = dataFolder();
    resultsTable->setDatabaseName(folder);
    try {
        DbfTable::replaceWithCopy(folder + QStringLiteral("/Zaloha"), kTableName, kBlankIndexName, folder, kTableName,
                                  QByteArrayLiteral("TAHY"));
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Tabulku nejhorších nelze vymazat, zůstala beze změny. %1").arg(storeMessage(error)));
    }
    resultsTable->Close();
    reportingLocks([this] { resultsTable->Open(); });
}
