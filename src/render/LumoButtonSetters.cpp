#include "face/RegionData.h"
#include "render/LumoButton.h"
#include "render/LumoRotateTimer.h"

// The button's setters that do more than compare and rebuild: the turn, the size, the user kind's
// region, the rotation, and a whole face at once.
namespace render {
using namespace face;

void TLumoButton::SetUserRegion(const QRegion& region) {
    if ((userSources_.handle && region == *userSources_.handle) || face_.buttonKind != bkUser) {
        return;
    }
    userSources_.handle = region;
    face_.userRegion = region;
    Shape();
}

void TLumoButton::SetStringButtonRegion(const QString& v) {
    if (v == userSources_.text) {
        return;
    }
    userSources_.text = v;
    // An empty text is the whole button as it is now.
    face_.userRegion = v.isEmpty() ? QRegion(0, 0, face_.buttonWidth, face_.buttonHeight)
                                   : DecodeRegionData(DecodeRegionText(v));
    if (face_.buttonKind == bkUser) {
        Shape();
    }
}

void TLumoButton::SetButtonAngle(int v) {
    if (v == face_.buttonAngle) {
        return;
    }
    const auto normalise = [](int a) {
        while (a > 1800)
            a -= 3600;
        while (a < -1799)
            a += 3600;
        return a;
    };
    const int delta = v - face_.buttonAngle;
    if (face_.captionFixed)
        face_.captionAngle += delta;
    if (turning_.gradientFixed)
        face_.gradientAngle += delta;
    angleChange_ += delta;
    face_.captionAngle = normalise(face_.captionAngle);
    face_.gradientAngle = normalise(face_.gradientAngle);
    face_.buttonAngle = normalise(v);
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
    Face();
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
    Face();
}

void TLumoButton::SetButtonSize(int width, int height) {
    const bool widthChanges = width != face_.buttonWidth && width >= 0;
    const bool heightChanges = height != face_.buttonHeight && height >= 0;
    if (!widthChanges && !heightChanges)
        return;
    if (widthChanges)
        face_.buttonWidth = width;
    if (heightChanges)
        face_.buttonHeight = height;
    ApplyNewSize();
}

void TLumoButton::SetRotationPoint(QPoint point) {
    if (point == turning_.point)
        return;
    turning_.point = point;
    turning_.centerFixed = false;
    Shape();
}

bool TLumoButton::Rotated() const {
    return rotateTimer_ != nullptr && !rotateTimer_->Suspended();
}

void TLumoButton::SetRotated(bool v) {
    if (v == Rotated())
        return;
    if (v) {
        rotateTimer_->Resume();
    } else {
        rotateTimer_->Suspend();
    }
}

int TLumoButton::RotatedTime() const {
    return rotateTimer_->Interval();
}

void TLumoButton::SetRotatedTime(int v) {
    if (v == RotatedTime() || v < 0)
        return;
    rotateTimer_->SetInterval(v);
}

void TLumoButton::SetButtonKind(TLumoButtonKind v) {
    if (v == face_.buttonKind)
        return;
    face_.buttonKind = v;
    angleChange_ = 0;
    Shape();
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
