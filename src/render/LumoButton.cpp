#include "render/LumoButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "face/CaptionLayout.h"
#include "face/ColorRules.h"
#include "face/FacePainting.h"
#include "face/RegionData.h"
#include "render/LumoRotateTimer.h"

namespace render {
using namespace face;
namespace {

// Setters change a property only when the new value differs, and answer whether it did.
template <typename T>
bool Assign(T& field, const T& value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

}  // namespace

TLumoButton::TLumoButton(QWidget* parent) : QAbstractButton(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("Times New Roman"));
    setFont(f);
    buttonWidth_ = width();
    buttonHeight_ = height();
    boundsWidth_ = width();
    boundsHeight_ = height();
    newPosition_ = pos();
    cachedEnabled_ = isEnabled();
    rotateTimer_ = std::make_unique<TLumoRotateTimer>(
        this, [this] { SetButtonAngle(buttonAngle_ + rotatedAngle_); }, rotatedTime_);
    RebuildShape();
}

TLumoButton::~TLumoButton() {
    // The rotation thread is told to end and waited for before anything it could reach goes away.
    rotateTimer_.reset();
    rotated_ = false;
    ReleaseAnimationTimer();
}

// --- Helpers ------------------------------------------------------------------------------------

QImage TLumoButton::CopyBitmap(const QImage& source) {
    if (source.isNull() || source.height() == 0) {
        return {};
    }
    // The component's own 24-bit copy: the picture drawn at (0, 0) onto black.
    QImage copy(source.size(), QImage::Format_RGB32);
    copy.fill(Qt::black);
    QPainter p(&copy);
    p.drawImage(0, 0, source);
    return copy;
}

void TLumoButton::Face() {
    RebuildFace();
    update();
}

void TLumoButton::Shape() {
    RebuildShape();
    update();
}

void TLumoButton::UpdateBounds() {
    const QSize bounds = RotatedBounds(buttonWidth_, buttonHeight_, buttonAngle_);
    boundsWidth_ = bounds.width();
    boundsHeight_ = bounds.height();
}

void TLumoButton::ResizeWindowToBounds() {
    internalResize_ = true;
    resize(boundsWidth_, boundsHeight_);
    internalResize_ = false;
}

void TLumoButton::MoveToNewPlace() {
    internalResize_ = true;
    internalMove_ = true;
    setGeometry(newPosition_.x(), newPosition_.y(), boundsWidth_, boundsHeight_);
    internalResize_ = false;
    internalMove_ = false;
}

void TLumoButton::ComputeNewPosition() {
    // Keeps the rotation point at the same place on the screen while the angle moves from
    // alpha0 to alpha.
    constexpr long double kPi = 3.14159265358979323846264338327950288L;
    const long double w = buttonWidth_;
    const long double h = buttonHeight_;
    const long double px = rotationCenterFixed_ ? buttonWidth_ / 2 : rotationPointX_;
    const long double py = rotationCenterFixed_ ? buttonHeight_ / 2 : rotationPointY_;
    const long double alpha = buttonAngle_ * kPi / 1800.0L;
    const long double alpha0 = (buttonAngle_ - angleChange_) * kPi / 1800.0L;
    const auto m = [&](long double x) {
        return RoundEven(std::fabs(std::sin(x) * w) / 2 + std::fabs(std::cos(x) * h) / 2 - h / 2);
    };
    const auto n = [&](long double x) {
        return RoundEven(std::fabs(std::sin(x) * h) / 2 + std::fabs(std::cos(x) * w) / 2 - w / 2);
    };
    const auto r = [&](long double x) {
        return RoundEven(std::cos(x) * (h / 2 - py) + std::sin(x) * (px - w / 2));
    };
    const auto q = [&](long double x) {
        return RoundEven(std::sin(x) * (h / 2 - py) + std::cos(x) * (w / 2 - px));
    };
    newPosition_ = QPoint(x() + n(alpha0) - n(alpha) + q(alpha) - q(alpha0),
                          y() + m(alpha0) - m(alpha) + r(alpha) - r(alpha0));
    angleChange_ = 0;
}

const QRegion* TLumoButton::CurrentUserRegion() const {
    if (userRegionSource_ == 1) {
        return hasHandleRegion_ ? &handleRegion_ : nullptr;
    }
    return hasStringRegion_ ? &stringRegion_ : nullptr;
}

void TLumoButton::UpdateUserOutline() {
    if (!userRgnAuto_ || buttonKind_ != bkUser) {
        return;
    }
    const QRegion* region = CurrentUserRegion();
    if (region == nullptr) {
        return;
    }
    userOutline_ = RegionToOutline(*region);
    userOutlineBox_ = region->boundingRect();
}

// --- Shape and face -------------------------------------------------------------------------------

void TLumoButton::RebuildShape() {
    windowRegionPending_ = false;
    ++shapeBuilds_;

    ShapeParams params;
    params.kind = buttonKind_;
    params.width = buttonWidth_;
    params.height = buttonHeight_;
    params.depth = buttonDepth_;
    params.peaks = peaksNumber_;
    params.radiusRatio = radiusRatio_;
    params.arcAngle = arcAngle_;
    const QRegion* user = CurrentUserRegion();
    if (user != nullptr && !userOutline_.Empty()) {
        params.userOutline = &userOutline_;
        params.userBox = userOutlineBox_;
    }
    KindOutline built = BuildKindOutline(params);
    if (buttonKind_ == bkArc && built.height != buttonHeight_) {
        // The arc decides its own height; the window follows its rotated box.
        buttonHeight_ = built.height;
        UpdateBounds();
        ResizeWindowToBounds();
    }
    outline_ = std::move(built.outline);

    if (buttonKind_ == bkUser && !userRgnAuto_) {
        // The window takes the user region unchanged; no bevel and no frames.
        regions_ = ShapeRegions{};
        windowRegion_ = user != nullptr ? *user : QRegion();
    } else {
        ComputeNewPosition();
        regions_ = BuildShapeRegions(outline_, buttonWidth_, buttonHeight_, buttonDepth_, button3DKind_,
                                     buttonAngle_, boundsWidth_, boundsHeight_);
        windowRegion_ = regions_.window;
    }
    windowRegionPending_ = true;
    RebuildFace();
}

void TLumoButton::RebuildFace() {
    if (faceRebuildDisabled_) {
        return;
    }
    ++faceBuilds_;
    cachedPressed_ = pressed_;
    cachedMouseInside_ = MouseInside;
    cachedEnabled_ = isEnabled();

    const QSize size(std::max(boundsWidth_, 1), std::max(boundsHeight_, 1));
    if (faceBitmap_.size() != size) {
        faceBitmap_ = QImage(size, QImage::Format_RGB32);
        faceBitmap_.fill(Qt::black);
    }
    const bool enabled = isEnabled();
    const TColor brush = enabled ? buttonColor_ : LighterColor(buttonColor_);

    if (customDraw_) {
        faceBitmap_.fill(ToQColor(brush));
    } else {
        if (gradientKind_ != gkNone) {
            QPainter p(&faceBitmap_);
            GradientSettings g{gradientKind_, gradientAngle_, &gradientBitmap_, gradientBitmapLine_};
            if (enabled) {
                FillGradient(p, boundsWidth_, boundsHeight_, buttonColor_, buttonColor1_, 0, g);
            } else {
                FillGradient(p, boundsWidth_, boundsHeight_, LighterColor(buttonColor_),
                             LighterColor(buttonColor1_), 2, g);
            }
        } else if (buttonColor_ != clNone) {
            faceBitmap_.fill(ToQColor(brush));
        }
        DrawMainBitmap(pressed_);
        QPainter p(&faceBitmap_);
        DrawCaption(p);
    }
    if (userRgnAuto_ || buttonKind_ != bkUser) {
        DrawBorders();
    }
}

void TLumoButton::DrawBorders() {
    const TColor c = buttonColor_;
    const TLumo3DKind k = button3DKind_;
    const bool m = MouseInside;
    const bool enabled = isEnabled();
    const bool outerBevel = k == dk3D || k == dk3dsimple || k == dk3dBorder || m;
    const bool innerBevel = k == dk3dBorder || (m && k == dk3dBorderFlatten);
    const bool outlineFrame =
        k == dk3D || k == dk3dBorder || (m && (k == dkFlatten || k == dk3dBorderFlatten));
    const bool innerFrame = k == dk3dBorder || (m && k == dk3dBorderFlatten);
    const bool focusFrame = focusState_ && showFocusRgn_ && (gradientKind_ == gkNone || enabled);

    if (gradientKind_ != gkNone) {
        GradientSettings g{gradientKind_, gradientAngle_, &gradientBitmap_, gradientBitmapLine_};
        const auto fillBand = [&](const QRegion& band, bool lit) {
            if (band.isEmpty())
                return;
            QPainter p(&faceBitmap_);
            p.setClipRegion(band);
            if (lit) {
                FillGradient(p, boundsWidth_, boundsHeight_, LighterColor(c), LighterColor(buttonColor1_), 1,
                             g);
            } else {
                FillGradient(p, boundsWidth_, boundsHeight_, DarkerColor(c), DarkerColor(buttonColor1_), -1,
                             g);
            }
        };
        if (outerBevel) {
            fillBand(regions_.highlightBand, !pressed_);
            fillBand(regions_.shadowBand, pressed_);
        }
        if (innerBevel) {
            fillBand(regions_.innerHighlightBand, true);
            fillBand(regions_.innerShadowBand, false);
        }
        const QColor frame = ToQColor(DarkerColor(DarkerColor(c)));
        if (outlineFrame)
            FrameRegion(faceBitmap_, regions_.outline, frame);
        if (innerFrame)
            FrameRegion(faceBitmap_, regions_.innerOutline, frame);
        if (focusFrame)
            FrameRegion(faceBitmap_, regions_.focus, ToQColor(DarkerColor(c)));
        return;
    }

    TColor highlight = 0;
    TColor shadow = 0;
    TColor innerHighlight = 0;
    TColor innerShadow = 0;
    TColor frame = 0;
    if (!enabled) {
        highlight = innerHighlight = LighterColor(LighterColor(c));
        shadow = innerShadow = DarkerColor(LighterColor(c));
        frame = IsDark(c) ? LighterColor(LighterColor(LighterColor(c))) : DarkerColor(c);
    } else {
        highlight = pressed_ ? DarkerColor(c) : LighterColor(c);
        shadow = pressed_ ? LighterColor(c) : DarkerColor(c);
        innerHighlight = LighterColor(c);
        innerShadow = DarkerColor(c);
        frame = IsDark(c) ? LighterColor(LighterColor(c)) : DarkerColor(DarkerColor(c));
    }
    if (outerBevel) {
        FillRegion(faceBitmap_, regions_.highlightBand, ToQColor(highlight));
        FillRegion(faceBitmap_, regions_.shadowBand, ToQColor(shadow));
    }
    if (innerBevel) {
        FillRegion(faceBitmap_, regions_.innerHighlightBand, ToQColor(innerHighlight));
        FillRegion(faceBitmap_, regions_.innerShadowBand, ToQColor(innerShadow));
    }
    if (outlineFrame)
        FrameRegion(faceBitmap_, regions_.outline, ToQColor(frame));
    if (innerFrame)
        FrameRegion(faceBitmap_, regions_.innerOutline, ToQColor(frame));
    if (focusFrame)
        FrameRegion(faceBitmap_, regions_.focus, ToQColor(frame));
}

void TLumoButton::DrawBitmapGlyph(const QRect& source, int x, int y, bool andWithBrush) {
    if (transparent_) {
        DrawTransparentBitmap(mainBitmap_, source, faceBitmap_, x, y);
        return;
    }
    const QRgb brush = ToQColor(isEnabled() ? buttonColor_ : LighterColor(buttonColor_)).rgb();
    for (int row = 0; row < source.height(); ++row) {
        const int sy = source.top() + row;
        const int ty = y + row;
        if (sy < 0 || sy >= mainBitmap_.height() || ty < 0 || ty >= faceBitmap_.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(mainBitmap_.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(faceBitmap_.scanLine(ty));
        for (int column = 0; column < source.width(); ++column) {
            const int sx = source.left() + column;
            const int tx = x + column;
            if (sx < 0 || sx >= mainBitmap_.width() || tx < 0 || tx >= faceBitmap_.width())
                continue;
            out[tx] = andWithBrush ? (in[sx] & brush) | 0xFF000000u : in[sx];
        }
    }
}

QPoint TLumoButton::BitmapPlace(int glyphWidth, int bitmapHeight, int w, int h) const {
    int x = bitmapLeft_;
    switch (bitmapHAlign_) {
        case haLeft:
            x = buttonDepth_;
            break;
        case haCenter:
            x = (w - glyphWidth) / 2;
            break;
        case haRight:
            x = w - buttonDepth_ - glyphWidth;
            break;
        case haNone:
            break;
    }
    int y = bitmapTop_;
    switch (bitmapVAlign_) {
        case vaTop:
            y = buttonDepth_;
            break;
        case vaCenter:
            y = (h - bitmapHeight) / 2;
            break;
        case vaBottom:
            y = h - buttonDepth_ - bitmapHeight;
            break;
        case vaNone:
            break;
    }
    return {x, y};
}

void TLumoButton::DrawMainBitmap(bool pressed) {
    if (mainBitmap_.isNull() || mainBitmap_.height() == 0) {
        return;
    }
    const int g = mainBitmapGlyphs_;
    const int gw = mainBitmap_.width() / g;
    const int bh = mainBitmap_.height();
    const int w = boundsWidth_;
    const int h = boundsHeight_;
    const QPoint place = BitmapPlace(gw, bh, w, h);
    const int x = place.x();
    const int y = place.y();
    QRect source(0, 0, gw, bh);
    const bool enabled = isEnabled();
    if (!pressed && enabled && !MouseInside) {
        DrawBitmapGlyph(source, x, y, false);
    }
    if (!enabled) {
        if (g < 2) {
            DrawBitmapGlyph(source, x, y, true);
        } else {
            source.translate(gw, 0);
            DrawBitmapGlyph(source, x, y, false);
        }
    }
    if (!pressed && enabled && MouseInside) {
        if (g >= 3) {
            source.translate(2 * gw, 0);
        }
        DrawBitmapGlyph(source, x, y, false);
    }
    if (pressed) {
        source.translate(g == 4 ? 3 * gw - 1 : -1, -1);
        DrawBitmapGlyph(source, x, y, false);
    }
}

QFont TLumoButton::FaceFontOf(const QFont& font) {
    QFont f = font;
    // Button files are exact pixels: text is drawn without smoothing, in whole-pixel advances
    // without kerning, so a caption measured in pieces is as wide as in one.
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    return f;
}

QFont TLumoButton::FaceFont() const {
    return FaceFontOf(font());
}

void TLumoButton::DrawCaption(QPainter& painter) {
    const QString caption = text();
    if (caption.isEmpty()) {
        return;
    }
    const QFont face = FaceFont();
    const QFontMetrics fm(face);
    int tw = 0;
    int th = 0;
    for (const QString& piece : MeasuredPieces(caption)) {
        tw += fm.horizontalAdvance(piece);
        if (th == 0 && !piece.isEmpty()) {
            th = fm.height();
        }
    }
    if (!captionFixed_) {
        const CaptionBox box = RotatedCaptionBox(tw, th, captionAngle_);
        const int left = CaptionBoxLeft(captionHAlign_, width(), box.width, buttonDepth_, captionLeft_);
        const int top = CaptionBoxTop(captionVAlign_, height(), box.height, buttonDepth_, captionTop_);
        DrawCaptionPasses(painter, left + box.refX, top + box.refY, caption, captionAngle_);
        return;
    }
    constexpr long double kPi = 3.14159265358979323846264338327950288L;
    const CaptionBox box = RotatedCaptionBox(tw, th, captionAngle_ - buttonAngle_);
    const int left = CaptionBoxLeft(captionHAlign_, buttonWidth_, box.width, buttonDepth_, captionLeft_);
    const int top = CaptionBoxTop(captionVAlign_, buttonHeight_, box.height, buttonDepth_, captionTop_);
    const long double px = left + box.refX;
    const long double py = top + box.refY;
    const long double g = buttonAngle_ * kPi / 1800.0L;
    const long double c = std::cos(g);
    const long double s = std::sin(g);
    const int x =
        width() / 2 + RoundEven(c * px + s * py) - RoundEven(c * buttonWidth_ / 2 + s * buttonHeight_ / 2);
    const int y =
        height() / 2 + RoundEven(c * py - s * px) - RoundEven(c * buttonHeight_ / 2 - s * buttonWidth_ / 2);
    DrawCaptionPasses(painter, x, y, caption, captionAngle_);
}

void TLumoButton::DrawCaptionPasses(QPainter& painter, int x, int y, const QString& caption, int angle) {
    struct Pass {
        int tone;
        int dx;
        int dy;
    };
    std::vector<Pass> passes;
    switch (caption3dKind_) {
        case ckEmbossed:
            passes = {{1, -1, -1}, {-1, 1, 1}, {0, 0, 0}};
            break;
        case ckPressed:
            passes = {{-1, -1, -1}, {1, 1, 1}, {0, 0, 0}};
            break;
        case ckSimple:
        default:
            passes = {{0, 0, 0}};
            break;
    }
    constexpr long double kPi = 3.14159265358979323846264338327950288L;
    const long double theta = angle * kPi / 1800.0L;
    const QFont face = FaceFont();
    const QFontMetrics fm(face);
    const std::vector<CaptionPiece> pieces = DrawnPieces(caption);
    for (const Pass& pass : passes) {
        int penX = x + pass.dx + (pressed_ ? 1 : 0);
        int penY = y + pass.dy + (pressed_ ? 1 : 0);
        for (const CaptionPiece& piece : pieces) {
            if (piece.text.isEmpty()) {
                continue;
            }
            DrawCaptionPiece(painter, penX, penY, piece.underline, piece.text, pass.tone, angle);
            const int cx = fm.horizontalAdvance(piece.text);
            penX += RoundEven(std::cos(theta) * cx);
            penY += RoundEven(-std::sin(theta) * cx);
        }
    }
}

void TLumoButton::DrawCaptionPiece(QPainter& painter, int x, int y, bool underline, const QString& piece,
                                   int tone, int angle) {
    TColor colour = isEnabled() ? fontColor_ : buttonColor_;
    if (colour == clNone) {
        return;
    }
    if (tone > 0) {
        colour = LighterColor(buttonColor_);
    } else if (tone < 0) {
        colour = DarkerColor(buttonColor_);
    }
    // The face font keeps its own styles, underline included; an accelerator adds underline.
    QFont f = FaceFont();
    if (underline) {
        f.setUnderline(true);
    }
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(f);
    painter.setPen(ToQColor(colour));
    painter.translate(x, y);
    painter.rotate(-angle / 10.0);
    painter.drawText(QPoint(0, QFontMetrics(f).ascent()), piece);
    painter.restore();
}

void TLumoButton::Paint() {
    pressed_ = isDown();
    if (pressed_ != cachedPressed_ || MouseInside != cachedMouseInside_ || isEnabled() != cachedEnabled_) {
        RebuildFace();
    }
    if (windowRegionPending_) {
        windowRegionPending_ = false;
        faceRebuildDisabled_ = true;
        // An empty window region shows nothing of the window.
        setMask(windowRegion_.isEmpty() ? QRegion(-1, -1, 1, 1) : windowRegion_);
        faceRebuildDisabled_ = false;
    }
    if (canvas_.size() != size()) {
        canvas_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        canvas_.fill(Qt::black);
    }
    QPainter p(&canvas_);
    p.drawImage(0, 0, faceBitmap_);
    p.end();
    if (OnPaint) {
        OnPaint(this);
    }
}

void TLumoButton::Repaint() {
    Paint();
}

void TLumoButton::paintEvent(QPaintEvent*) {
    if (canvasShowsAnimation_) {
        // An animation frame was drawn on the canvas: show it as it is.
        canvasShowsAnimation_ = false;
    } else {
        Paint();
    }
    QPainter p(this);
    p.drawImage(0, 0, canvas_);
}

void TLumoButton::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        Face();
    } else if (event->type() == QEvent::EnabledChange) {
        RebuildFace();
    }
}

void TLumoButton::SetCaption(const QString& caption) {
    if (caption == text()) {
        return;
    }
    setText(caption);
    Face();
}

void TLumoButton::FinishLoading() {
    if (positionPending_) {
        positionPending_ = false;
        internalMove_ = true;
        move(rememberedPosition_);
        internalMove_ = false;
        newPosition_ = rememberedPosition_;
    }
    angleChange_ = 0;
    RebuildShape();
    update();
    loaded_ = true;
}

void TLumoButton::SetFontColor(TColor v) {
    if (Assign(fontColor_, v)) {
        Face();
    }
}

// --- Setters ---------------------------------------------------------------------------------------

void TLumoButton::SetCaptionTop(int v) {
    SetOffset(captionTop_, v, captionVAlign_, vaNone);
}

void TLumoButton::SetCaptionLeft(int v) {
    SetOffset(captionLeft_, v, captionHAlign_, haNone);
}

void TLumoButton::SetCaptionAngle(int v) {
    if (Assign(captionAngle_, v)) {
        Face();
    }
}

void TLumoButton::SetGradientBitmap(const QImage& v) {
    if (v == gradientBitmap_)
        return;
    gradientBitmap_ = v;
    Shape();
}

void TLumoButton::SetGradientBitmapLine(int v) {
    if (v == gradientBitmapLine_ || v < 0)
        return;
    gradientBitmapLine_ = v;
    Face();
}

void TLumoButton::SetButtonColor(TColor v) {
    if (Assign(buttonColor_, v)) {
        Face();
    }
}

void TLumoButton::SetButtonDepth(int v) {
    if (Assign(buttonDepth_, v)) {
        Shape();
    }
}

void TLumoButton::SetUserRegion(const QRegion& region) {
    if ((hasHandleRegion_ && region == handleRegion_) || buttonKind_ != bkUser) {
        return;
    }
    handleRegion_ = region;
    hasHandleRegion_ = true;
    userRegionSource_ = 1;
    UpdateUserOutline();
    Shape();
}

void TLumoButton::SetCaptionHAlign(TLumoHAlign v) {
    if (Assign(captionHAlign_, v)) {
        Face();
    }
}

void TLumoButton::SetCaptionVAlign(TLumoVAlign v) {
    if (Assign(captionVAlign_, v)) {
        Face();
    }
}

void TLumoButton::SetMainBitmap(const QImage& v) {
    mainBitmap_ = CopyBitmap(v);
    Face();
}

void TLumoButton::SetMainBitmapGlyphs(int v) {
    if (v == mainBitmapGlyphs_ || v < 1 || v > 4)
        return;
    mainBitmapGlyphs_ = v;
    Face();
}

void TLumoButton::SetOnEnterBitmap(const QImage& v) {
    onEnterBitmap_ = CopyBitmap(v);
}

void TLumoButton::SetOnEnterGlyphs(int v) {
    if (v > 0)
        onEnterGlyphs_ = v;
}

void TLumoButton::SetOnEnterInterval(int v) {
    if (!enter_.running)
        onEnterInterval_ = v;
}

void TLumoButton::SetOnExitBitmap(const QImage& v) {
    onExitBitmap_ = CopyBitmap(v);
}

void TLumoButton::SetOnExitGlyphs(int v) {
    if (v > 0)
        onExitGlyphs_ = v;
}

void TLumoButton::SetOnExitInterval(int v) {
    if (!exit_.running)
        onExitInterval_ = v;
}

void TLumoButton::SetOnClickBitmap(const QImage& v) {
    onClickBitmap_ = CopyBitmap(v);
}

void TLumoButton::SetOnClickGlyphs(int v) {
    if (v > 0)
        onClickGlyphs_ = v;
}

void TLumoButton::SetOnClickInterval(int v) {
    if (!click_.running)
        onClickInterval_ = v;
}

void TLumoButton::SetTransparent(bool v) {
    if (Assign(transparent_, v)) {
        Face();
    }
}

void TLumoButton::SetPeaksNumber(int v) {
    if (v == peaksNumber_ || v < 3 || v > 20)
        return;
    peaksNumber_ = v;
    if (buttonKind_ == bkPoly || buttonKind_ == bkPolyStar) {
        Shape();
    }
}

void TLumoButton::SetButtonAngle(int v) {
    if (v == buttonAngle_)
        return;
    const auto normalise = [](int a) {
        while (a > 1800)
            a -= 3600;
        while (a < -1799)
            a += 3600;
        return a;
    };
    const int delta = v - buttonAngle_;
    if (captionFixed_)
        captionAngle_ += delta;
    if (gradientFixed_)
        gradientAngle_ += delta;
    buttonAngle_ = v;
    angleChange_ += delta;
    captionAngle_ = normalise(captionAngle_);
    gradientAngle_ = normalise(gradientAngle_);
    buttonAngle_ = normalise(buttonAngle_);
    const QRect oldGeometry = geometry();
    UpdateBounds();
    RebuildShape();
    // The parent repaints what the turned window no longer covers.
    skipNextSize_ = true;
    skipNextMove_ = true;
    MoveToNewPlace();
    if (parentWidget() != nullptr) {
        parentWidget()->update(oldGeometry);
    }
    RebuildFace();
    update();
    skipNextSize_ = false;
    skipNextMove_ = false;
}

void TLumoButton::ApplyNewSize() {
    UpdateBounds();
    // The face is built once the window has its new size, shown or not: the caption is placed in
    // the window's room.
    const bool wasDisabled = faceRebuildDisabled_;
    faceRebuildDisabled_ = true;
    RebuildShape();
    MoveToNewPlace();
    faceRebuildDisabled_ = wasDisabled;
    RebuildFace();
    update();
}

void TLumoButton::SetButtonWidth(int v) {
    if (v == buttonWidth_ || v < 0)
        return;
    buttonWidth_ = v;
    ApplyNewSize();
}

void TLumoButton::SetButtonHeight(int v) {
    if (v == buttonHeight_ || v < 0)
        return;
    buttonHeight_ = v;
    ApplyNewSize();
}

void TLumoButton::SetButtonSize(int width, int height) {
    const bool widthChanges = width != buttonWidth_ && width >= 0;
    const bool heightChanges = height != buttonHeight_ && height >= 0;
    if (!widthChanges && !heightChanges)
        return;
    if (widthChanges)
        buttonWidth_ = width;
    if (heightChanges)
        buttonHeight_ = height;
    ApplyNewSize();
}

void TLumoButton::SetBitmapTop(int v) {
    SetOffset(bitmapTop_, v, bitmapVAlign_, vaNone);
}

void TLumoButton::SetBitmapLeft(int v) {
    SetOffset(bitmapLeft_, v, bitmapHAlign_, haNone);
}

void TLumoButton::SetBitmapHAlign(TLumoHAlign v) {
    if (Assign(bitmapHAlign_, v)) {
        Face();
    }
}

void TLumoButton::SetBitmapVAlign(TLumoVAlign v) {
    if (Assign(bitmapVAlign_, v)) {
        Face();
    }
}

void TLumoButton::SetStringButtonRegion(const QString& v) {
    if (v == stringButtonRegion_)
        return;
    stringButtonRegion_ = v;
    if (v.isEmpty()) {
        stringRegion_ = QRegion(0, 0, buttonWidth_, buttonHeight_);
        hasStringRegion_ = true;
    } else {
        const std::optional<QRegion> decoded = DecodeRegionData(DecodeRegionText(v));
        hasStringRegion_ = decoded.has_value();
        stringRegion_ = decoded.value_or(QRegion());
    }
    userRegionSource_ = -1;
    if (buttonKind_ == bkUser) {
        UpdateUserOutline();
        Shape();
    }
}

void TLumoButton::SetUserRGNAUTO(bool v) {
    if (v == userRgnAuto_)
        return;
    userRgnAuto_ = v;
    UpdateUserOutline();
    Shape();
}

void TLumoButton::SetRotationPointX(int v) {
    if (v == rotationPointX_)
        return;
    rotationPointX_ = v;
    rotationCenterFixed_ = false;
    Shape();
}

void TLumoButton::SetRotationPointY(int v) {
    if (v == rotationPointY_)
        return;
    rotationPointY_ = v;
    rotationCenterFixed_ = false;
    Shape();
}

void TLumoButton::SetRotationCenterFixed(bool v) {
    if (Assign(rotationCenterFixed_, v)) {
        Shape();
    }
}

void TLumoButton::SetRotated(bool v) {
    if (v == rotated_)
        return;
    rotated_ = v;
    if (v) {
        rotateTimer_->Resume();
    } else {
        rotateTimer_->Suspend();
    }
}

void TLumoButton::SetRotatedTime(int v) {
    if (v == rotatedTime_ || v < 0)
        return;
    rotatedTime_ = v;
    rotateTimer_->SetInterval(v);
}

void TLumoButton::SetRotatedAngle(int v) {
    if (v == rotatedAngle_ || v < -1799 || v > 1799)
        return;
    rotatedAngle_ = v;
}

void TLumoButton::SetCaptionFixed(bool v) {
    if (Assign(captionFixed_, v)) {
        Face();
    }
}

void TLumoButton::SetButtonColor1(TColor v) {
    if (Assign(buttonColor1_, v)) {
        Face();
    }
}

void TLumoButton::SetGradientKind(TLumoGradientKind v) {
    if (Assign(gradientKind_, v)) {
        Face();
    }
}

void TLumoButton::SetGradientAngle(int v) {
    if (Assign(gradientAngle_, v)) {
        Face();
    }
}

void TLumoButton::SetGradientFixed(bool v) {
    gradientFixed_ = v;
}

void TLumoButton::SetCaption3dKind(TLumoCaption3dKind v) {
    if (Assign(caption3dKind_, v)) {
        Face();
    }
}

void TLumoButton::SetRadiusRatio(double v) {
    if (v == radiusRatio_ || v < 0.0 || v > 1.0)
        return;
    radiusRatio_ = v;
    if (buttonKind_ == bkArc || buttonKind_ == bkDonut) {
        Shape();
    }
}

void TLumoButton::SetArcAngle(double v) {
    if (v == arcAngle_ || v < 0.01 || v > kMaxArcAngle)
        return;
    arcAngle_ = v;
    if (buttonKind_ == bkArc) {
        Shape();
    }
}

void TLumoButton::SetButtonKind(TLumoButtonKind v) {
    if (v == buttonKind_)
        return;
    buttonKind_ = v;
    angleChange_ = 0;
    UpdateUserOutline();
    Shape();
}

void TLumoButton::SetButton3DKind(TLumo3DKind v) {
    if (Assign(button3DKind_, v)) {
        Shape();
    }
}

void TLumoButton::SetCustomDraw(bool v) {
    if (Assign(customDraw_, v)) {
        Face();
    }
}

void TLumoButton::SetShowFocusRGN(bool v) {
    if (Assign(showFocusRgn_, v)) {
        Face();
    }
}

// --- Window notifications ------------------------------------------------------------------------

void TLumoButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    if (skipNextSize_) {
        skipNextSize_ = false;
        return;
    }
    // A size the component set itself only confirms the bounds.
    if (internalResize_ || size() == QSize(boundsWidth_, boundsHeight_)) {
        boundsWidth_ = width();
        boundsHeight_ = height();
        return;
    }
    ApplyExternalResize();
}

