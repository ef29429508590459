#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace encode {

struct RGBTriple {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RGBTriple&) const = default;
};

// A GIF colour table: up to 256 RGB entries.
class TGIFColorMap {
  public:
    static constexpr int kMaxColors = 256;

    // Appends a colour; a full table raises "Color table overflow".
    void Add(RGBTriple colour);
    void Clear();

    int Count() const { return static_cast<int>(colours_.size()); }
    const std::vector<RGBTriple>& Colours() const { return colours_; }
    bool Sorted() const { return sorted_; }

    // 0 for an empty table, otherwise the smallest b ≥ 1 with 2^b ≥ Count().
    int BitsPerPixel() const;
    // BitsPerPixel() - 1 (so -1 for an empty table).
    int Resolution() const { return BitsPerPixel() - 1; }

    // The entries as red, green, blue bytes, padded with black up to 2^BitsPerPixel() entries.
    void WriteTo(QByteArray& out) const;

  private:
    std::vector<RGBTriple> colours_;
    bool sorted_ = false;
};

class TGIFGlobalColorMap : public TGIFColorMap {};
class TGIFLocalColorMap : public TGIFColorMap {};

}  // namespace encode
