#include "Mdx.h"

#include "AppError.h"
#include "PosixFile.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <unordered_set>

// Numbers in dBASE files are little-endian whatever the machine (qFromLittleEndian,
// qToLittleEndian).

namespace {

constexpr int kPage = 512;
constexpr int kTagTableOffset = 544;
constexpr int kTagEntryLength = 32;
constexpr int kTagSlots = 48;
constexpr int kFirstTagHeaderPage = 4;
constexpr int kFirstBlockPage = 6;
constexpr int kNumericKeyLength = 12;
constexpr int kNumericItemLength = 16;
constexpr unsigned char kFieldKey = 0x10;
constexpr unsigned char kDescending = 0x08;
constexpr int kMaxDepth = 32;
// More pages than an index ever needs, and few enough that page numbers never overflow.
constexpr quint32 kMaxPages = 1u << 30;

void putDate(char *p, QDate date)
{
    p[0] = char(std::clamp(date.year() - 1900, 0, 255));
    p[1] = char(date.month());
    p[2] = char(date.day());
}

// Text of a NUL-terminated field of at most `length` bytes.
QByteArray cString(const char *p, int length)
{
    return QByteArray(p, qsizetype(strnlen(p, size_t(length))));
}

IndexDamaged damaged(const QString &reason)
{
    return IndexDamaged(reason);
}

// A B-tree block: a leaf lists (record, key); an inner block lists (child page, highest key of
// that child) and ends with the pointer of its right-most child, which has no key.
struct Node
{
    quint32 link = 0;
    std::vector<IndexEntry> items;
    quint32 rightmost = 0;
    bool leaf() const { return rightmost == 0; }
};

} // namespace

MdxIndex::MdxIndex(PosixFile &file, const QByteArray &field)
    : m_file(file)
{
    char header[kPage * 4];
    if (!file.readAt(0, header, sizeof header))
        throw damaged(QStringLiteral("short header"));
    if (header[0] != 2)
        throw damaged(QStringLiteral("version"));
    m_pagesPerBlock = qFromLittleEndian<quint16>(header + 20);
    m_blockBytes = qFromLittleEndian<quint16>(header + 22);
    if (m_pagesPerBlock < 1 || m_pagesPerBlock > 64 || m_blockBytes != m_pagesPerBlock * kPage)
        throw damaged(QStringLiteral("block size"));
    m_language = static_cast<unsigned char>(header[31]);
    // Pages are counted in 32 bits; a file that holds more than that is no index either.
    const qint64 filePages = file.size() / kPage;
    if (filePages > qint64(kMaxPages))
        throw damaged(QStringLiteral("file size"));
    m_filePages = quint32(filePages);
    if (qFromLittleEndian<quint32>(header + 32) > m_filePages)
        throw damaged(QStringLiteral("page count beyond the file"));
    // Only the slots that lie within the header pages read above are taken: the last of the 48
    // slots that dBASE reserves would reach into the first tag header.
    m_tags = qFromLittleEndian<quint16>(header + 28);
    const int entryLength = static_cast<unsigned char>(header[26]);
    if (m_tags < 1 || entryLength != kTagEntryLength || kTagTableOffset + m_tags * kTagEntryLength > int(sizeof header))
        throw damaged(QStringLiteral("tag table"));

    // The tag named after the field wins; any other tag over the plain field will do.
    int chosen = -1;
    for (int pass = 0; pass < 2 && chosen < 0; ++pass) {
        for (int t = 0; t < m_tags && chosen < 0; ++t) {
            const char *entry = header + kTagTableOffset + t * kTagEntryLength;
            const bool named = cString(entry + 4, 11).toUpper() == field;
            if ((pass == 0) != named)
                continue;
            const quint32 headerPage = qFromLittleEndian<quint32>(entry);
            char tag[kPage];
            if (headerPage < kFirstTagHeaderPage || headerPage >= m_filePages
                || !file.readAt(qint64(headerPage) * kPage, tag, kPage))
                throw damaged(QStringLiteral("tag header"));
            const QByteArray expression = cString(tag + 24, 220).trimmed().toUpper();
            const auto flags = static_cast<unsigned char>(tag[8]);
            if (expression != field || tag[9] != 'N' || entry[20] != 'N' || (flags & kDescending) || tag[245] != 0)
                continue;
            if (qFromLittleEndian<quint16>(tag + 12) != kNumericKeyLength || qFromLittleEndian<quint16>(tag + 18) != kNumericItemLength)
                throw damaged(QStringLiteral("key length"));
            m_maxKeys = qFromLittleEndian<quint16>(tag + 14);
            m_itemLength = kNumericItemLength;
            if (m_maxKeys < 4 || m_maxKeys > (m_blockBytes - 12) / m_itemLength)
                throw damaged(QStringLiteral("keys per block"));
            m_tagHeaderPage = headerPage;
            m_tagHeaderOffset = qint64(headerPage) * kPage;
            chosen = t;
        }
    }
    if (chosen < 0)
        throw AppError(QStringLiteral("Indexový soubor „%1“ nemá vzestupný index podle pole %2.")
                           .arg(shownPath(file.path()), QString::fromLatin1(field)));
    m_maintainable = m_tags == 1 && m_pagesPerBlock == 2;
}

