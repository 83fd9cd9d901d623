#include "DbfTable.h"

#include "AppError.h"
#include "FileErrorText.h"
#include "Mdx.h"
#include "PosixFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

// Numbers in dBASE files are little-endian whatever the machine (qFromLittleEndian,
// qToLittleEndian).

namespace {

constexpr int kHeaderSize = 32;
constexpr int kDescriptorSize = 32;
constexpr char kHeaderEnd = 0x0D;
constexpr char kFileEnd = 0x1A;
constexpr char kLive = ' ';
constexpr char kDeleted = '*';
constexpr int kTransactionByte = 14;
constexpr int kProductionIndexByte = 28;
constexpr int kLanguageByte = 29;

QByteArray headerDateAndCount(QDate date, quint32 count)
{
    QByteArray bytes(7, '\0');
    bytes[0] = char(std::clamp(date.year() - 1900, 0, 255));
    bytes[1] = char(date.month());
    bytes[2] = char(date.day());
    qToLittleEndian<quint32>(count, bytes.data() + 3);
    return bytes;
}

AppError notATable(const QString &path)
{
    return AppError(QStringLiteral("Soubor „%1“ není platná tabulka dBASE.").arg(shownPath(path)));
}

// Opens `path` and takes its lock, making sure the lock is on the file the path names now: a copy
// that replaced the table while we waited has renamed a new file into place. Other programs'
// locks are waited for until `deadline`, which one operation shares among all the files it locks.
bool openLocked(PosixFile &file, const QString &path, bool wantWrite, QDeadlineTimer deadline)
{
    for (;;) {
        if (!file.open(path, wantWrite))
            return false;
        file.lock(file.isWritable(), deadline);
        dev_t device = 0;
        ino_t inode = 0;
        if (statPath(path, device, inode) && device == file.device() && inode == file.inode())
            return true;
        file.unlock();
        if (deadline.hasExpired())
            throw FileLocked(path);
    }
}

// Locks the index beside a table whose lock is already held (the table always first), within the
// same deadline and in the same mode: another program that holds the index may be writing it.
// Without an index file there is nothing to lock; one that cannot be opened is left to the
// index's own reading, which names the error.
void lockIndex(PosixFile &index, const QString &tablePath, bool wantWrite, QDeadlineTimer deadline)
{
    bool found = false;
    const QString path = DbfTable::indexPathFor(tablePath, &found);
    if (found)
        openLocked(index, path, wantWrite, deadline);
}

AppError cannotOpen(const QString &path, int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return AppError(QStringLiteral("Soubor tabulky „%1“ nebyl nalezen.").arg(shownPath(path)));
    return AppError(QStringLiteral("Soubor tabulky „%1“ nelze otevřít: %2.").arg(shownPath(path), fileErrorText(error)));
}

// A table opened for reading only; `error` tells why, when known.
AppError readOnlyTable(const QString &path, int error)
{
    if (error == 0)
        return AppError(QStringLiteral("Do tabulky „%1“ nelze zapisovat.").arg(shownPath(path)));
    return AppError(QStringLiteral("Do tabulky „%1“ nelze zapisovat: %2.").arg(shownPath(path), fileErrorText(error)));
}

AppError indexMissing(const QString &path)
{
    return AppError(QStringLiteral("Indexový soubor „%1“ nebyl nalezen.").arg(shownPath(path)));
}

// Takes back an append that failed before its count was written: the record and the transaction
// byte. What cannot be taken back lies beyond the count, where every reader ignores it, and the
// transaction byte left set makes the next open tidy it.
void undoAppend(PosixFile &file, qint64 end)
{
    try {
        file.truncate(end);
        file.writeAt(end, &kFileEnd, 1);
        const char done = 0;
        file.writeAt(kTransactionByte, &done, 1);
        file.sync();
    } catch (const AppError &) {
    }
}

AppError tooLarge(const QString &path)
{
    return AppError(QStringLiteral("Soubor „%1“ je příliš velký, nelze jej načíst.").arg(shownPath(path)));
}

QByteArray tableBaseName(const QString &tablePath)
{
    return QFileInfo(tablePath).completeBaseName().toLatin1();
}

} // namespace

