#pragma once

#include <QFont>
#include <QRgb>
#include <QSize>
#include <vector>

#include "face/FaceProperties.h"

// How readable and how large a face is for web pages: the contrast of its caption against the face
// beneath it (relative luminance of sRGB colours), whether its text counts as large, and its size.
// Everything here reads only its arguments, so faces may be measured on several threads at once.
namespace face {

// The contrast a caption needs: 4.5:1, or 3:1 for large text. A button's width and height must each
// be at least kMinTargetSide pixels.
inline constexpr double kNormalTextContrast = 4.5;
inline constexpr double kLargeTextContrast = 3.0;
inline constexpr int kMinTargetSide = 24;

// The relative luminance of an opaque colour, 0 (black) to 1 (white): each channel c of 0..1 turned
// linear by the sRGB transfer (c ≤ 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055)^2.4), then weighted
// 0.2126 R + 0.7152 G + 0.0722 B.
double RelativeLuminance(QRgb colour);

// The contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) with L1 the lighter: 1 to 21.
double ContrastRatio(QRgb a, QRgb b);

// The 5th percentile of the ratios by nearest rank: sorted from the lowest, the value at rank
// ceil(n × 5 / 100), counting from 1, and never below rank 1 — so of 20 values or fewer the lowest,
// of 21 to 40 the second lowest, of 100 the fifth lowest. 0 for no values.
double FifthPercentile(std::vector<double> ratios);

// Whether a caption in `font` is large text: a pixel size (the size the face draws it at, points ×
// 96 / 72) of at least 24, or at least 18.66 when bold.
bool IsLargeText(const QFont& font);

struct CaptionContrast {
    // Whether the face has a caption to read (a caption of blanks only, or none, has not).
    bool hasText = false;
    // The 5th percentile of the ratios of the caption's pixels; 1 when the caption changed no pixel
    // (drawn in the very colour of its face, or off the face).
    double contrast = 0;
    // What the caption needs: kNormalTextContrast or kLargeTextContrast.
    double needs = kNormalTextContrast;
    // The number of caption pixels measured.
    int pixels = 0;
};

// The contrast of the caption of the face `p` in `state`. The face is painted with its caption and
// without it (the same properties, an empty caption); the caption's pixels are those that differ, the
// embossed and pressed effects' lighter and darker tones included. Each pixel's ratio compares the
// colour the caption drawing gives it (for a smooth caption the colour of the pass that drew it, not
// the blended shade) with the pixel of the face without caption at the same place.
CaptionContrast MeasureCaptionContrast(const FaceProperties& p, const FaceState& state);

// Whether a figure meets what the caption needs, and whether a button of `size` is large enough.
inline bool ContrastMet(const CaptionContrast& c) {
    return !c.hasText || c.contrast >= c.needs;
}
inline bool TargetSizeMet(QSize size) {
    return size.width() >= kMinTargetSide && size.height() >= kMinTargetSide;
}

}  // namespace face
