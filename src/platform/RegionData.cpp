#include "RegionData.h"

#include "AppError.h"

#include <QtEndian>

#include <climits>
#include <vector>

namespace RegionData {

namespace {

constexpr quint32 RectanglesType = 1;

qint32 readInt(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<qint32>(data.constData() + at);
}

void appendInt(QByteArray &data, qint32 value)
{
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    data.append(bytes, 4);
}

[[noreturn]] void malformed(const QString &reason)
{
    throw AppError(QStringLiteral("Invalid region data: %1.").arg(reason));
}

} // namespace

QRegion parse(const QByteArray &data)
{
    if (data.size() < HeaderSize)
        malformed(QStringLiteral("%1 bytes are too few for the header").arg(data.size()));
    const quint32 headerSize = quint32(readInt(data, 0));
    const quint32 type = quint32(readInt(data, 4));
    const quint32 count = quint32(readInt(data, 8));
    if (headerSize != HeaderSize)
        malformed(QStringLiteral("the header size is %1, not %2").arg(headerSize).arg(HeaderSize));
    if (type != RectanglesType)
        malformed(QStringLiteral("unknown type %1").arg(type));
    const qint64 expected = qint64(HeaderSize) + qint64(count) * RectSize;
    if (expected != data.size())
        malformed(QStringLiteral("%1 rectangles need %2 bytes, the data has %3")
                      .arg(count)
                      .arg(expected)
                      .arg(data.size()));

    // The rectangles are united one by one, so data that is not properly banded still gives a
    // sound region.
    QRegion region;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype at = HeaderSize + qsizetype(i) * RectSize;
        const qint32 left = readInt(data, at);
        const qint32 top = readInt(data, at + 4);
        const qint32 right = readInt(data, at + 8);
        const qint32 bottom = readInt(data, at + 12);
        if (right < left || bottom < top)
            malformed(QStringLiteral("rectangle %1 is inverted").arg(i + 1));
        if (qint64(right) - left > INT_MAX || qint64(bottom) - top > INT_MAX)
            malformed(QStringLiteral("rectangle %1 is too large").arg(i + 1));
        if (right > left && bottom > top)
            region += QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }
    return region;
}

QByteArray write(const QRegion &region)
{
    const int count = region.rectCount();
    const QRect bound = region.boundingRect();
    QByteArray data;
    data.reserve(HeaderSize + count * RectSize);
    appendInt(data, HeaderSize);
    appendInt(data, RectanglesType);
    appendInt(data, count);
    appendInt(data, count * RectSize);
    if (region.isEmpty()) {
        for (int i = 0; i < 4; ++i)
            appendInt(data, 0);
    } else {
        appendInt(data, bound.left());
        appendInt(data, bound.top());
        appendInt(data, bound.right() + 1);
        appendInt(data, bound.bottom() + 1);
    }
    for (const QRect &rect : region) {
        appendInt(data, rect.left());
        appendInt(data, rect.top());
        appendInt(data, rect.right() + 1);
        appendInt(data, rect.bottom() + 1);
    }
    return data;
}

QRegion fromAlpha(const QImage &image, int threshold, QPoint offset)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    // Runs of opaque pixels per row; runs repeated on consecutive rows grow into one rectangle.
    std::vector<QRect> rects;
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        int x = 0;
        while (x < argb.width()) {
            while (x < argb.width() && qAlpha(line[x]) <= threshold)
                ++x;
            const int start = x;
            while (x < argb.width() && qAlpha(line[x]) > threshold)
                ++x;
            if (x > start)
                rects.emplace_back(start + offset.x(), y + offset.y(), x - start, 1);
        }
    }
    QRegion region;
    for (const QRect &rect : rects)
        region += rect;
    return region;
}

} // namespace RegionData
