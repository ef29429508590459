#include "gif/ColorMap.h"

#include "gif/GIFException.h"

namespace gif {

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
    for (const RGBTriple& c : colours_) {
        out.append(static_cast<char>(c.red));
        out.append(static_cast<char>(c.green));
        out.append(static_cast<char>(c.blue));
    }
    const int padded = 1 << BitsPerPixel();
    out.append(static_cast<qsizetype>(padded - Count()) * 3, '\0');
}

}  // namespace gif