struct DbfTable::IndexStamp
{
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    static IndexStamp of(const QString &path)
    {
        IndexStamp stamp;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
            stamp.present = true;
            stamp.device = st.st_dev;
            stamp.inode = st.st_ino;
            stamp.size = st.st_size;
            stamp.modified = st.st_mtim;
        }
        return stamp;
    }

    bool operator==(const IndexStamp &o) const
    {
        return present == o.present && device == o.device && inode == o.inode && size == o.size
            && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
    }
};

DbfTable::DbfTable() = default;
DbfTable::~DbfTable() = default;

bool DbfTable::isOpen() const
{
    return m_open;
}

bool DbfTable::isReadOnly() const
{
    return m_readOnly;
}

QString DbfTable::indexPathFor(const QString &tablePath, bool *found)
{
    const QFileInfo info(tablePath);
    const QString base = info.completeBaseName();
    const QDir dir = info.dir();
    const QString preferred = dir.filePath(base + QStringLiteral(".mdx"));
    if (found)
        *found = true;
    if (QFileInfo::exists(preferred))
        return preferred;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.compare(base + QStringLiteral(".mdx"), Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    if (found)
        *found = false;
    return preferred;
}

void DbfTable::open(const QString &folder, const QString &tableName, const QByteArray &keyField, OpenMode mode)
{
    close();
    m_tablePath = QDir(folder).filePath(tableName);
    m_keyField = keyField.toUpper();
    m_mode = mode;
    const QDeadlineTimer deadline(PosixFile::kLockWaitMs);
    PosixFile file;
    if (!openLocked(file, m_tablePath, mode == OpenMode::Repair, deadline))
        throw cannotOpen(m_tablePath, errno);
    PosixFile index;
    lockIndex(index, m_tablePath, file.isWritable(), deadline);
    m_readOnly = !file.isWritable();
    m_writeError = file.writeError();
    try {
        loadAll(file);
    } catch (const std::bad_alloc &) {
        close();
        throw tooLarge(m_tablePath);
    }
    m_open = true;
    index.unlock();
    file.unlock();
}

void DbfTable::close()
{
    m_open = false;
    m_fields.clear();
    m_data.clear();
    m_keys.clear();
    m_order.clear();
    m_count = 0;
    m_indexStamp.reset();
}

int DbfTable::fieldIndex(QByteArrayView name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QByteArrayView DbfTable::record(quint32 record) const
{
    return QByteArrayView(m_data).sliced(qsizetype(record - 1) * m_recordLength, m_recordLength);
}

bool DbfTable::isDeleted(quint32 record) const
{
    return m_data[qsizetype(record - 1) * m_recordLength] == kDeleted;
}

QByteArrayView DbfTable::fieldBytes(quint32 record, int field) const
{
    const DbfField &f = m_fields[size_t(field)];
    return QByteArrayView(m_data).sliced(qsizetype(record - 1) * m_recordLength + f.offset, f.width);
}

void DbfTable::readHeader(PosixFile &file, char *header)
{
    if (!file.readAt(0, header, kHeaderSize) || (header[0] & 0x07) != 3)
        throw notATable(m_tablePath);
    m_headerLength = qFromLittleEndian<quint16>(header + 8);
    m_recordLength = qFromLittleEndian<quint16>(header + 10);
    m_language = static_cast<unsigned char>(header[kLanguageByte]);
    m_lastUpdate = QDate(1900 + static_cast<unsigned char>(header[1]), header[2], header[3]);
    if (m_headerLength < kHeaderSize + kDescriptorSize + 1 || m_recordLength < 2)
        throw notATable(m_tablePath);
    QByteArray descriptors(m_headerLength - kHeaderSize, Qt::Uninitialized);
    if (!file.readAt(kHeaderSize, descriptors.data(), descriptors.size()))
        throw notATable(m_tablePath);
    m_fields.clear();
    int offset = 1;
    for (qsizetype at = 0; at + kDescriptorSize <= descriptors.size() && descriptors[at] != kHeaderEnd;
         at += kDescriptorSize) {
        const char *d = descriptors.constData() + at;
        DbfField field;
        field.name = QByteArray(d, qsizetype(strnlen(d, 11))).toUpper();
        field.type = d[11];
        field.width = static_cast<unsigned char>(d[16]);
        field.decimals = static_cast<unsigned char>(d[17]);
        field.offset = offset;
        if (field.name.isEmpty() || field.width == 0)
            throw notATable(m_tablePath);
        offset += field.width;
        m_fields.push_back(field);
    }
    if (m_fields.empty() || offset != m_recordLength)
        throw notATable(m_tablePath);
    m_keyFieldIndex = fieldIndex(m_keyField);
    if (m_keyFieldIndex < 0 || m_fields[size_t(m_keyFieldIndex)].type != 'N')
        throw AppError(QStringLiteral("Tabulka „%1“ nemá číselný sloupec %2.")
                           .arg(shownPath(m_tablePath), QString::fromLatin1(m_keyField)));
    m_count = qFromLittleEndian<quint32>(header + 4);
}

void DbfTable::loadAll(PosixFile &file)
{
    char header[kHeaderSize];
    readHeader(file, header);
    const qint64 size = file.size();
    const qint64 available = size < m_headerLength ? 0 : (size - m_headerLength) / m_recordLength;
    const bool repair = m_mode == OpenMode::Repair && file.isWritable();
    const bool interrupted = header[kTransactionByte] != 0;
    if (m_count > available) {
        if (!repair)
            throw notATable(m_tablePath);
        m_count = quint32(available);
    }
    const qint64 end = m_headerLength + qint64(m_count) * m_recordLength;
    bool tidy = interrupted || qFromLittleEndian<quint32>(header + 4) != m_count || size > end + 1;
    if (!tidy && size == end + 1) {
        char last = 0;
        file.readAt(end, &last, 1);
        tidy = last != kFileEnd;
    }
    if (tidy && repair) {
        // Whatever lies beyond the record count is an append that never finished.
        file.truncate(end);
        file.writeAt(end, &kFileEnd, 1);
        file.writeAt(1, headerDateAndCount(m_lastUpdate.isValid() ? m_lastUpdate : QDate(1900, 1, 1), m_count));
        file.sync();
    }

    m_data = QByteArray(qsizetype(m_count) * m_recordLength, Qt::Uninitialized);
    if (!file.readAt(m_headerLength, m_data.data(), m_data.size()))
        throw notATable(m_tablePath);
    m_keys.clear();
    m_keys.reserve(m_count);
    for (quint32 r = 1; r <= m_count; ++r)
        m_keys.push_back(keyOf(r));
    m_tableDevice = file.device();
    m_tableInode = file.inode();
    ++m_generation;

    prepareIndex(file, interrupted && repair);
    if (interrupted && repair) {
        const char clear = 0;
        file.writeAt(kTransactionByte, &clear, 1);
        file.sync();
    }
    if (repair && header[kProductionIndexByte] != 1) {
        const char flag = 1;
        file.writeAt(kProductionIndexByte, &flag, 1);
    }
}

bool DbfTable::loadNew(PosixFile &file)
{
    char header[kHeaderSize];
    if (!file.readAt(0, header, kHeaderSize))
        throw notATable(m_tablePath);
    const quint32 count = qFromLittleEndian<quint32>(header + 4);
    if (header[kTransactionByte] != 0 || count < m_count || file.inode() != m_tableInode
        || file.device() != m_tableDevice) {
        loadAll(file);
        return true;
    }
    const bool indexChanged = !sameIndexFile();
    if (count == m_count && !indexChanged)
        return false;
    const qint64 available = (file.size() - m_headerLength) / m_recordLength;
    if (count > available) {
        loadAll(file);
        return true;
    }
    if (count > m_count) {
        QByteArray added(qsizetype(count - m_count) * m_recordLength, Qt::Uninitialized);
        if (!file.readAt(m_headerLength + qint64(m_count) * m_recordLength, added.data(), added.size()))
            throw notATable(m_tablePath);
        m_data.append(added);
        const quint32 first = m_count + 1;
        m_count = count;
        for (quint32 r = first; r <= m_count; ++r)
            m_keys.push_back(keyOf(r));
        m_lastUpdate = QDate(1900 + static_cast<unsigned char>(header[1]), header[2], header[3]);
    }
    prepareIndex(file, false);
    return true;
}

NumericKey DbfTable::keyOf(quint32 record) const
{
    const std::optional<Decimal> value = readNumericField(fieldBytes(record, m_keyFieldIndex));
    return encodeNumericKey(value.value_or(Decimal{}));
}

void DbfTable::orderFromKeys()
{
    m_order.resize(m_count);
    for (quint32 r = 0; r < m_count; ++r)
        m_order[r] = r + 1;
    std::stable_sort(m_order.begin(), m_order.end(), [this](quint32 a, quint32 b) {
        return compareNumericKeys(m_keys[a - 1], m_keys[b - 1]) < 0;
    });
}

void DbfTable::prepareIndex(PosixFile &table, bool rebuild)
{
    const bool repair = m_mode == OpenMode::Repair && table.isWritable();
    bool found = false;
    m_indexPath = indexPathFor(m_tablePath, &found);
    if (!found && !repair)
        throw indexMissing(m_indexPath);
    if (found && !rebuild) {
        PosixFile file;
        if (!file.open(m_indexPath, false))
            throw AppError(QStringLiteral("Indexový soubor „%1“ nelze otevřít: %2.").arg(shownPath(m_indexPath), fileErrorText(errno)));
        try {
            MdxIndex index(file, m_keyField);
            std::vector<IndexEntry> entries = index.entries(m_count);
            // Every record, or every live record, must be there once with the key it holds now.
            std::vector<bool> seen(m_count + 1, false);
            quint32 live = 0;
            for (quint32 r = 1; r <= m_count; ++r)
                live += isDeleted(r) ? 0 : 1;
            if (entries.size() != m_count && entries.size() != live)
                throw IndexDamaged(QStringLiteral("key count"));
            for (const IndexEntry &entry : entries) {
                if (entry.record > m_count || seen[entry.record]
                    || compareNumericKeys(entry.key, m_keys[entry.record - 1]) != 0
                    || (entries.size() != m_count && isDeleted(entry.record)))
                    throw IndexDamaged(QStringLiteral("record %1").arg(entry.record));
                seen[entry.record] = true;
            }
            rebuild = !index.maintainable() || (index.language() != 0 && index.language() != m_language);
            m_order.clear();
            m_order.reserve(entries.size());
            for (const IndexEntry &entry : entries)
                m_order.push_back(entry.record);
        } catch (const IndexDamaged &) {
            if (!repair)
                throw AppError(QStringLiteral("Indexový soubor „%1“ je poškozený.").arg(shownPath(m_indexPath)));
            rebuild = true;
        }
    } else {
        rebuild = true;
    }
    if (rebuild) {
        orderFromKeys();
        if (repair)
            rebuildIndex();
    }
    noteIndexFile();
}

void DbfTable::rebuildIndex()
{
    std::vector<IndexEntry> entries;
    entries.reserve(m_order.size());
    for (quint32 r : m_order)
        entries.push_back(IndexEntry{r, m_keys[r - 1]});
    const QDate date = m_lastUpdate.isValid() ? m_lastUpdate : QDate(1900, 1, 1);
    replaceFile(m_indexPath, buildMdx(entries, tableBaseName(m_tablePath), m_keyField, m_language, date), m_tablePath);
    syncFolder(QFileInfo(m_indexPath).absolutePath());
}

bool DbfTable::sameIndexFile() const
{
    return m_indexStamp && *m_indexStamp == IndexStamp::of(m_indexPath);
}

void DbfTable::noteIndexFile()
{
    m_indexStamp = std::make_unique<IndexStamp>(IndexStamp::of(m_indexPath));
}

bool DbfTable::refresh()
{
    if (!m_open)
        return false;
    const QDeadlineTimer deadline(PosixFile::kLockWaitMs);
    PosixFile file;
    if (!openLocked(file, m_tablePath, !m_readOnly, deadline))
        return false;
    PosixFile index;
    lockIndex(index, m_tablePath, file.isWritable(), deadline);
    const bool changed = reload(file);
    index.unlock();
    file.unlock();
    return changed;
}

bool DbfTable::reload(PosixFile &file)
{
    // A table or index that another program spoilt leaves half-read state behind; the table is
    // closed instead, so that the next use opens it afresh and names the file at fault.
    try {
        return loadNew(file);
    } catch (const std::bad_alloc &) {
        close();
        throw tooLarge(m_tablePath);
    } catch (...) {
        close();
        throw;
    }
}

QByteArray DbfTable::blankRecord() const
{
    return QByteArray(m_recordLength, ' ');
}

void DbfTable::setText(QByteArray &record, int field, QByteArrayView bytes) const
{
    const DbfField &f = m_fields[size_t(field)];
    const QByteArray text = bytes.first(std::min<qsizetype>(bytes.size(), f.width)).toByteArray().leftJustified(f.width, ' ');
    record.replace(f.offset, f.width, text);
}

void DbfTable::setNumber(QByteArray &record, int field, const Decimal &value) const
{
    const DbfField &f = m_fields[size_t(field)];
    const std::optional<QByteArray> text = formatNumericField(value, f.width, f.decimals);
    if (!text)
        throw AppError(QStringLiteral("Číslo %1 se nevejde do sloupce %2 tabulky „%3“ (šířka %4, desetinná místa %5).")
                           .arg(QString::fromLatin1(value.toText()), QString::fromLatin1(f.name), shownPath(m_tablePath))
                           .arg(f.width)
                           .arg(f.decimals));
    record.replace(f.offset, f.width, *text);
}

void DbfTable::setDate(QByteArray &record, int field, QDate date) const
{
    const DbfField &f = m_fields[size_t(field)];
    const QByteArray text = date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")).toLatin1() : QByteArray();
    record.replace(f.offset, f.width, text.leftJustified(f.width, ' ', true));
}

quint32 DbfTable::append(const QByteArray &record, QDate today)
{
    if (!m_open)
        throw AppError(QStringLiteral("Tabulka „%1“ není otevřena.").arg(shownPath(m_tablePath)));
    if (m_readOnly)
        throw readOnlyTable(m_tablePath, m_writeError);
    Q_ASSERT(record.size() == m_recordLength);
    const QDeadlineTimer deadline(PosixFile::kLockWaitMs);
    PosixFile file;
    if (!openLocked(file, m_tablePath, true, deadline))
        throw cannotOpen(m_tablePath, errno);
    if (!file.isWritable())
        throw readOnlyTable(m_tablePath, file.writeError());
    // Both locks are held before anything is written, so a locked index leaves the table as it was.
    PosixFile indexLock;
    lockIndex(indexLock, m_tablePath, true, deadline);
    reload(file);

    const quint32 number = m_count + 1;
    QByteArray stored = record;
    stored[0] = kLive;
    const qint64 end = m_headerLength + qint64(m_count) * m_recordLength;
    try {
        const char busy = 1;
        file.writeAt(kTransactionByte, &busy, 1);
        file.writeAt(end, stored + kFileEnd);
        file.sync();
        commitCount(file, today, number);
    } catch (const AppError &) {
        undoAppend(file, end);
        throw;
    }

    m_data.append(stored);
    m_count = number;
    m_keys.push_back(keyOf(number));
    m_lastUpdate = today;
    const NumericKey &key = m_keys.back();
    const auto at = std::upper_bound(m_order.begin(), m_order.end(), key, [this](const NumericKey &k, quint32 r) {
        return compareNumericKeys(k, m_keys[r - 1]) < 0;
    });
    m_order.insert(at, number);
    addToIndex(file, key, number, today);
    noteIndexFile();
    indexLock.unlock();
    file.unlock();
    return number;
}

void DbfTable::commitCount(PosixFile &file, QDate today, quint32 count)
{
    char previous[7];
    if (!file.readAt(1, previous, sizeof previous))
        throw notATable(m_tablePath);
    try {
        file.writeAt(1, headerDateAndCount(today, count));
        file.sync();
    } catch (const AppError &) {
        // Readers may see the new count already. It is taken back, so that the failure reported
        // is true; when even that cannot be written and the new count stands, the row is stored.
        try {
            file.writeAt(1, previous, sizeof previous);
        } catch (const AppError &) {
            char now[7];
            if (file.readAt(1, now, sizeof now) && qFromLittleEndian<quint32>(now + 3) == count)
                return;
        }
        throw;
    }
}

// After the count: an index that cannot be brought up to date leaves the transaction byte set,
// which makes the next open or refresh of any copy build it again.
void DbfTable::addToIndex(PosixFile &file, const NumericKey &key, quint32 record, QDate today)
{
    try {
        bool inserted = false;
        if (IndexStamp::of(m_indexPath).present) {
            PosixFile index;
            if (index.open(m_indexPath, true) && index.isWritable()) {
                try {
                    MdxIndex mdx(index, m_keyField);
                    if (mdx.maintainable()) {
                        mdx.insert(key, record, today);
                        index.sync();
                        inserted = true;
                    }
                } catch (const IndexDamaged &) {
                }
            }
        }
        if (!inserted) {
            orderFromKeys();
            rebuildIndex();
        }
        const char done = 0;
        file.writeAt(kTransactionByte, &done, 1);
    } catch (const std::exception &) {
    }
}

void DbfTable::createResultsTable(const QString &tablePath, const QString &indexPath, QDate date,
                                  unsigned char language, int tahyWidth, int tahyDecimals)
{
    struct Column
    {
        const char *name;
        char type;
        int width;
        int decimals;
    };
    const Column columns[] = {{"JMENO", 'C', 100, 0}, {"TAHY", 'N', tahyWidth, tahyDecimals}, {"HRA", 'C', 2, 0}, {"DATUM", 'D', 8, 0}};
    const int count = int(std::size(columns));
    const int headerLength = kHeaderSize + count * kDescriptorSize + 1;
    int recordLength = 1;
    for (const Column &c : columns)
        recordLength += c.width;

    QByteArray table(headerLength + 1, '\0');
    char *h = table.data();
    h[0] = 0x03;
    table.replace(1, 7, headerDateAndCount(date, 0));
    h[8] = char(headerLength & 0xFF);
    h[9] = char(headerLength >> 8);
    h[10] = char(recordLength & 0xFF);
    h[11] = char(recordLength >> 8);
    h[kProductionIndexByte] = 1;
    h[kLanguageByte] = char(language);
    for (int i = 0; i < count; ++i) {
        char *d = h + kHeaderSize + i * kDescriptorSize;
        std::memcpy(d, columns[i].name, std::strlen(columns[i].name));
        d[11] = columns[i].type;
        d[16] = char(columns[i].width);
        d[17] = char(columns[i].decimals);
        d[31] = std::strcmp(columns[i].name, "TAHY") == 0 ? 1 : 0;
    }
    h[headerLength - 1] = kHeaderEnd;
    h[headerLength] = kFileEnd;

    replaceFile(tablePath, table);
    replaceFile(indexPath, buildMdx({}, tableBaseName(tablePath), "TAHY", language, date));
    syncFolder(QFileInfo(tablePath).absolutePath());
}

void DbfTable::replaceWithCopy(const QString &sourceFolder, const QString &sourceTable, const QString &sourceIndexName,
                               const QString &folder, const QString &tableName, const QByteArray &keyField)
{
    const QString sourcePath = QDir(sourceFolder).filePath(sourceTable);
    bool indexFound = false;
    indexPathFor(sourcePath, &indexFound);
    if (!indexFound && QFileInfo::exists(sourcePath))
        throw indexMissing(QDir(sourceFolder).filePath(sourceIndexName));
    DbfTable source;
    source.open(sourceFolder, sourceTable, keyField, OpenMode::Check);
    const QString sourceIndex = source.indexPath();
    source.close();
    QFile tableFile(sourcePath);
    QFile indexFile(sourceIndex);
    if (!tableFile.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Soubor „%1“ nelze přečíst.").arg(shownPath(sourcePath)));
    if (!indexFile.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Soubor „%1“ nelze přečíst.").arg(shownPath(sourceIndex)));
    const QByteArray tableBytes = tableFile.readAll();
    const QByteArray indexBytes = indexFile.readAll();

    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Složku „%1“ nelze vytvořit.").arg(shownPath(folder)));
    const QString target = QDir(folder).filePath(tableName);
    const QDeadlineTimer deadline(PosixFile::kLockWaitMs);
    PosixFile live;
    const bool locked = openLocked(live, target, true, deadline);
    PosixFile liveIndex;
    if (locked)
        lockIndex(liveIndex, target, true, deadline);
    // The index goes first: should the process die between the two renames, the old table is
    // still complete and its index is rebuilt on the next open. Both keep the live files' modes.
    replaceFile(indexPathFor(target), indexBytes, target);
    replaceFile(target, tableBytes);
    syncFolder(folder);
    if (locked) {
        liveIndex.unlock();
        live.unlock();
    }
}
