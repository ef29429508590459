#include <cmath>

#include "face/FaceEngine.h"
#include "face/RegionData.h"
#include "render/LumoButton.h"
#include "render/LumoRotateTimer.h"

// The button's property setters: each compares first, then rebuilds what the property decides (the
// shape, the face, or the window's size and place).
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
    mainBitmap_ = OwnBitmapCopy(v);
    Face();
}

void TLumoButton::SetMainBitmapGlyphs(int v) {
    if (v == mainBitmapGlyphs_ || v < 1 || v > 4)
        return;
    mainBitmapGlyphs_ = v;
    Face();
}

void TLumoButton::SetOnEnterBitmap(const QImage& v) {
    onEnterBitmap_ = OwnBitmapCopy(v);
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
    onExitBitmap_ = OwnBitmapCopy(v);
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
    onClickBitmap_ = OwnBitmapCopy(v);
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

void TLumoButton::SetCornerRadius(int v) {
    if (v == cornerRadius_ || v < -1)
        return;
    cornerRadius_ = v;
    if (buttonKind_ == bkRoundRect) {
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

void TLumoButton::SetSmoothCaption(bool v) {
    if (Assign(smoothCaption_, v)) {
        Face();
    }
}

void TLumoButton::SetCaptionEffectOffset(int v) {
    if (v < 1) {
        return;
    }
    if (Assign(captionEffectOffset_, v)) {
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

void TLumoButton::SetFontColor(TColor v) {
    if (Assign(fontColor_, v)) {
        Face();
    }
}

void TLumoButton::SetFace(const FaceProperties& p) {
    SetButtonAngle(p.buttonAngle);
    SetButtonKind(p.buttonKind);
    SetPeaksNumber(p.peaksNumber);
    SetCornerRadius(p.cornerRadius);
    SetRadiusRatio(p.radiusRatio);
    SetArcAngle(p.arcAngle);
    SetUserRGNAUTO(p.userRgnAuto);
    if (font() != p.font) {
        setFont(p.font);
    }
    SetCaption3dKind(p.caption3dKind);
    SetSmoothCaption(p.smoothCaption);
    SetCaptionEffectOffset(p.captionEffectOffset);
    SetCaptionFixed(p.captionFixed);
    SetCaptionAngle(p.captionAngle);
    SetCaptionTop(p.captionTop);
    SetCaptionLeft(p.captionLeft);
    SetCaptionHAlign(p.captionHAlign);
    SetCaptionVAlign(p.captionVAlign);
    SetButtonSize(p.buttonWidth, p.buttonHeight);
    SetMainBitmap(p.mainBitmap);
    SetMainBitmapGlyphs(p.mainBitmapGlyphs);
    SetTransparent(p.transparent);
    SetBitmapTop(p.bitmapTop);
    SetBitmapLeft(p.bitmapLeft);
    SetBitmapHAlign(p.bitmapHAlign);
    SetBitmapVAlign(p.bitmapVAlign);
    SetButtonColor(p.buttonColor);
    SetButtonColor1(p.buttonColor1);
    SetGradientKind(p.gradientKind);
    SetGradientAngle(p.gradientAngle);
    SetGradientBitmap(p.gradientBitmap);
    SetGradientBitmapLine(p.gradientBitmapLine);
    SetCustomDraw(p.customDraw);
    SetShowFocusRGN(p.showFocusRgn);
    SetButton3DKind(p.button3DKind);
    SetButtonDepth(p.buttonDepth);
    SetFontColor(p.fontColor);
    SetCaption(p.caption);
    Face();
}

}  // namespace render
