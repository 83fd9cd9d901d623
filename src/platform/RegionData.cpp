#include "RegionData.h"

#include "AppError.h"

#include <QtEndian>

#include <climits>
#include <utility>
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
    throw AppError(QStringLiteral("Neplatná data obrysu okna: %1.").arg(reason));
}

// Whether [low, high) spans no more than the largest integer, so that its extent is a number.
bool spanFits(qint64 low, qint64 high)
{
    return high - low <= INT_MAX;
}

struct Rect
{
    qint32 left, top, right, bottom; // right and bottom exclusive
};

// The union of rects[first, last): halves are united first, so that rectangles in any order
// are joined in time that grows little faster than their count.
QRegion unite(const std::vector<QRect> &rects, size_t first, size_t last)
{
    if (last - first == 1)
        return QRegion(rects[first]);
    if (last == first)
        return QRegion();
    const size_t middle = first + (last - first) / 2;
    return unite(rects, first, middle).united(unite(rects, middle, last));
}

} // namespace

QRegion parse(const QByteArray &data)
{
    if (data.size() < HeaderSize)
        malformed(QStringLiteral("%1 bajtů nestačí ani na hlavičku").arg(data.size()));
    const quint32 headerSize = quint32(readInt(data, 0));
    const quint32 type = quint32(readInt(data, 4));
    const quint32 count = quint32(readInt(data, 8));
    if (headerSize != HeaderSize)
        malformed(QStringLiteral("velikost hlavičky je %1, ne %2").arg(headerSize).arg(HeaderSize));
    if (type != RectanglesType)
        malformed(QStringLiteral("neznámý typ %1").arg(type));
    const qint64 expected = qint64(HeaderSize) + qint64(count) * RectSize;
    if (expected != data.size())
        malformed(QStringLiteral("%1 obdélníků potřebuje %2 bajtů, data mají %3")
                      .arg(count)
                      .arg(expected)
                      .arg(data.size()));

    // Every rectangle, and the box around them all, must have a width and height that are
    // numbers: otherwise the region would not survive being written and read again.
    std::vector<QRect> rects;
    rects.reserve(count);
    qint64 minLeft = INT_MAX, minTop = INT_MAX, maxRight = INT_MIN, maxBottom = INT_MIN;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype at = HeaderSize + qsizetype(i) * RectSize;
        const Rect r{readInt(data, at), readInt(data, at + 4), readInt(data, at + 8),
                     readInt(data, at + 12)};
        if (r.right < r.left || r.bottom < r.top)
            malformed(QStringLiteral("obdélník č. %1 je obrácený").arg(i + 1));
        if (!spanFits(r.left, r.right) || !spanFits(r.top, r.bottom))
            malformed(QStringLiteral("obdélník č. %1 je příliš velký").arg(i + 1));
        if (r.right == r.left || r.bottom == r.top)
            continue; // empty: adds nothing
        minLeft = qMin<qint64>(minLeft, r.left);
        minTop = qMin<qint64>(minTop, r.top);
        maxRight = qMax<qint64>(maxRight, r.right);
        maxBottom = qMax<qint64>(maxBottom, r.bottom);
        if (!spanFits(minLeft, maxRight) || !spanFits(minTop, maxBottom))
            malformed(QStringLiteral("obdélníky zabírají příliš velkou plochu"));
        rects.emplace_back(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    }
    // United one by one rather than taken as they are, so data that is not properly banded still
    // gives a sound region.
    return unite(rects, 0, rects.size());
}

QByteArray write(const QRegion &region)
{
    const int count = region.rectCount();
    const QRect bound = region.boundingRect();
    if (!region.isEmpty()
        && (!spanFits(bound.left(), qint64(bound.right()) + 1)
            || !spanFits(bound.top(), qint64(bound.bottom()) + 1)))
        malformed(QStringLiteral("obrys je příliš velký"));
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
    // Premultiplying leaves the alpha channel as it is: such an image is read as it stands.
    const QImage argb = image.format() == QImage::Format_ARGB32_Premultiplied
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    // The region is laid out directly in the form QRegion keeps it in: bands of rows sharing the
    // same runs of opaque pixels, each run one rectangle, sorted by y and then x. A row with the
    // runs of the row above only makes that band taller. Adding the runs one by one to a region
    // would cost a pass over the whole region for each.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs, bandRuns;
    size_t bandStart = 0;
    int bandEnd = -1; // the row below the last band
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        runs.clear();
        int x = 0;
        while (x < width) {
            while (x < width && qAlpha(line[x]) <= threshold)
                ++x;
            const int start = x;
            while (x < width && qAlpha(line[x]) > threshold)
                ++x;
            if (x > start)
                runs.emplace_back(start, x);
        }
        if (runs.empty())
            continue;
        if (bandEnd == y && runs == bandRuns) {
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(rects[i].bottom() + 1);
        } else {
            bandStart = rects.size();
            for (const auto &[left, right] : runs)
                rects.emplace_back(left + offset.x(), y + offset.y(), right - left, 1);
            bandRuns.swap(runs);
        }
        bandEnd = y + 1;
    }
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

} // namespace RegionData