void TLumoButton::ApplyExternalResize() {
    constexpr long double kPi = 3.14159265358979323846264338327950288L;
    boundsWidth_ = width();
    boundsHeight_ = height();
    const long double a = buttonAngle_ * kPi / 1800.0L;
    const long double sine = std::sin(a);
    const long double cosine = std::cos(a);
    if (std::fabs(sine) < 0.00001L) {
        buttonWidth_ = width();
        buttonHeight_ = height();
        Shape();
    } else if (std::fabs(cosine) < 0.00001L) {
        buttonWidth_ = height();
        buttonHeight_ = width();
        Shape();
    } else {
        const long double b = cosine * buttonWidth_ + sine * buttonHeight_;
        const long double e = sine * buttonWidth_ + cosine * buttonHeight_;
        const long double scale = (b >= 1 && e >= 1) ? std::max(height() / e, width() / b) : 1.0L;
        boundsWidth_ = RoundEven(b * scale);
        boundsHeight_ = RoundEven(e * scale);
        buttonWidth_ = RoundEven(scale * buttonWidth_);
        buttonHeight_ = RoundEven(scale * buttonHeight_);
        RebuildShape();
        MoveToNewPlace();
    }
}

void TLumoButton::moveEvent(QMoveEvent* event) {
    if (skipNextMove_) {
        skipNextMove_ = false;
        return;
    }
    QAbstractButton::moveEvent(event);
    RebuildFace();
    update();
    if (!internalMove_ && pos() != newPosition_ && !loaded_) {
        // Placed before loading finished: the position is restored then.
        rememberedPosition_ = pos();
        positionPending_ = true;
    }
}

