#include <QByteArray>
#include <QPolygon>
#include <QRegion>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "face/OutlineMaths.h"
#include "face/RegionData.h"

// Region-data blocks from any bytes, traced into outlines and inset as the bevels are: nothing
// crashes, the outline's bookkeeping holds, every outline point is a corner of the region's boundary,
// and the contours filled even-odd give back the region but for the pixel steps that the outline
// smooths into diagonals.
namespace {

// Whether the pixel's membership differs from that of a pixel next to it (diagonals included).
bool OnBoundary(const QRegion& region, QPoint p) {
    const bool inside = region.contains(p);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (region.contains(p + QPoint(dx, dy)) != inside) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int distance = static_cast<std::int8_t>(data[0]);
    const QByteArray block(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const std::optional<QRegion> region = face::DecodeRegionData(block);
    if (!region || region->rectCount() > 4096) {
        return 0;
    }
    // A decoded region encodes to a block that decodes to it again.
    const std::optional<QRegion> again = face::DecodeRegionData(face::EncodeRegionData(*region));
    FUZZ_EXPECT(again && *again == *region);

    face::Outline outline = face::RegionToOutline(*region);
    FUZZ_EXPECT(outline.counts.size() == outline.depths.size());
    std::size_t total = 0;
    for (const int count : outline.counts) {
        FUZZ_EXPECT(count >= 4);
        total += static_cast<std::size_t>(count);
    }
    FUZZ_EXPECT(total == outline.points.size());
    FUZZ_EXPECT(outline.Empty() == region->isEmpty());

    for (const QPoint& p : outline.points) {
        const int around = region->contains(p + QPoint(-1, -1)) + region->contains(p + QPoint(0, -1)) +
                           region->contains(p + QPoint(-1, 0)) + region->contains(p);
        FUZZ_EXPECT(around > 0 && around < 4);
    }

    QRegion filled;
    std::size_t at = 0;
    for (const int count : outline.counts) {
        const QPolygon contour(
            QList<QPoint>(outline.points.begin() + static_cast<std::ptrdiff_t>(at),
                          outline.points.begin() + static_cast<std::ptrdiff_t>(at) + count));
        filled ^= QRegion(contour, Qt::OddEvenFill);
        at += static_cast<std::size_t>(count);
    }
    long long checked = 0;
    for (const QRect& r : filled ^ *region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                FUZZ_EXPECT(++checked <= 100000 && OnBoundary(*region, QPoint(x, y)));
            }
        }
    }

    face::InsetOutline(outline.points, outline.counts, outline.depths, true, true, distance);
    FUZZ_EXPECT(outline.points.size() == total);
    return 0;
}
