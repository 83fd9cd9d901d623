#pragma once

#include <QByteArray>
#include <QImage>
#include <QRegion>

// Window outlines in the stored region-data layout: a 32-byte header (header size 32, type 1 for
// rectangles, rectangle count, size of the rectangle buffer, bounding rectangle) followed by the
// rectangles, each as left, top, right, bottom (right and bottom exclusive); all fields are
// little-endian 32-bit integers. Rectangles are banded top to bottom, then left to right.
namespace RegionData {

constexpr int HeaderSize = 32;
constexpr int RectSize = 16;

// Parses region data; throws AppError with the reason when the data is malformed. Besides each
// rectangle, the box around all of them must be at most the largest integer wide and high, so
// that whatever is accepted is written back as data that is accepted again.
QRegion parse(const QByteArray &data);

// The region data of a region. Throws AppError for a region wider or higher than the largest
// integer, whose data would be refused when read.
QByteArray write(const QRegion &region);

// The pixels of an image whose alpha exceeds threshold, moved by offset.
QRegion fromAlpha(const QImage &image, int threshold, QPoint offset = QPoint());

} // namespace RegionData
