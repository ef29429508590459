#include "compose/FaceSettings.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <limits>

#include "face/FaceEngine.h"
#include "platform/IntegerText.h"
#include "settings/ColourString.h"

namespace compose {
namespace {

// The width of a smart-sized button: the caption's advance in the face font and the spacing, never
// below 0. The sum is taken in 64 bits and held at the integer limit, so a spacing near it gives a
// width far too large, never one that wrapped round.
int SmartWidth(const QFontMetrics& metrics, const QString& caption, const QString& spacing) {
    const qint64 width = qint64{metrics.horizontalAdvance(caption)} + platform::IntegerFieldValue(spacing);
    return static_cast<int>(std::clamp<qint64>(width, 0, std::numeric_limits<int>::max()));
}

// A width or height field as the button takes it: an empty text counts as 0, below 0 is 0.
int SizeField(const QString& text) {
    return platform::IsEmptyIntegerText(text) ? 0 : std::max(0, platform::ParseInteger(text));
}

}  // namespace

face::TLumo3DKind BorderStyleKind(const QString& text) {
    if (text == QLatin1String("Simple 3D"))
        return face::dk3dsimple;
    if (text == QLatin1String("3D Border"))
        return face::dk3dBorder;
    if (text == QLatin1String("Flatten"))
        return face::dkFlatten;
    if (text == QLatin1String("Flatten Simple"))
        return face::dkFlattenSimple;
    if (text == QLatin1String("3D Border Flatten"))
        return face::dk3dBorderFlatten;
    return face::dkNone;
}

face::TLumoCaption3dKind CaptionKind(settings::CaptionEffect effect) {
    switch (effect) {
        case settings::CaptionEffect::Embossed:
            return face::ckEmbossed;
        case settings::CaptionEffect::Pressed:
            return face::ckPressed;
        case settings::CaptionEffect::Standard:
        default:
            return face::ckSimple;
    }
}

face::TLumoVAlign VerticalAlign(int mode) {
    switch (mode) {
        case 0:
            return face::vaBottom;
        case 2:
            return face::vaNone;
        case 3:
            return face::vaTop;
        default:
            return face::vaCenter;
    }
}

face::TLumoHAlign HorizontalAlign(int mode) {
    switch (mode) {
        case 1:
            return face::haLeft;
        case 2:
            return face::haNone;
        case 3:
            return face::haRight;
        default:
            return face::haCenter;
    }
}

face::TLumoButtonKind ShapeKind(int shape) {
    switch (shape) {
        case 1:
            return face::bkRoundRect;
        case 2:
            return face::bkElliptic;
        case 3:
            return face::bkCutRect;
        case 4:
            return face::bkArrow;
        default:
            return face::bkRect;
    }
}

face::TLumoGradientKind GradientKind(int kind) {
    switch (kind) {
        case 1:
            return face::gkLinear;
        case 2:
            return face::gkCircular;
        default:
            return face::gkNone;
    }
}

QFont CaptionFont(const settings::ButtonStyle& style, QFont font) {
    font.setFamily(style.fontName);
    if (const std::optional<int> points = settings::FontSizePoints(style.fontSizeText)) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(*points * 96.0 / 72.0))));
    }
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

int FaceCornerRadius(const settings::ButtonStyle& s, QSize size) {
    if (const std::optional<int> radius = settings::CornerRadiusPixels(s.cornerRadius)) {
        return *radius;
    }
    if (ShapeKind(s.shape) != face::bkRoundRect) {
        return -1;
    }
    // Without a radius a rounded rectangle is visibly round, with no border too.
    return std::max(2 * std::max(0, s.borderDepth), std::min(size.width(), size.height()) / 4);
}

namespace {

// The width a button of the type's shape and `height` needs so that a centred caption box `inner`
// wide and `captionHeight` high lies inside the shape's outline. The rectangle needs `inner`; so do
// the other shapes for an empty box.
int ShapeWidthFor(const settings::ButtonStyle& s, int inner, int captionHeight, int height) {
    const face::TLumoButtonKind kind = ShapeKind(s.shape);
    if (kind == face::bkRect || inner <= 0 || height <= 0) {
        return inner;
    }
    const long double h = height;
    const long double ch = std::min<long double>(captionHeight, h);
    // A box as high as the button cannot lie inside a shape narrowed at its top and bottom: it is
    // taken as nine tenths of the height, which keeps the button a few times as wide at most.
    const long double q = std::min<long double>(ch / h, 0.9L);
    // Two pixels a side for the outline's corners on whole pixels and the ellipse's straight pieces.
    constexpr long double kMargin = 4;
    long double width = inner;
    switch (kind) {
        case face::bkElliptic:
            // The ellipse's half-width at the box's top and bottom edge.
            width = inner / std::sqrt(1 - q * q);
            break;
        case face::bkCutRect: {
            // The corners are cut a sixth of each side deep: at the box's edge, which lies
            // (height - box) / 2 from the top, the cut reaches in (1 - 3 (1 - q)) / 6 of the width.
            const long double k = std::max<long double>(0, 1 - 3 * (1 - q));
            width = inner / (1 - k / 3);
            break;
        }
        case face::bkArrow:
            // The head narrows from the full height to its tip: the box ends where the head is still as
            // high as the box. (The shaft is a third of the height: a caption higher than that crosses
            // its edges however wide the button is.)
            width = inner / (1 - q);
            break;
        case face::bkRoundRect: {
            // The corner arcs reach in where the box's edge is nearer the top than the radius; the
            // radius may itself follow the width.
            const long double edge = (h - ch) / 2;
            int w = inner;
            for (int i = 0; i < 8; ++i) {
                const long double r =
                    std::min(FaceCornerRadius(s, QSize(w, height)), std::min(w, height) / 2);
                const long double inset = edge >= r ? 0 : r - std::sqrt(r * r - (r - edge) * (r - edge));
                const int next = inner + static_cast<int>(std::ceil(2 * inset));
                if (next == w) {
                    break;
                }
                w = next;
            }
            width = w;
            break;
        }
        default:
            return inner;
    }
    if (width <= inner) {
        return inner;
    }
    return static_cast<int>(
        std::min<long double>(std::ceil(width + kMargin), std::numeric_limits<int>::max()));
}

}  // namespace