void MdxIndex::checkBlockPage(quint32 page) const
{
    const qint64 first = page;
    const qint64 end = first + m_pagesPerBlock;
    const bool overlapsTagHeader = first < qint64(m_tagHeaderPage) + m_pagesPerBlock && end > m_tagHeaderPage;
    if (first < kFirstTagHeaderPage || end > m_filePages || overlapsTagHeader)
        throw damaged(QStringLiteral("block %1 out of place").arg(page));
}

QByteArray MdxIndex::readBlock(quint32 page) const
{
    checkBlockPage(page);
    QByteArray block(m_blockBytes, Qt::Uninitialized);
    if (!m_file.readAt(qint64(page) * kPage, block.data(), m_blockBytes))
        throw damaged(QStringLiteral("block %1 out of the file").arg(page));
    if (qint64(qFromLittleEndian<quint32>(block.constData())) > (m_blockBytes - 12) / m_itemLength)
        throw damaged(QStringLiteral("block %1 key count").arg(page));
    return block;
}

std::vector<IndexEntry> MdxIndex::entries(size_t limit) const
{
    char tag[kPage];
    if (!m_file.readAt(m_tagHeaderOffset, tag, kPage))
        throw damaged(QStringLiteral("tag header"));
    std::unordered_set<quint32> visited;
    std::vector<IndexEntry> out;

    struct Span
    {
        bool any = false;
        NumericKey low{};
        NumericKey high{};
    };
    const auto walk = [&](const auto &self, quint32 page, int depth) -> Span {
        if (depth > kMaxDepth)
            throw damaged(QStringLiteral("too deep"));
        const QByteArray data = readBlock(page);
        // Blocks that share a page would change each other when one is written.
        for (int p = 0; p < m_pagesPerBlock; ++p) {
            if (!visited.insert(page + quint32(p)).second)
                throw damaged(QStringLiteral("block %1 reached twice or overlapping another").arg(page));
        }
        const char *block = data.constData();
        const quint32 count = qFromLittleEndian<quint32>(block);
        const auto item = [&](quint32 i) { return block + 8 + qint64(i) * m_itemLength; };
        const quint32 last = qFromLittleEndian<quint32>(item(count));
        Span span;
        if (last == 0) {
            if (out.size() + count > limit)
                throw damaged(QStringLiteral("more keys than records"));
            for (quint32 i = 0; i < count; ++i) {
                IndexEntry entry;
                entry.record = qFromLittleEndian<quint32>(item(i));
                std::memcpy(entry.key.data(), item(i) + 4, kNumericKeyLength);
                if (entry.record == 0)
                    throw damaged(QStringLiteral("record 0"));
                if (!out.empty() && compareNumericKeys(out.back().key, entry.key) > 0)
                    throw damaged(QStringLiteral("keys out of order"));
                out.push_back(entry);
            }
            if (count > 0)
                span = {true, out[out.size() - count].key, out.back().key};
            return span;
        }
        NumericKey previousSeparator{};
        for (quint32 i = 0; i <= count; ++i) {
            const quint32 child = i < count ? qFromLittleEndian<quint32>(item(i)) : last;
            const Span sub = self(self, child, depth + 1);
            if (!sub.any)
                throw damaged(QStringLiteral("empty block %1").arg(child));
            NumericKey separator{};
            if (i < count) {
                std::memcpy(separator.data(), item(i) + 4, kNumericKeyLength);
                if (compareNumericKeys(sub.high, separator) > 0)
                    throw damaged(QStringLiteral("separator below its block"));
            }
            if (i > 0 && compareNumericKeys(previousSeparator, sub.low) > 0)
                throw damaged(QStringLiteral("separator above the next block"));
            previousSeparator = separator;
            if (!span.any)
                span.low = sub.low;
            span.any = true;
            span.high = sub.high;
        }
        return span;
    };
    walk(walk, qFromLittleEndian<quint32>(tag), 0);

    // Every tag of an intact file holds a tree of about this size; other writers leave a few spare
    // blocks, but not thousands of times as many as the tree uses.
    const qint64 blocksInFile = (qint64(m_filePages) - kFirstTagHeaderPage) / m_pagesPerBlock;
    if (blocksInFile > qint64(m_tags) * (8 * qint64(visited.size() / size_t(m_pagesPerBlock)) + 64))
        throw damaged(QStringLiteral("file far larger than its blocks"));
    return out;
}

