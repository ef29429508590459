#include "compose/ButtonComposer.h"

#include <QFontMetrics>
#include <algorithm>
#include <limits>
#include <map>
#include <mutex>

#include "compose/ScaledFace.h"
#include "compose/StyleMapping.h"
#include "face/ColorRules.h"
#include "face/FaceEngine.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"
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

TButtonComposer::TButtonComposer(settings::AppSettings& settings)
    : settings_(settings), faces_{InitialFace(), InitialFace()} {}

TButtonComposer::~TButtonComposer() = default;

face::FaceProperties TButtonComposer::InitialFace() {
    face::FaceProperties p;
    p.buttonAngle = 0;
    p.buttonWidth = 89;
    p.buttonHeight = 17;
    p.captionAngle = 0;
    p.buttonColor = face::clBlack;
    p.button3DKind = face::dkNone;
    p.buttonDepth = 0;
    p.transparent = false;
    p.bitmapTop = 0;
    p.bitmapLeft = 0;
    p.bitmapHAlign = face::haNone;
    p.bitmapVAlign = face::vaNone;
    p.userRgnAuto = true;
    p.captionFixed = false;
    p.buttonColor1 = face::clBlack;
    p.caption3dKind = face::ckSimple;
    p.font = QFont(QStringLiteral("Times New Roman"));
    p.font.setPixelSize(11);
    p.fontColor = face::clBlack;
    return p;
}

face::FaceState TButtonComposer::FaceStateShown() {
    // Faces are saved as the preview shows them: enabled, not pressed, the mouse inside.
    face::FaceState state;
    state.mouseInside = true;
    return state;
}

const face::FaceProperties& TButtonComposer::Face(int type) const {
    return faces_[type == settings::kType1 ? 0 : 1];
}

void TButtonComposer::ApplyButtonSettings(const QString& caption1, const QString& caption2) {
    ApplyTypeSettings(settings::kType1, caption1);
    ApplyTypeSettings(settings::kType2, caption2);
}

