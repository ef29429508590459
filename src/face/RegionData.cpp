#include "face/RegionData.h"

#include <QtEndian>

#include "platform/TextCodec.h"

namespace face {
namespace {

void Append32(QByteArray& out, std::int32_t v) {
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

std::int32_t Read32(const QByteArray& block, qsizetype at) {
    return qFromLittleEndian<std::int32_t>(block.constData() + at);
}

}  // namespace

QByteArray EncodeRegionData(const QRegion& region) {
    QByteArray out;
    const QRect bound = region.boundingRect();
    Append32(out, kRegionHeaderSize);
    Append32(out, 1);
    Append32(out, static_cast<std::int32_t>(region.rectCount()));
    Append32(out, static_cast<std::int32_t>(region.rectCount() * 16));
    Append32(out, bound.left());
    Append32(out, bound.top());
    Append32(out, bound.left() + bound.width());
    Append32(out, bound.top() + bound.height());
    for (const QRect& r : region) {
        Append32(out, r.left());
        Append32(out, r.top());
        Append32(out, r.left() + r.width());
        Append32(out, r.top() + r.height());
    }
    return out;
}

std::optional<QRegion> DecodeRegionData(const QByteArray& block) {
    if (block.size() < kRegionHeaderSize || Read32(block, 0) != kRegionHeaderSize || Read32(block, 4) != 1) {
        return std::nullopt;
    }
    const std::int32_t count = Read32(block, 8);
    if (count < 0 || count > (block.size() - kRegionHeaderSize) / 16) {
        return std::nullopt;
    }
    QRegion region;
    for (std::int32_t i = 0; i < count; ++i) {
        const qsizetype at = kRegionHeaderSize + static_cast<qsizetype>(i) * 16;
        const std::int64_t left = Read32(block, at);
        const std::int64_t top = Read32(block, at + 4);
        const std::int64_t right = Read32(block, at + 8);
        const std::int64_t bottom = Read32(block, at + 12);
        // Window coordinates: a rectangle outside them is not a region of any window.
        for (const std::int64_t v : {left, top, right, bottom}) {
            if (v < -kMaxCoordinate || v > kMaxCoordinate) {
                return std::nullopt;
            }
        }
        // Empty rectangles add nothing.
        if (left < right && top < bottom) {
            region += QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                            static_cast<int>(bottom - top));
        }
    }
    return region;
}

QByteArray DecodeRegionText(const QString& text) {
    // Each character stands for its 8-bit code: Latin-1 characters for themselves, the others for
    // their Windows-1252 byte.
    QByteArray chars;
    chars.reserve(text.size());
    for (const QChar c : text) {
        chars.append(c.unicode() < 256 ? static_cast<char>(c.unicode())
                                       : platform::ToWindows1252(QString(c)).at(0));
    }
    QByteArray bytes;
    const qsizetype n = chars.size() / 2;
    bytes.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const auto first = static_cast<unsigned char>(chars[2 * i]);
        const auto second = static_cast<unsigned char>(chars[2 * i + 1]);
        bytes.append(static_cast<char>(first == '!' ? (second + 128) & 0xFF : first));
    }
    return bytes;
}

QString EncodeRegionText(const QByteArray& bytes) {
    QByteArray chars;
    for (char c : bytes) {
        chars.append('!');
        chars.append(static_cast<char>((static_cast<unsigned char>(c) + 128) & 0xFF));
    }
    return platform::FromWindows1252(chars);
}

}  // namespace face
