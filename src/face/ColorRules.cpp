#include "face/ColorRules.h"

namespace face {
namespace {

int Channel(TColor c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

TColor Make(int r, int g, int b) {
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

template <typename F>
TColor PerChannel(TColor c, F f) {
    const TColor rgb = ColorToRGB(c);
    return Make(f(Channel(rgb, 0)), f(Channel(rgb, 8)), f(Channel(rgb, 16)));
}

}  // namespace

TColor LighterColor(TColor c) {
    return PerChannel(c, [](int v) { return v < 224 ? v + 32 : 255; });
}

TColor DarkerColor(TColor c) {
    return PerChannel(c, [](int v) { return v >= 32 ? v - 32 : 0; });
}

int ColorBrightness(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return Channel(rgb, 0) + Channel(rgb, 8) + Channel(rgb, 16);
}

TColor BlendColor(TColor c1, TColor c2, int steps, int k) {
    const TColor a = ColorToRGB(c1);
    if (steps == 0) {
        return a;
    }
    const TColor b = ColorToRGB(c2);
    const auto blend = [&](int shift) {
        return Channel(a, shift) + k * (Channel(b, shift) - Channel(a, shift)) / steps;
    };
    return Make(blend(0) & 0xFF, blend(8) & 0xFF, blend(16) & 0xFF);
}

QColor ToQColor(TColor c) {
    const TColor rgb = c == clNone ? clBlack : ColorToRGB(c);
    return {Channel(rgb, 0), Channel(rgb, 8), Channel(rgb, 16)};
}

TColor FromQColor(QColor c) {
    return Make(c.red(), c.green(), c.blue());
}

}  // namespace face