bool CaptionInsideShape(const settings::ButtonStyle& s, const QString& caption, const QFont& font,
                        bool smooth, QSize size) {
    if (ShapeKind(s.shape) == face::bkRect || caption.isEmpty()) {
        return true;
    }
    const QFontMetrics metrics(face::FaceFontOf(font, smooth));
    return ShapeWidthFor(s, metrics.horizontalAdvance(caption), metrics.height(), size.height()) <=
           size.width();
}

QSize FaceSize(const settings::ButtonStyle& s, const QString& caption, const QFont& font, bool smooth,
               QSize bitmap, QSize current) {
    switch (s.backgroundMode) {
        case settings::kBitmapSized:
            return bitmap;
        case settings::kColourFixedSize:
        case settings::kBitmapFixedSize:
            return {SizeField(s.width), SizeField(s.height)};
        case settings::kBitmapSmartSized:
        case settings::kColourSmartSized: {
            // As wide as the caption and the spacing, and for a shape other than the rectangle as
            // much wider as the caption needs to lie inside it.
            const QFontMetrics metrics(face::FaceFontOf(font, smooth));
            const int height = SizeField(s.height);
            return {ShapeWidthFor(s, SmartWidth(metrics, caption, s.spacing), metrics.height(), height),
                    height};
        }
        default:
            // No mode chosen: the button keeps the size it has.
            return current;
    }
}

bool ApplyStyle(face::FaceProperties& p, settings::ButtonStyle& s, bool smooth, const QString& caption,
                const QImage* bitmap, QSize& lastBitmapSize) {
    const int mode = s.backgroundMode;
    p.font = CaptionFont(s, p.font);
    p.caption3dKind = CaptionKind(s.captionEffect);
    p.captionTop = platform::IntegerFieldValue(s.verticalOffset);
    p.captionLeft = platform::IntegerFieldValue(s.horizontalOffset);
    p.captionHAlign = HorizontalAlign(s.horizontalMode);
    p.captionVAlign = VerticalAlign(s.verticalMode);

    // An empty size field (or a lone "-") makes the size 0, and the field then shows "0".
    bool rewritten = false;
    const auto zeroIfEmpty = [&](QString& text) {
        if (platform::IsEmptyIntegerText(text)) {
            text = QStringLiteral("0");
            rewritten = true;
        }
    };
    if (mode == settings::kColourFixedSize || mode == settings::kBitmapFixedSize) {
        zeroIfEmpty(s.width);
    }
    if (mode >= settings::kColourFixedSize && mode <= settings::kColourSmartSized) {
        zeroIfEmpty(s.height);
    }
    if (settings::UsesBitmapFile(mode) && bitmap != nullptr) {
        p.mainBitmap = face::OwnBitmapCopy(*bitmap);
        if (mode == settings::kBitmapSized) {
            lastBitmapSize = bitmap->size();
        }
    } else if (settings::IsColourBackgroundMode(mode)) {
        p.mainBitmap = QImage();
    }
    if (mode >= 0 && mode < settings::kBackgroundModeCount) {
        // The button colour gives the border tones and the embossed and pressed caption tones, so it
        // is set in every mode: the faces then follow from the settings alone.
        p.buttonColor = settings::ColourFromStringStrict(s.backgroundColour);
    }
    // A face larger than any file may hold is drawn at the largest size there is: a batch refuses
    // it before it writes a file, and the preview never asks for a picture of gigabytes.
    const QSize size =
        FaceSize(s, caption, p.font, smooth, lastBitmapSize, QSize(p.buttonWidth, p.buttonHeight))
            .boundedTo(QSize(settings::kMaxButtonSide, settings::kMaxButtonSide));
    p.buttonWidth = size.width();
    p.buttonHeight = size.height();
    p.button3DKind = BorderStyleKind(settings::ChoiceText(settings::BorderStyleTexts(), s.borderStyle));
    // No choice in the depth list is no border.
    p.buttonDepth = std::max(0, s.borderDepth);
    p.fontColor = settings::ColourFromStringStrict(s.captionColour);
    p.smoothCaption = smooth;
    p.caption = caption;
    // Shape and fill. A gradient replaces the solid colour in the colour background modes; over a
    // bitmap there is none. The angle is whole degrees in the settings, tenths for the face.
    p.buttonKind = ShapeKind(s.shape);
    p.cornerRadius = FaceCornerRadius(s, size);
    p.gradientKind = settings::IsColourBackgroundMode(mode) ? GradientKind(s.gradientKind) : face::gkNone;
    p.buttonColor1 = settings::ColourFromStringStrict(s.gradientColour);
    p.gradientAngle = settings::GradientAngleDegrees(s.gradientAngle) * 10;
    return rewritten;
}

}  // namespace compose
