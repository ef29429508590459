#include "compose/ButtonComposer.h"

#include <QFontMetrics>

#include "compose/StyleMapping.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "render/LumoButton.h"
#include "settings/ColourString.h"

namespace compose {
namespace {

// The width of a smart-sized button: the caption's advance in the face font and the spacing, never
// below 0.
int SmartWidth(const QFontMetrics& metrics, const QString& caption, const QString& spacing) {
    return std::max(0, metrics.horizontalAdvance(caption) + platform::IntegerFieldValue(spacing));
}

// A width or height field as the button takes it: an empty text counts as 0, below 0 is 0.
int SizeField(const QString& text) {
    return platform::IsEmptyIntegerText(text) ? 0 : std::max(0, platform::ParseInteger(text));
}

}  // namespace

TButtonComposer::TButtonComposer(settings::AppSettings& settings, render::TLumoButton& button1,
                                 render::TLumoButton& button2)
    : settings_(settings), buttons_{&button1, &button2} {}

TButtonComposer::TButtonComposer(settings::AppSettings& settings) : settings_(settings) {
    for (std::size_t t = 0; t < 2; ++t) {
        ownButtons_[t] = std::make_unique<render::TLumoButton>();
        PrepareButton(*ownButtons_[t]);
        buttons_[t] = ownButtons_[t].get();
    }
}

TButtonComposer::~TButtonComposer() = default;

void TButtonComposer::PrepareButton(render::TLumoButton& b) {
    b.SetButtonAngle(0);
    b.SetButtonWidth(89);
    b.SetButtonHeight(17);
    b.SetCaptionAngle(0);
    b.SetButtonColor(face::clBlack);
    b.SetButton3DKind(face::dkNone);
    b.SetButtonDepth(0);
    b.SetTransparent(false);
    b.SetBitmapTop(0);
    b.SetBitmapLeft(0);
    b.SetBitmapHAlign(face::haNone);
    b.SetBitmapVAlign(face::vaNone);
    b.SetUserRGNAUTO(true);
    b.SetRotated(false);
    b.SetCaptionFixed(false);
    b.SetButtonColor1(face::clBlack);
    b.SetCaption3dKind(face::ckSimple);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(11);
    b.setFont(f);
    b.SetFontColor(face::clBlack);
    b.setFocusPolicy(Qt::NoFocus);
    b.FinishLoading();
}

render::TLumoButton& TButtonComposer::Button(int type) const {
    return *buttons_[type == settings::kType1 ? 0 : 1];
}

void TButtonComposer::ApplyButtonSettings(const QString& caption1, const QString& caption2) {
    ApplyTypeSettings(settings::kType1, caption1);
    ApplyTypeSettings(settings::kType2, caption2);
}

void TButtonComposer::ApplyTypeSettings(int type, const QString& caption) {
    render::TLumoButton* b = &Button(type);
    settings::ButtonStyle& s = settings_.button[static_cast<std::size_t>(type)];

    // What the settings handlers keep on the button: font, effect, offsets, then alignment (an
    // offset switches its alignment to the fixed kind, so the alignment comes after it).
    const QFont font = CaptionFont(s, b->font());
    if (font != b->font()) {
        b->setFont(font);
    }
    b->SetCaption3dKind(CaptionKind(s.captionEffect));
    b->SetCaptionTop(platform::IntegerFieldValue(s.verticalOffset));
    b->SetCaptionLeft(platform::IntegerFieldValue(s.horizontalOffset));
    b->SetCaptionHAlign(HorizontalAlign(s.horizontalMode));
    b->SetCaptionVAlign(VerticalAlign(s.verticalMode));

    // An empty size field (or a lone "-") makes the size 0, and the field then shows "0".
    bool rewritten = false;
    const auto sizeRule = [&](QString& text, const std::function<void(int)>& apply) {
        if (!platform::IsEmptyIntegerText(text)) {
            apply(std::max(0, platform::ParseInteger(text)));
        } else {
            apply(0);
            text = QStringLiteral("0");
            rewritten = true;
        }
    };
    const auto widthRule = [&] { sizeRule(s.width, [b](int v) { b->SetButtonWidth(v); }); };
    const auto heightRule = [&] { sizeRule(s.height, [b](int v) { b->SetButtonHeight(v); }); };
    const auto smartWidth = [&] {
        const QFontMetrics metrics(render::TLumoButton::FaceFontOf(font));
        b->SetButtonWidth(SmartWidth(metrics, caption, s.spacing));
    };
    const auto background = [&] { b->SetButtonColor(settings::ColourFromStringStrict(s.backgroundColour)); };
    const bool fileExists = !s.bitmapFile.isEmpty() && platform::FileExists(s.bitmapFile);

    switch (s.backgroundMode) {
        case 0:
            if (fileExists) {
                tempImage_ = LoadBitmapFile(s.bitmapFile);
            }
            b->SetButtonSize(tempImage_.width(), tempImage_.height());
            if (fileExists) {
                b->SetMainBitmap(tempImage_);
            }
            // The button colour gives the border tones and the embossed and pressed caption tones,
            // so it is set here as in every other mode: the faces then follow from the settings
            // alone, not from the mode the button was in before.
            background();
            break;
        case 1:
            widthRule();
            heightRule();
            background();
            b->SetMainBitmap(QImage());
            break;
        case 2:
            if (fileExists) {
                b->SetMainBitmap(LoadBitmapFile(s.bitmapFile));
            }
            widthRule();
            heightRule();
            background();
            break;
        case 3:
            if (fileExists) {
                b->SetMainBitmap(LoadBitmapFile(s.bitmapFile));
            }
            smartWidth();
            heightRule();
            background();
            break;
        case 4:
            smartWidth();
            heightRule();
            background();
            b->SetMainBitmap(QImage());
            break;
        default:
            break;
    }
    b->SetButton3DKind(BorderStyleKind(settings::ChoiceText(settings::BorderStyleTexts(), s.borderStyle)));
    // No choice in the depth list is no border.
    b->SetButtonDepth(std::max(0, s.borderDepth));
    b->SetFontColor(settings::ColourFromStringStrict(s.captionColour));
    b->SetCaption(QString());
    b->Repaint();
    b->SetCaption(caption);
    b->MouseInside = true;
    b->Repaint();
    if (rewritten && OnSettingsChanged) {
        OnSettingsChanged(type);
    }
}

QList<QSize> TButtonComposer::FaceSizes(int type, const QStringList& captions) {
    const render::TLumoButton& b = Button(type == 1 ? settings::kType1 : settings::kType2);
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
            const QFontMetrics metrics(render::TLumoButton::FaceFontOf(CaptionFont(s, b.font())));
            const int height = SizeField(s.height);
            for (const QString& caption : captions) {
                sizes.append(QSize(SmartWidth(metrics, caption, s.spacing), height));
            }
            break;
        }
        default:
            // No mode chosen: the button keeps the size it has.
            sizes.fill(QSize(b.ButtonWidth(), b.ButtonHeight()), captions.size());
            break;
    }
    return sizes;
}

QImage TButtonComposer::CaptureButton(int type) {
    render::TLumoButton& b = Button(type == 1 ? settings::kType1 : settings::kType2);
    b.Repaint();
    if (OnCapture) {
        OnCapture(b);
    }
    QImage face = b.Canvas().copy(0, 0, b.ButtonWidth(), b.ButtonHeight());
    if (face.size() != b.size() && !b.size().isEmpty()) {
        face = face.scaled(b.size());
    }
    tempImage_ = face.convertToFormat(QImage::Format_RGB32);
    return tempImage_;
}

}  // namespace compose
