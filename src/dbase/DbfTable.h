#pragma once

#include "Numeric.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <memory>
#include <sys/types.h>
#include <vector>

class PosixFile;

// A column of a dBASE table.
struct DbfField
{
    QByteArray name;   // upper case, at most 10 characters
    char type = 'C';   // 'C', 'N', 'D', ...
    int width = 0;
    int decimals = 0;
    int offset = 0;    // within a record, after the deletion flag
};

// A dBASE IV table (.dbf) with its production index (.mdx) holding an ascending tag on one
// numeric field. The records are kept in memory; every change goes to disk under the locks of both
// files (the table's first, then the index's, one deadline for both), which all running copies
// and other programs' fcntl() locks respect, in an order that leaves the files readable whenever
// the process dies:
//   1. the header's incomplete-transaction byte is set;
//   2. the record and the end-of-file mark are written and flushed;
//   3. the header's record count and date are written and flushed;
//   4. the key is added to the index in place and the index is flushed;
//   5. the transaction byte is cleared.
// The append is stored once the new count is in the header (step 3): up to there a failure takes
// back what was written and is reported; after it nothing is reported, since every reader already
// sees the row, and an index that could not be brought up to date keeps the transaction byte set,
// so that the next open or refresh builds it again.
// Opening a table whose transaction byte is set drops any record beyond the count and builds the
// index again; a missing, stale or damaged index beside an intact table is rebuilt on open.
class DbfTable
{
public:
    enum class OpenMode {
        Repair,   // rebuild a missing or stale index and tidy the table's tail (the live table)
        Check,    // read only; a missing or damaged index is an error (blank copies, foreign files)
    };

    DbfTable();
    ~DbfTable();
    DbfTable(const DbfTable &) = delete;
    DbfTable &operator=(const DbfTable &) = delete;

    // Opens `folder`/`tableName` and its production index (the table's base name with ".mdx" in
    // any letter case), ordered by the tag on `keyField`. Throws AppError naming the file at fault.
    void open(const QString &folder, const QString &tableName, const QByteArray &keyField, OpenMode mode);
    void close();
    bool isOpen() const;
    bool isReadOnly() const;

    QString tablePath() const { return m_tablePath; }
    QString indexPath() const { return m_indexPath; }
    unsigned char language() const { return m_language; }
    QDate lastUpdate() const { return m_lastUpdate; }

    const std::vector<DbfField> &fields() const { return m_fields; }
    // Index into fields(), or -1.
    int fieldIndex(QByteArrayView name) const;

    quint32 recordCount() const { return m_count; }
    // Record `record` (1-based), starting with its deletion flag.
    QByteArrayView record(quint32 record) const;
    bool isDeleted(quint32 record) const;
    QByteArrayView fieldBytes(quint32 record, int field) const;
    // Every record number, deleted ones too, in the order of the index tag.
    const std::vector<quint32> &order() const { return m_order; }
    // Changes whenever the table was read again from scratch (replaced by another copy).
    quint64 loadGeneration() const { return m_generation; }

    // Picks up records that another running copy added. Returns false when nothing changed. When
    // the files can no longer be read, the table is closed and the error raised.
    bool refresh();

    // A live record with every field blank, to fill with the setters and pass to append().
    QByteArray blankRecord() const;
    void setText(QByteArray &record, int field, QByteArrayView bytes) const;
    // Throws AppError when the value does not fit the column.
    void setNumber(QByteArray &record, int field, const Decimal &value) const;
    void setDate(QByteArray &record, int field, QDate date) const;

    // Stores a record (also catching up with other copies first); it is on disk and in the index
    // when this returns. Returns its record number.
    quint32 append(const QByteArray &record, QDate today);

    // Writes an empty results table (JMENO C100, TAHY N(width,decimals), HRA C2, DATUM D8) and
    // its index with the tag TAHY.
    static void createResultsTable(const QString &tablePath, const QString &indexPath, QDate date,
                                   unsigned char language = 0xC8, int tahyWidth = 10, int tahyDecimals = 0);

    // Replaces the table `folder`/`tableName` and its index by copies of another pair, which is
    // checked first: when it is missing or unreadable nothing is touched, and a missing index is
    // reported under `sourceIndexName`. The swap happens under the table's lock, so copies that
    // are appending at that moment wait and then see the new pair. The live files keep their mode.
    static void replaceWithCopy(const QString &sourceFolder, const QString &sourceTable, const QString &sourceIndexName,
                                const QString &folder, const QString &tableName, const QByteArray &keyField);

    // The index beside a table, whatever the letter case of its extension; `found` tells whether
    // it exists (else the lower-case name is returned).
    static QString indexPathFor(const QString &tablePath, bool *found = nullptr);

private:
    // Reads the table's header and field descriptors; `header` receives its first 32 bytes.
    void readHeader(PosixFile &file, char *header);
    // Writes and flushes the header's new record count and date: the commit point of an append.
    // Throws when the count is not stored, having put the old one back.
    void commitCount(PosixFile &file, QDate today, quint32 count);
    // Adds a committed record's key to the index; reports nothing (see the class comment).
    void addToIndex(PosixFile &file, const NumericKey &key, quint32 record, QDate today);
    void loadAll(PosixFile &file);
    bool loadNew(PosixFile &file);
    bool reload(PosixFile &file);
    void prepareIndex(PosixFile &table, bool repair);
    // Writes the index afresh from the keys in m_order, replacing the file whole.
    void rebuildIndex();
    bool sameIndexFile() const;
    void noteIndexFile();
    NumericKey keyOf(quint32 record) const;
    void orderFromKeys();

    QString m_tablePath;
    QString m_indexPath;
    QByteArray m_keyField;
    OpenMode m_mode = OpenMode::Repair;
    bool m_open = false;
    bool m_readOnly = false;
    int m_writeError = 0;   // why the table could only be opened for reading

    std::vector<DbfField> m_fields;
    int m_keyFieldIndex = -1;
    int m_headerLength = 0;
    int m_recordLength = 0;
    unsigned char m_language = 0;
    QDate m_lastUpdate;
    quint32 m_count = 0;
    QByteArray m_data;               // m_count records back to back
    std::vector<NumericKey> m_keys;  // per record
    std::vector<quint32> m_order;
    quint64 m_generation = 0;

    // What the table and index files were when last seen, to notice another copy's changes.
    dev_t m_tableDevice = 0;
    ino_t m_tableInode = 0;
    struct IndexStamp;
    std::unique_ptr<IndexStamp> m_indexStamp;
};