namespace {

Node parseNode(const QByteArray &block, int itemLength)
{
    const quint32 count = qFromLittleEndian<quint32>(block.constData());
    Node node;
    node.link = qFromLittleEndian<quint32>(block.constData() + 4);
    for (quint32 i = 0; i < count; ++i) {
        const char *p = block.constData() + 8 + qint64(i) * itemLength;
        IndexEntry entry;
        entry.record = qFromLittleEndian<quint32>(p);
        std::memcpy(entry.key.data(), p + 4, kNumericKeyLength);
        node.items.push_back(entry);
    }
    node.rightmost = qFromLittleEndian<quint32>(block.constData() + 8 + qint64(count) * itemLength);
    return node;
}

QByteArray serializeNode(const Node &node, int blockBytes, int itemLength)
{
    QByteArray block(blockBytes, '\0');
    qToLittleEndian<quint32>(quint32(node.items.size()), block.data());
    qToLittleEndian<quint32>(node.link, block.data() + 4);
    char *p = block.data() + 8;
    for (const IndexEntry &entry : node.items) {
        qToLittleEndian<quint32>(entry.record, p);
        std::memcpy(p + 4, entry.key.data(), kNumericKeyLength);
        p += itemLength;
    }
    qToLittleEndian<quint32>(node.rightmost, p);
    return block;
}

} // namespace