void TButtonComposer::ApplyTypeSettings(int type, const QString& caption) {
    face::FaceProperties& p = faces_[type == settings::kType1 ? 0 : 1];
    settings::ButtonStyle& s = settings_.button[static_cast<std::size_t>(type)];

    // What the face keeps from the type's earlier faces is in `p`: the font a size text that is not a
    // size leaves as it was, the bitmap a missing file leaves, and (in `tempImage_`) the size of a
    // bitmap-sized button without a readable file.
    const QFont font = CaptionFont(s, p.font);
    p.font = font;
    p.caption3dKind = CaptionKind(s.captionEffect);
    p.captionTop = platform::IntegerFieldValue(s.verticalOffset);
    p.captionLeft = platform::IntegerFieldValue(s.horizontalOffset);
    p.captionHAlign = HorizontalAlign(s.horizontalMode);
    p.captionVAlign = VerticalAlign(s.verticalMode);

    // An empty size field (or a lone "-") makes the size 0, and the field then shows "0".
    bool rewritten = false;
    const auto sizeRule = [&](QString& text, int& side) {
        if (!platform::IsEmptyIntegerText(text)) {
            side = std::max(0, platform::ParseInteger(text));
        } else {
            side = 0;
            text = QStringLiteral("0");
            rewritten = true;
        }
    };
    const auto widthRule = [&] { sizeRule(s.width, p.buttonWidth); };
    const auto heightRule = [&] { sizeRule(s.height, p.buttonHeight); };
    const auto smartWidth = [&] {
        const QFontMetrics metrics(face::FaceFontOf(font, settings_.smoothCaptions));
        p.buttonWidth = SmartWidth(metrics, caption, s.spacing);
    };
    // The button colour gives the border tones and the embossed and pressed caption tones, so it is
    // set in every mode: the faces then follow from the settings alone.
    const auto background = [&] { p.buttonColor = settings::ColourFromStringStrict(s.backgroundColour); };
    const bool fileExists = !s.bitmapFile.isEmpty() && platform::FileExists(s.bitmapFile);

    switch (s.backgroundMode) {
        case 0:
            if (fileExists) {
                tempImage_ = LoadBitmapFile(s.bitmapFile);
                p.mainBitmap = face::OwnBitmapCopy(tempImage_);
            }
            p.buttonWidth = tempImage_.width();
            p.buttonHeight = tempImage_.height();
            background();
            break;
        case 1:
            widthRule();
            heightRule();
            background();
            p.mainBitmap = QImage();
            break;
        case 2:
            if (fileExists) {
                p.mainBitmap = face::OwnBitmapCopy(LoadBitmapFile(s.bitmapFile));
            }
            widthRule();
            heightRule();
            background();
            break;
        case 3:
            if (fileExists) {
                p.mainBitmap = face::OwnBitmapCopy(LoadBitmapFile(s.bitmapFile));
            }
            smartWidth();
            heightRule();
            background();
            break;
        case 4:
            smartWidth();
            heightRule();
            background();
            p.mainBitmap = QImage();
            break;
        default:
            break;
    }
    // A face larger than any file may hold is drawn at the largest size there is: a batch refuses
    // it before it writes a file, and the preview never asks for a picture of gigabytes.
    p.buttonWidth = std::min(p.buttonWidth, settings::kMaxButtonSide);
    p.buttonHeight = std::min(p.buttonHeight, settings::kMaxButtonSide);
    p.button3DKind = BorderStyleKind(settings::ChoiceText(settings::BorderStyleTexts(), s.borderStyle));
    // No choice in the depth list is no border.
    p.buttonDepth = std::max(0, s.borderDepth);
    p.fontColor = settings::ColourFromStringStrict(s.captionColour);
    p.smoothCaption = settings_.smoothCaptions;
    p.caption = caption;
    // Shape and fill. A gradient replaces the solid colour in the colour background modes; over a
    // bitmap there is none. The angle is whole degrees in the settings, tenths for the face.
    p.buttonKind = ShapeKind(s.shape);
    const std::optional<int> radius = settings::CornerRadiusPixels(s.cornerRadius);
    p.cornerRadius = radius ? *radius : -1;
    p.gradientKind =
        settings::IsColourBackgroundMode(s.backgroundMode) ? GradientKind(s.gradientKind) : face::gkNone;
    p.buttonColor1 = settings::ColourFromStringStrict(s.gradientColour);
    p.gradientAngle = settings::GradientAngleDegrees(s.gradientAngle) * 10;
    if (rewritten && OnSettingsChanged) {
        OnSettingsChanged(type);
    }
}

QList<QSize> TButtonComposer::FaceSizes(int type, const QStringList& captions) {
    const face::FaceProperties& b = Face(type == 1 ? settings::kType1 : settings::kType2);
    const settings::ButtonStyle& s = settings_.button[type == 1 ? settings::kType1 : settings::kType2];
    QList<QSize> sizes;
    sizes.reserve(captions.size());
    switch (s.backgroundMode) {
        case 0: {
            const QSize bitmap = LoadBitmapFile(s.bitmapFile).size();
            sizes.fill(bitmap, captions.size());
            break;
        }
        case 1:
        case 2:
            sizes.fill(QSize(SizeField(s.width), SizeField(s.height)), captions.size());
            break;
        case 3:
        case 4: {
            const QFontMetrics metrics(face::FaceFontOf(CaptionFont(s, b.font), settings_.smoothCaptions));
            const int height = SizeField(s.height);
            for (const QString& caption : captions) {
                sizes.append(QSize(SmartWidth(metrics, caption, s.spacing), height));
            }
            break;
        }
        default:
            // No mode chosen: the button keeps the size it has.
            sizes.fill(QSize(b.buttonWidth, b.buttonHeight), captions.size());
            break;
    }
    return sizes;
}

namespace {

// The shapes of one type's faces in a batch, made once for each size the faces take: all else that
// decides a shape is the same for every caption. Safe to use from several threads at once.
class ShapeCache {
  public:
    std::shared_ptr<const face::ShapeRegions> For(const face::ShapedFace& shaped) {
        const std::pair key(shaped.properties.buttonWidth, shaped.properties.buttonHeight);
        {
            const std::lock_guard lock(mutex_);
            if (const auto found = shapes_.find(key); found != shapes_.end()) {
                return found->second;
            }
        }
        auto made = std::make_shared<const face::ShapeRegions>(
            face::FaceShapeRegions(shaped.properties, shaped.bounds));
        const std::lock_guard lock(mutex_);
        return shapes_.emplace(key, std::move(made)).first->second;
    }

