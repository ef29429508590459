#include "render/LumoButton.h"

#include <QEvent>
#include <QPainter>

#include "render/RegionData.h"

namespace render {

TLumoButton::TLumoButton(QWidget* parent) : QAbstractButton(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("Times New Roman"));
    setFont(f);
    buttonWidth_ = width();
    buttonHeight_ = height();
    boundsWidth_ = width();
    boundsHeight_ = height();
    RebuildShape();
}

TLumoButton::~TLumoButton() = default;

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
        regions_ = BuildShapeRegions(outline_, buttonWidth_, buttonHeight_, buttonDepth_, button3DKind_,
                                     buttonAngle_, boundsWidth_, boundsHeight_);
        windowRegion_ = regions_.window;
    }
    windowRegionPending_ = true;
    RebuildFace();
}

void TLumoButton::RebuildFace() {
    ++faceBuilds_;
    faceBitmap_ = QImage(std::max(boundsWidth_, 1), std::max(boundsHeight_, 1), QImage::Format_RGB32);
    const TColor colour = buttonColor_ == clNone ? clBlack : ColorToRGB(buttonColor_);
    faceBitmap_.fill(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
}

void TLumoButton::paintEvent(QPaintEvent*) {
    if (windowRegionPending_) {
        windowRegionPending_ = false;
        // An empty window region shows nothing of the window.
        setMask(windowRegion_.isEmpty() ? QRegion(-1, -1, 1, 1) : windowRegion_);
    }
    QPainter p(this);
    p.drawImage(0, 0, faceBitmap_);
    p.end();
    if (OnPaint) {
        OnPaint(this);
    }
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
    RebuildShape();
    update();
    loaded_ = true;
}

// --- Setters ---------------------------------------------------------------------------------------

void TLumoButton::SetCaptionTop(int v) {
    if (v == captionTop_)
        return;
    captionTop_ = v;
    if (loaded_)
        captionVAlign_ = vaNone;
    Face();
}

void TLumoButton::SetCaptionLeft(int v) {
    if (v == captionLeft_)
        return;
    captionLeft_ = v;
    if (loaded_)
        captionHAlign_ = haNone;
    Face();
}

void TLumoButton::SetCaptionAngle(int v) {
    if (v == captionAngle_)
        return;
    captionAngle_ = v;
    Face();
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
    if (v == buttonColor_)
        return;
    buttonColor_ = v;
    Face();
}

void TLumoButton::SetButtonDepth(int v) {
    if (v == buttonDepth_)
        return;
    buttonDepth_ = v;
    Shape();
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
    if (v == captionHAlign_)
        return;
    captionHAlign_ = v;
    Face();
}

void TLumoButton::SetCaptionVAlign(TLumoVAlign v) {
    if (v == captionVAlign_)
        return;
    captionVAlign_ = v;
    Face();
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
    if (!enterRunning_)
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
    if (!exitRunning_)
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
    if (!clickRunning_)
        onClickInterval_ = v;
}

void TLumoButton::SetTransparent(bool v) {
    if (v == transparent_)
        return;
    transparent_ = v;
    Face();
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
        captionAngle_ = normalise(captionAngle_ + delta);
    if (gradientFixed_)
        gradientAngle_ = normalise(gradientAngle_ + delta);
    buttonAngle_ = normalise(v);
    UpdateBounds();
    RebuildShape();
    ResizeWindowToBounds();
    Face();
}

void TLumoButton::SetButtonWidth(int v) {
    if (v == buttonWidth_ || v < 0)
        return;
    buttonWidth_ = v;
    UpdateBounds();
    RebuildShape();
    ResizeWindowToBounds();
    update();
}

void TLumoButton::SetButtonHeight(int v) {
    if (v == buttonHeight_ || v < 0)
        return;
    buttonHeight_ = v;
    UpdateBounds();
    RebuildShape();
    ResizeWindowToBounds();
    update();
}

void TLumoButton::SetBitmapTop(int v) {
    if (v == bitmapTop_)
        return;
    bitmapTop_ = v;
    if (loaded_)
        bitmapVAlign_ = vaNone;
    Face();
}

void TLumoButton::SetBitmapLeft(int v) {
    if (v == bitmapLeft_)
        return;
    bitmapLeft_ = v;
    if (loaded_)
        bitmapHAlign_ = haNone;
    Face();
}

void TLumoButton::SetBitmapHAlign(TLumoHAlign v) {
    if (v == bitmapHAlign_)
        return;
    bitmapHAlign_ = v;
    Face();
}

void TLumoButton::SetBitmapVAlign(TLumoVAlign v) {
    if (v == bitmapVAlign_)
        return;
    bitmapVAlign_ = v;
    Face();
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
    if (v == rotationCenterFixed_)
        return;
    rotationCenterFixed_ = v;
    Shape();
}

void TLumoButton::SetRotated(bool v) {
    if (v == rotated_)
        return;
    rotated_ = v;
}

void TLumoButton::SetRotatedTime(int v) {
    if (v == rotatedTime_ || v < 0)
        return;
    rotatedTime_ = v;
}

void TLumoButton::SetRotatedAngle(int v) {
    if (v == rotatedAngle_ || v < -1799 || v > 1799)
        return;
    rotatedAngle_ = v;
}

void TLumoButton::SetCaptionFixed(bool v) {
    if (v == captionFixed_)
        return;
    captionFixed_ = v;
    Face();
}

void TLumoButton::SetButtonColor1(TColor v) {
    if (v == buttonColor1_)
        return;
    buttonColor1_ = v;
    Face();
}

void TLumoButton::SetGradientKind(TLumoGradientKind v) {
    if (v == gradientKind_)
        return;
    gradientKind_ = v;
    Face();
}

void TLumoButton::SetGradientAngle(int v) {
    if (v == gradientAngle_)
        return;
    gradientAngle_ = v;
    Face();
}

void TLumoButton::SetGradientFixed(bool v) {
    gradientFixed_ = v;
}

void TLumoButton::SetCaption3dKind(TLumoCaption3dKind v) {
    if (v == caption3dKind_)
        return;
    caption3dKind_ = v;
    Face();
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
    UpdateUserOutline();
    Shape();
}

void TLumoButton::SetButton3DKind(TLumo3DKind v) {
    if (v == button3DKind_)
        return;
    button3DKind_ = v;
    Shape();
}

void TLumoButton::SetCustomDraw(bool v) {
    if (v == customDraw_)
        return;
    customDraw_ = v;
    Face();
}

void TLumoButton::SetShowFocusRGN(bool v) {
    if (v == showFocusRgn_)
        return;
    showFocusRgn_ = v;
    Face();
}

}  // namespace render