void MdxIndex::insert(const NumericKey &key, quint32 record, QDate today)
{
    char fileHeader[kPage];
    char tag[kPage];
    if (!m_file.readAt(0, fileHeader, kPage) || !m_file.readAt(m_tagHeaderOffset, tag, kPage))
        throw damaged(QStringLiteral("short header"));
    // New blocks go at the real end of the file, whatever the header claims; the bookkeeping
    // pages of the tag header must lie in the file (0 where a writer leaves them unset).
    const qint64 filePages = m_file.size() / kPage;
    if (qFromLittleEndian<quint32>(fileHeader + 32) > filePages || filePages > qint64(kMaxPages) - 8 * m_pagesPerBlock)
        throw damaged(QStringLiteral("page count"));
    quint32 pagesInFile = quint32(filePages);
    quint32 root = qFromLittleEndian<quint32>(tag);
    quint32 tagPages = qFromLittleEndian<quint32>(tag + 4);
    quint32 firstLeaf = qFromLittleEndian<quint32>(tag + 248);
    quint32 lastBlock = qFromLittleEndian<quint32>(tag + 252);
    if (firstLeaf >= pagesInFile || lastBlock >= pagesInFile)
        throw damaged(QStringLiteral("tag bookkeeping"));
    const auto allocate = [&] {
        const quint32 page = pagesInFile;
        pagesInFile += quint32(m_pagesPerBlock);
        tagPages += quint32(m_pagesPerBlock);
        lastBlock = page;
        return page;
    };
    const auto after = [&](const Node &node) {
        return std::upper_bound(node.items.begin(), node.items.end(), key,
                                [](const NumericKey &k, const IndexEntry &e) { return compareNumericKeys(k, e.key) < 0; });
    };

    // Every block on the way down is read (and checked) before anything is written.
    struct Step
    {
        quint32 page;
        Node node;
        size_t child;
    };
    std::vector<Step> path;
    quint32 page = root;
    Node node = parseNode(readBlock(page), m_itemLength);
    while (!node.leaf()) {
        if (path.size() > size_t(kMaxDepth))
            throw damaged(QStringLiteral("too deep"));
        const size_t child = size_t(after(node) - node.items.begin());
        const quint32 next = child < node.items.size() ? node.items[child].record : node.rightmost;
        path.push_back({page, std::move(node), child});
        page = next;
        node = parseNode(readBlock(page), m_itemLength);
    }
    node.items.insert(after(node), IndexEntry{record, key});

    const auto write = [&](quint32 at, const Node &block) {
        m_file.writeAt(qint64(at) * kPage, serializeNode(block, m_blockBytes, m_itemLength));
    };
    // Splitting moves the lower half into a new block, so the links of the leaves after it and
    // the parent's pointer to the old block stay right.
    bool split = false;
    quint32 newPage = 0;
    NumericKey separator{};
    if (node.items.size() > size_t(m_maxKeys)) {
        const auto half = node.items.begin() + ptrdiff_t(node.items.size() / 2);
        Node lower;
        lower.link = node.link;
        lower.items.assign(node.items.begin(), half);
        node.items.erase(node.items.begin(), half);
        newPage = allocate();
        node.link = newPage;
        separator = lower.items.back().key;
        write(newPage, lower);
        if (firstLeaf == page)
            firstLeaf = newPage;
        split = true;
    }
    write(page, node);

    while (split && !path.empty()) {
        Step step = std::move(path.back());
        path.pop_back();
        Node &parent = step.node;
        parent.items.insert(parent.items.begin() + ptrdiff_t(step.child), IndexEntry{newPage, separator});
        split = parent.items.size() > size_t(m_maxKeys - 1);
        if (split) {
            const size_t middle = parent.items.size() / 2;
            Node lower;
            lower.items.assign(parent.items.begin(), parent.items.begin() + ptrdiff_t(middle));
            lower.rightmost = parent.items[middle].record;
            separator = parent.items[middle].key;
            parent.items.erase(parent.items.begin(), parent.items.begin() + ptrdiff_t(middle) + 1);
            newPage = allocate();
            write(newPage, lower);
        }
        write(step.page, parent);
    }
    if (split) {
        Node top;
        top.items.push_back(IndexEntry{newPage, separator});
        top.rightmost = root;
        top.link = root;
        root = allocate();
        write(root, top);
    }

    qToLittleEndian<quint32>(root, tag);
    qToLittleEndian<quint32>(tagPages, tag + 4);
    tag[246] = 1;
    qToLittleEndian<quint32>(firstLeaf, tag + 248);
    qToLittleEndian<quint32>(lastBlock, tag + 252);
    m_file.writeAt(m_tagHeaderOffset, tag, kPage);
    qToLittleEndian<quint32>(pagesInFile, fileHeader + 32);
    putDate(fileHeader + 44, today);
    m_file.writeAt(0, fileHeader, kPage);
}