void TLumoButton::FocusChanged(bool focused) {
    if (focused != focusState_) {
        focusState_ = focused;
        Shape();
    }
    if (!firstFocusChangeSeen_) {
        firstFocusChangeSeen_ = true;
        return;
    }
    if (focused) {
        StopAnimation(Animation::Exit);
        StartAnimation(Animation::Enter);
    } else {
        StopAnimation(Animation::Enter);
        StopAnimation(Animation::Click);
        StartAnimation(Animation::Exit);
    }
}

void TLumoButton::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    FocusChanged(true);
}

void TLumoButton::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    FocusChanged(false);
}

void TLumoButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        StopAnimation(Animation::Enter);
        StartAnimation(Animation::Click);
    }
    QAbstractButton::mousePressEvent(event);
}

void TLumoButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is a second press.
    mousePressEvent(event);
}

void TLumoButton::keyPressEvent(QKeyEvent* event) {
    QAbstractButton::keyPressEvent(event);
    if (event->key() == Qt::Key_Space) {
        StopAnimation(Animation::Enter);
        StartAnimation(Animation::Click);
    }
}

// The mouse entering or leaving changes nothing: MouseInside belongs to the owner.
void TLumoButton::enterEvent(QEnterEvent*) {}
void TLumoButton::leaveEvent(QEvent*) {}

