#pragma once

#include <QByteArray>
#include <QRegion>
#include <QString>
#include <optional>

// Region-data blocks: a 32-byte header (size 32, type 1, rectangle count, buffer size, bounding
// rectangle) followed by the rectangles, each as four little-endian 32-bit integers (left, top, right,
// bottom; right and bottom exclusive).
namespace face {

inline constexpr int kRegionHeaderSize = 32;
// The largest coordinate a region of a window may have.
inline constexpr int kMaxCoordinate = 32767;

QByteArray EncodeRegionData(const QRegion& region);

// The region a block describes, or nothing when the block is not a valid region-data block.
std::optional<QRegion> DecodeRegionData(const QByteArray& block);

// The bytes of a region-data block written as text, two characters a byte: "!" followed by the
// character of code b + 128, or the byte's own character followed by any character.
QByteArray DecodeRegionText(const QString& text);
QString EncodeRegionText(const QByteArray& bytes);

}  // namespace face
