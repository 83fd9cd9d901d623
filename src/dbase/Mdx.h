#pragma once

#include "Numeric.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <stdexcept>
#include <vector>

class PosixFile;

// One key of the index tag: the record it points to and the record's key.
struct IndexEntry
{
    quint32 record = 0;
    NumericKey key{};
};

// The index file is damaged or laid out in a way this engine does not maintain; the table beside it
// is not affected, and the index can be built again from the table.
class IndexDamaged : public std::runtime_error
{
public:
    explicit IndexDamaged(const QString &why) : std::runtime_error(why.toStdString()), reason(why) {}
    QString reason;
};

// A production index (.mdx) holding an ascending numeric tag on one field, read and maintained in
// place. The file holds 512-byte pages; the tag is a B-tree of blocks (normally two pages) whose
// leaves point to record numbers in ascending key order.
class MdxIndex
{
public:
    // Reads the file header and finds the tag on `field`. Throws AppError when the file holds no
    // plain ascending tag on the field (descending, filtered or an expression), IndexDamaged when
    // the header or tag header is unreadable or names pages beyond the end of the file.
    MdxIndex(PosixFile &file, const QByteArray &field);

    // The file's language driver byte (0 when not set).
    unsigned char language() const { return m_language; }
    // Whether this engine can add keys in place: a single tag in the usual geometry.
    bool maintainable() const { return m_maintainable; }

    // Every key of the tag in index order, reading only the tag's blocks. Throws IndexDamaged on
    // any broken block, loop or key order, when the separator keys of an inner block do not bound
    // its children, when there are more than `limit` keys, or when the file is far larger than
    // its blocks need (a page count once pointed past its end and a write went there).
    std::vector<IndexEntry> entries(size_t limit) const;

    // Adds a key after every equal or lower key, splitting blocks as needed. New blocks go at the
    // end of the file as it really is. Throws IndexDamaged, having written nothing, when the tag
    // header or a block on the way names a page outside the file.
    void insert(const NumericKey &key, quint32 record, QDate today);

private:
    // The block at `page`, or IndexDamaged when it would overlap the file header or the tag
    // header or reach past the end of the file.
    QByteArray readBlock(quint32 page) const;
    void checkBlockPage(quint32 page) const;

    PosixFile &m_file;
    unsigned char m_language = 0;
    bool m_maintainable = false;
    int m_tags = 1;
    quint32 m_filePages = 0;
    quint32 m_tagHeaderPage = 0;
    qint64 m_tagHeaderOffset = 0;
    int m_pagesPerBlock = 2;
    int m_blockBytes = 1024;
    int m_maxKeys = 63;
    int m_itemLength = 16;
};

// A complete index file holding one tag on `field` over `entries` (already in index order), laid
// out as dBASE IV builds it: header and tag table in pages 0-3, the tag header in block 4, leaves
// from page 6 upward, then the inner levels, root last.
QByteArray buildMdx(const std::vector<IndexEntry> &entries, const QByteArray &tableBaseName,
                    const QByteArray &field, unsigned char language, QDate date);
