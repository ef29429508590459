#include "face/AccessMeasure.h"

#include <QColor>
#include <algorithm>
#include <cmath>

#include "face/ColorRules.h"
#include "face/FaceEngine.h"

namespace face {
namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The colours of a caption's passes in drawing order, with each pass's place relative to the caption
// colour's pass (in units of the effect's offset): the embossed effect draws the lighter tone up and
// left, then the darker tone down and right, then the caption; the pressed effect the other way round.
struct Pass {
    QRgb colour;
    int dx;
    int dy;
};

}  // namespace

double RelativeLuminance(QRgb colour) {
    return 0.2126 * Linear(qRed(colour)) + 0.7152 * Linear(qGreen(colour)) + 0.0722 * Linear(qBlue(colour));
}

double ContrastRatio(QRgb a, QRgb b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double FifthPercentile(std::vector<double> ratios) {
    if (ratios.empty()) {
        return 0;
    }
    const std::size_t n = ratios.size();
    const std::size_t rank = std::max<std::size_t>(1, (n * 5 + 99) / 100);
    const auto at = ratios.begin() + static_cast<std::ptrdiff_t>(rank - 1);
    std::nth_element(ratios.begin(), at, ratios.end());
    return *at;
}

bool IsLargeText(const QFont& font) {
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    return pixels >= 24.0 || (font.bold() && pixels >= 18.66);
}

CaptionContrast MeasureCaptionContrast(const FaceProperties& p, const FaceState& state) {
    CaptionContrast result;
    result.needs = IsLargeText(p.font) ? kLargeTextContrast : kNormalTextContrast;
    result.hasText = !p.caption.trimmed().isEmpty();
    if (!result.hasText) {
        return result;
    }
    FaceProperties bare = p;
    bare.caption.clear();
    const QImage with = RenderFace(p, state);
    const QImage without = RenderFace(bare, state);

    const bool effect = p.caption3dKind == ckEmbossed || p.caption3dKind == ckPressed;
    const TColor captionColour = state.enabled ? p.fontColor : p.buttonColor;
    const QRgb lighter = ToQColor(LighterColor(p.buttonColor)).rgb() | 0xFF000000u;
    const QRgb darker = ToQColor(DarkerColor(p.buttonColor)).rgb() | 0xFF000000u;
    // The effect's two passes, the last drawn first: a pixel both cover shows the later one.
    std::vector<Pass> tones;
    if (p.caption3dKind == ckEmbossed) {
        tones = {{darker, 1, 1}, {lighter, -1, -1}};
    } else if (p.caption3dKind == ckPressed) {
        tones = {{lighter, 1, 1}, {darker, -1, -1}};
    }
    // The pixels the caption colour's own pass changes: the face drawn with that pass alone.
    QImage main;
    if (p.smoothCaption && effect) {
        FaceProperties simple = p;
        simple.caption3dKind = ckSimple;
        main = RenderFace(simple, state);
    }
    const auto inMain = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < main.width() && y < main.height() &&
               main.pixel(x, y) != without.pixel(x, y);
    };

    // The pair compared for each caption pixel is (the colour the caption drawing gives it, the face
    // pixel beneath, from the face without caption). A hard-edged caption gives every pixel it
    // touches exactly the colour of the pass that drew it last, so that pixel is the caption colour.
    // A smooth edge blends its pass's colour with what lies beneath; there the caption colour is the
    // colour of the pass that drew the pixel last, never the blended shade (which would count a soft
    // edge as faint text): the caption colour where the caption colour's own pass changes the pixel,
    // otherwise the tone of the effect's pass whose place (the caption's pixels moved by the pass's
    // offset) covers it — the later pass first.
    const int offset = p.captionEffectOffset;
    const QRgb own = captionColour != clNone ? ToQColor(captionColour).rgb() | 0xFF000000u : 0;
    std::vector<double> ratios;
    for (int y = 0; y < with.height(); ++y) {
        const auto* drawn = reinterpret_cast<const QRgb*>(with.constScanLine(y));
        const auto* beneath = reinterpret_cast<const QRgb*>(without.constScanLine(y));
        for (int x = 0; x < with.width(); ++x) {
            const QRgb d = drawn[x] | 0xFF000000u;
            const QRgb b = beneath[x] | 0xFF000000u;
            if (d == b) {
                continue;
            }
            QRgb caption = d;
            if (p.smoothCaption) {
                if (!effect) {
                    caption = captionColour != clNone ? own : d;
                } else if (captionColour != clNone && inMain(x, y)) {
                    caption = own;
                } else {
                    for (const Pass& pass : tones) {
                        if (inMain(x - pass.dx * offset, y - pass.dy * offset)) {
                            caption = pass.colour;
                            break;
                        }
                    }
                }
            }
            ratios.push_back(ContrastRatio(caption, b));
        }
    }
    result.pixels = static_cast<int>(ratios.size());
    result.contrast = ratios.empty() ? 1.0 : FifthPercentile(std::move(ratios));
    return result;
}

}  // namespace face