// --- Animations ----------------------------------------------------------------------------------

TLumoButton::AnimationState& TLumoButton::State(Animation a) {
    return a == Animation::Enter ? enter_ : a == Animation::Exit ? exit_ : click_;
}

const TLumoButton::AnimationState& TLumoButton::State(Animation a) const {
    return a == Animation::Enter ? enter_ : a == Animation::Exit ? exit_ : click_;
}

bool TLumoButton::AnimationRunning(Animation a) const {
    return State(a).running;
}

int TLumoButton::AnimationFrame(Animation a) const {
    return State(a).frame;
}

void TLumoButton::ReleaseAnimationTimer() {
    if (animationTimer_ != nullptr) {
        animationTimer_->stop();
        animationTimer_->disconnect();
        // Freed once the tick that may be running has returned.
        animationTimer_->deleteLater();
        animationTimer_ = nullptr;
    }
}

void TLumoButton::StartAnimation(Animation a) {
    AnimationState& state = State(a);
    if (state.running) {
        return;
    }
    ReleaseAnimationTimer();
    animationTimer_ = new QTimer(this);
    animationTimer_->setInterval(a == Animation::Enter  ? onEnterInterval_
                                 : a == Animation::Exit ? onExitInterval_
                                                        : onClickInterval_);
    state.frame = 0;
    state.running = true;
    connect(animationTimer_, &QTimer::timeout, this, [this] { AnimationTick(); });
    animationTimer_->start();
}

