#include "encode/ColorMap.h"

#include "encode/GIFException.h"

namespace encode {

void TGIFColorMap::Add(RGBTriple colour) {
    if (Count() >= kMaxColors) {
        throw GIFException(kColorTableOverflow);
    }
    colours_.push_back(colour);
}

void TGIFColorMap::Clear() {
    colours_.clear();
    sorted_ = false;
}

int TGIFColorMap::BitsPerPixel() const {
    const int n = Count();
    if (n == 0) {
        return 0;
    }
    int bits = 1;
    while ((1 << bits) < n) {
        ++bits;
    }
    return bits;
}

void TGIFColorMap::WriteTo(QByteArray& out) const {
    if (colours_.empty()) {
        return;
    }
    // The table in one piece: red, green and blue of each colour, then black up to the padded size.
    const int padded = 1 << BitsPerPixel();
    const qsizetype at = out.size();
    out.resize(at + static_cast<qsizetype>(padded) * 3, '\0');
    char* p = out.data() + at;
    for (const RGBTriple& c : colours_) {
        *p++ = static_cast<char>(c.red);
        *p++ = static_cast<char>(c.green);
        *p++ = static_cast<char>(c.blue);
    }
}

}  // namespace encode