  private:
    std::mutex mutex_;
    std::map<std::pair<int, int>, std::shared_ptr<const face::ShapeRegions>> shapes_;
};

}  // namespace

QImage TButtonComposer::CaptureButton(int type) {
    const int t = type == 1 ? settings::kType1 : settings::kType2;
    tempImage_ = FilePicture(Face(t), settings_.fileType,
                             settings::ColourFromStringLenient(settings_.htmlBackgroundColour));
    return tempImage_;
}

QImage TButtonComposer::FilePicture(const face::FaceProperties& p, int fileType, face::TColor pageColour) {
    return FilePicture(SavedPicture(p), p, fileType, pageColour, nullptr);
}

QImage TButtonComposer::FilePicture(const QImage& picture, const face::FaceProperties& p, int fileType,
                                    face::TColor pageColour, const face::ShapeRegions* regions) {
    // The rectangle has no outside; a turned face has its shape in its own bounds, not in the picture.
    if (p.buttonKind == face::bkRect || p.buttonAngle != 0 ||
        picture.size() != QSize(p.buttonWidth, p.buttonHeight)) {
        return picture;
    }
    const QRegion inside =
        regions != nullptr ? regions->window : face::FaceShapeRegions(p, picture.size()).window;
    const bool transparent = fileType == settings::kFileTypePng || fileType == settings::kFileTypeWebp;
    QImage out(picture.size(), transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    out.fill(transparent ? QColor(Qt::transparent) : face::ToQColor(pageColour));
    const QRect all = out.rect();
    for (const QRect& band : inside) {
        const QRect r = band.intersected(all);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
            std::copy(in + r.left(), in + r.right() + 1, to + r.left());
        }
    }
    return out;
}

QImage TButtonComposer::CaptureScaledButton(int type, int scale) const {
    return FilePicture(ScaledFace(Face(type == 1 ? settings::kType1 : settings::kType2), scale),
                       settings_.fileType, settings::ColourFromStringLenient(settings_.htmlBackgroundColour));
}

output::ButtonRenderer::FaceRender TButtonComposer::BatchFaces(int scale) {
    ApplyButtonSettings(settings_.testCaption, settings_.testCaption);
    // Of the settings only the caption and, for a smart-sized button, the width follow from the
    // caption; the rest is the type's face as it stands now.
    struct TypeFaces {
        face::FaceProperties face;
        bool smart = false;
        QString spacing;
        ShapeCache shapes;
    };
    auto faces = std::make_shared<std::array<TypeFaces, 2>>();
    const int fileType = settings_.fileType;
    const face::TColor pageColour = settings::ColourFromStringLenient(settings_.htmlBackgroundColour);
    for (const int t : {settings::kType1, settings::kType2}) {
        const settings::ButtonStyle& s = settings_.button[static_cast<std::size_t>(t)];
        TypeFaces& f = (*faces)[t == settings::kType1 ? 0 : 1];
        f.face = Face(t);
        f.smart = s.backgroundMode == 3 || s.backgroundMode == 4;
        f.spacing = s.spacing;
    }
    return [faces, fileType, pageColour, scale](int type, const QString& caption) {
        TypeFaces& f = (*faces)[type == 1 ? 0 : 1];
        face::FaceProperties p = f.face;
        p.caption = caption;
        if (f.smart) {
            p.buttonWidth =
                SmartWidth(QFontMetrics(face::FaceFontOf(p.font, p.smoothCaption)), caption, f.spacing);
        }
        // A face for high-density screens: the 1× face's properties doubled, its size included. Its
        // shapes are cached apart from the 1× ones (another batch's renderer).
        p = ScaledFace(p, scale);
        const face::ShapedFace shaped = face::ShapeOf(p);
        const std::shared_ptr<const face::ShapeRegions> regions = f.shapes.For(shaped);
        const QImage picture = SavedPicture(face::RenderShapedFace(shaped, *regions, FaceStateShown()), p);
        // The file's shape is the painted one where the face was not reshaped (an arc is).
        return FilePicture(
            picture, p, fileType, pageColour,
            p.buttonKind != face::bkArc && shaped.bounds == picture.size() ? regions.get() : nullptr);
    };
}

}  // namespace compose