QByteArray buildMdx(const std::vector<IndexEntry> &entries, const QByteArray &tableBaseName,
                    const QByteArray &field, unsigned char language, QDate date)
{
    constexpr int pagesPerBlock = 2;
    constexpr int blockBytes = pagesPerBlock * kPage;
    constexpr int maxKeys = (blockBytes - 12) / kNumericItemLength;

    // Leaves first, evenly filled, then each level above them until one block remains.
    std::vector<Node> nodes;
    struct Child
    {
        quint32 page;
        NumericKey high;
    };
    std::vector<Child> level;
    const auto pageOf = [](size_t index) { return quint32(kFirstBlockPage + index * pagesPerBlock); };
    const size_t leafCount = std::max<size_t>(1, (entries.size() + maxKeys - 1) / maxKeys);
    for (size_t leaf = 0, begin = 0; leaf < leafCount; ++leaf) {
        const size_t end = entries.size() * (leaf + 1) / leafCount;
        Node node;
        node.link = leaf == 0 ? 0 : pageOf(nodes.size() - 1);
        node.items.assign(entries.begin() + ptrdiff_t(begin), entries.begin() + ptrdiff_t(end));
        level.push_back({pageOf(nodes.size()), node.items.empty() ? NumericKey{} : node.items.back().key});
        nodes.push_back(std::move(node));
        begin = end;
    }
    while (level.size() > 1) {
        const size_t groups = (level.size() + maxKeys - 1) / maxKeys;
        std::vector<Child> upper;
        for (size_t group = 0, begin = 0; group < groups; ++group) {
            const size_t end = level.size() * (group + 1) / groups;
            Node node;
            for (size_t i = begin; i + 1 < end; ++i)
                node.items.push_back(IndexEntry{level[i].page, level[i].high});
            node.rightmost = level[end - 1].page;
            upper.push_back({pageOf(nodes.size()), level[end - 1].high});
            nodes.push_back(std::move(node));
            begin = end;
        }
        level = std::move(upper);
    }

    const quint32 totalPages = pageOf(nodes.size());
    QByteArray file(qsizetype(totalPages) * kPage, '\0');
    char *h = file.data();
    h[0] = 2;
    putDate(h + 1, date);
    const QByteArray base = tableBaseName.toUpper().left(15);
    std::memcpy(h + 4, base.constData(), size_t(base.size()));
    qToLittleEndian<quint16>(pagesPerBlock, h + 20);
    qToLittleEndian<quint16>(blockBytes, h + 22);
    h[24] = 1;
    h[25] = char(kTagSlots);
    h[26] = char(kTagEntryLength);
    qToLittleEndian<quint16>(1, h + 28);
    h[31] = char(language);
    qToLittleEndian<quint32>(totalPages, h + 32);
    putDate(h + 44, date);
    h[529] = 1;

    char *entry = h + kTagTableOffset;
    qToLittleEndian<quint32>(kFirstTagHeaderPage, entry);
    std::memcpy(entry + 4, field.constData(), size_t(std::min<qsizetype>(field.size(), 10)));
    entry[15] = char(kFieldKey);
    entry[19] = 2;
    entry[20] = 'N';

    char *tag = h + kFirstTagHeaderPage * kPage;
    const quint32 root = level.front().page;
    qToLittleEndian<quint32>(root, tag);
    qToLittleEndian<quint32>(quint32(nodes.size() * pagesPerBlock), tag + 4);
    tag[8] = char(kFieldKey);
    tag[9] = 'N';
    tag[11] = char(language);
    qToLittleEndian<quint16>(kNumericKeyLength, tag + 12);
    qToLittleEndian<quint16>(maxKeys, tag + 14);
    qToLittleEndian<quint16>(kNumericItemLength, tag + 18);
    tag[20] = 2;
    std::memcpy(tag + 24, field.constData(), size_t(std::min<qsizetype>(field.size(), 219)));
    tag[246] = entries.empty() ? 0 : 1;
    qToLittleEndian<quint32>(pageOf(0), tag + 248);
    qToLittleEndian<quint32>(root, tag + 252);
    putDate(tag + 257, date);
    tag[480] = 1;

    for (size_t i = 0; i < nodes.size(); ++i)
        file.replace(qsizetype(pageOf(i)) * kPage, blockBytes, serializeNode(nodes[i], blockBytes, kNumericItemLength));
    return file;
}