void TLumoButton::StopAnimation(Animation a) {
    AnimationState& state = State(a);
    if (!state.running) {
        return;
    }
    state.running = false;
    ReleaseAnimationTimer();
}

void TLumoButton::AnimationTick() {
    struct Entry {
        AnimationState* state;
        const QImage* bitmap;
        int glyphs;
    };
    const Entry entries[] = {{&enter_, &onEnterBitmap_, onEnterGlyphs_},
                             {&exit_, &onExitBitmap_, onExitGlyphs_},
                             {&click_, &onClickBitmap_, onClickGlyphs_}};
    for (const Entry& e : entries) {
        if (!e.state->running) {
            continue;
        }
        // One frame a tick; after the last the normal face returns.
        if (e.state->frame < e.glyphs) {
            DrawAnimationFrame(*e.bitmap, e.glyphs, e.state->frame);
            ++e.state->frame;
        } else {
            update();
            e.state->running = false;
            ReleaseAnimationTimer();
        }
    }
}

void TLumoButton::DrawAnimationFrame(const QImage& bitmap, int glyphs, int n) {
    if (bitmap.isNull() || glyphs <= 0) {
        return;
    }
    if (canvas_.size() != size()) {
        Paint();
    }
    const int gw = bitmap.width() / glyphs;
    const int bh = bitmap.height();
    const QPoint place = BitmapPlace(gw, bh, width(), height());
    const int x = place.x();
    const int y = place.y();
    // Rows below the animation bitmap are left as the window shows them.
    const QRect source(n * gw, 0, gw, std::min(height(), bh));
    if (transparent_) {
        DrawTransparentBitmap(bitmap, source, canvas_, x, y);
    } else {
        QPainter p(&canvas_);
        p.drawImage(QPoint(x, y), bitmap, source);
    }
    canvasShowsAnimation_ = true;
    update();
}

}  // namespace render
