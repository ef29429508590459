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

QSize FaceSize(const settings::ButtonStyle& s, const QString& caption, const QFont& font, bool smooth,
               QSize bitmap, QSize current) {
    switch (s.backgroundMode) {
        case settings::kBitmapSized:
            return bitmap;
        case settings::kColourFixedSize:
        case settings::kBitmapFixedSize:
            return {SizeField(s.width), SizeField(s.height)};
        case settings::kBitmapSmartSized:
        case settings::kColourSmartSized:
            return {SmartWidth(QFontMetrics(face::FaceFontOf(font, smooth)), caption, s.spacing),
                    SizeField(s.height)};
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
    const std::optional<int> radius = settings::CornerRadiusPixels(s.cornerRadius);
    p.cornerRadius = radius ? *radius : -1;
    p.gradientKind = settings::IsColourBackgroundMode(mode) ? GradientKind(s.gradientKind) : face::gkNone;
    p.buttonColor1 = settings::ColourFromStringStrict(s.gradientColour);
    p.gradientAngle = settings::GradientAngleDegrees(s.gradientAngle) * 10;
    return rewritten;
}

}  // namespace compose
