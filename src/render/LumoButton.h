#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <functional>
#include <memory>

#include "face/ButtonShapes.h"
#include "face/FaceProperties.h"
#include "face/LumoTypes.h"
#include "face/OutlineMaths.h"

// The graphic button: a shaped, bevelled, captioned face computed entirely by the component and
// kept in an off-screen face image, copied to the window on every paint. Every saved button file is a
// copy of its drawing surface.
namespace render {

class TLumoRotateTimer;

class TLumoButton : public QAbstractButton {
  public:
    using TMouseInOutEvent = std::function<void(TLumoButton* sender)>;
    using TNotifyEvent = std::function<void(TLumoButton* sender)>;

    static constexpr double kDefaultArcAngle = face::kDefaultArcAngle;
    static constexpr double kMaxArcAngle = face::kMaxArcAngle;

    explicit TLumoButton(QWidget* parent = nullptr);
    ~TLumoButton() override;

    // --- Published properties -------------------------------------------------------------------
    int ButtonAngle() const { return buttonAngle_; }
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    int CaptionTop() const { return captionTop_; }
    int CaptionLeft() const { return captionLeft_; }
    int CaptionAngle() const { return captionAngle_; }
    face::TColor ButtonColor() const { return buttonColor_; }
    face::TLumoButtonKind ButtonKind() const { return buttonKind_; }
    face::TLumo3DKind Button3DKind() const { return button3DKind_; }
    int ButtonDepth() const { return buttonDepth_; }
    face::TLumoHAlign CaptionHAlign() const { return captionHAlign_; }
    face::TLumoVAlign CaptionVAlign() const { return captionVAlign_; }
    const QImage& MainBitmap() const { return mainBitmap_; }
    int MainBitmapGlyphs() const { return mainBitmapGlyphs_; }
    const QImage& OnEnterBitmap() const { return onEnterBitmap_; }
    int OnEnterGlyphs() const { return onEnterGlyphs_; }
    int OnEnterInterval() const { return onEnterInterval_; }
    const QImage& OnExitBitmap() const { return onExitBitmap_; }
    int OnExitGlyphs() const { return onExitGlyphs_; }
    int OnExitInterval() const { return onExitInterval_; }
    const QImage& OnClickBitmap() const { return onClickBitmap_; }
    int OnClickGlyphs() const { return onClickGlyphs_; }
    int OnClickInterval() const { return onClickInterval_; }
    bool Transparent() const { return transparent_; }
    int PeaksNumber() const { return peaksNumber_; }
    // The corner radius of bkRoundRect in pixels; -1 for twice the border depth.
    int CornerRadius() const { return cornerRadius_; }
    int BitmapTop() const { return bitmapTop_; }
    int BitmapLeft() const { return bitmapLeft_; }
    face::TLumoHAlign BitmapHAlign() const { return bitmapHAlign_; }
    face::TLumoVAlign BitmapVAlign() const { return bitmapVAlign_; }
    const QString& StringButtonRegion() const { return stringButtonRegion_; }
    bool UserRGNAUTO() const { return userRgnAuto_; }
    int RotationPointX() const { return rotationPointX_; }
    int RotationPointY() const { return rotationPointY_; }
    bool RotationCenterFixed() const { return rotationCenterFixed_; }
    bool Rotated() const { return rotated_; }
    int RotatedTime() const { return rotatedTime_; }
    int RotatedAngle() const { return rotatedAngle_; }
    bool CaptionFixed() const { return captionFixed_; }
    face::TColor ButtonColor1() const { return buttonColor1_; }
    face::TLumoGradientKind GradientKind() const { return gradientKind_; }
    int GradientAngle() const { return gradientAngle_; }
    bool GradientFixed() const { return gradientFixed_; }
    const QImage& GradientBitmap() const { return gradientBitmap_; }
    int GradientBitmapLine() const { return gradientBitmapLine_; }
    face::TLumoCaption3dKind Caption3dKind() const { return caption3dKind_; }
    double RadiusRatio() const { return radiusRatio_; }
    double ArcAngle() const { return arcAngle_; }
    bool CustomDraw() const { return customDraw_; }
    bool ShowFocusRGN() const { return showFocusRgn_; }

    virtual void SetCaptionTop(int v);
    virtual void SetCaptionLeft(int v);
    virtual void SetCaptionAngle(int v);
    virtual void SetGradientBitmap(const QImage& v);
    virtual void SetGradientBitmapLine(int v);
    virtual void SetButtonColor(face::TColor v);
    virtual void SetButtonDepth(int v);
    // Supplies the region of the user kind; ignored unless the kind is bkUser.
    virtual void SetUserRegion(const QRegion& region);
    virtual void SetCaptionHAlign(face::TLumoHAlign v);
    virtual void SetCaptionVAlign(face::TLumoVAlign v);
    virtual void SetMainBitmap(const QImage& v);
    virtual void SetMainBitmapGlyphs(int v);
    virtual void SetOnEnterBitmap(const QImage& v);
    virtual void SetOnEnterGlyphs(int v);
    virtual void SetOnEnterInterval(int v);
    virtual void SetOnExitBitmap(const QImage& v);
    virtual void SetOnExitGlyphs(int v);
    virtual void SetOnExitInterval(int v);
    virtual void SetOnClickBitmap(const QImage& v);
    virtual void SetOnClickGlyphs(int v);
    virtual void SetOnClickInterval(int v);
    virtual void SetTransparent(bool v);
    virtual void SetPeaksNumber(int v);
    // Values below -1 are ignored.
    virtual void SetCornerRadius(int v);
    virtual void SetButtonAngle(int v);
    virtual void SetButtonWidth(int v);
    virtual void SetButtonHeight(int v);
    // Both sides at once, with one face build: a wide short bitmap after a tall narrow one never
    // makes a face as wide as the one and as tall as the other on the way.
    void SetButtonSize(int width, int height);
    virtual void SetBitmapTop(int v);
    virtual void SetBitmapLeft(int v);
    virtual void SetBitmapHAlign(face::TLumoHAlign v);
    virtual void SetBitmapVAlign(face::TLumoVAlign v);
    virtual void SetStringButtonRegion(const QString& v);
    virtual void SetUserRGNAUTO(bool v);
    virtual void SetRotationPointX(int v);
    virtual void SetRotationPointY(int v);
    virtual void SetRotationCenterFixed(bool v);
    virtual void SetRotated(bool v);
    virtual void SetRotatedTime(int v);
    virtual void SetRotatedAngle(int v);
    virtual void SetCaptionFixed(bool v);
    virtual void SetButtonColor1(face::TColor v);
    virtual void SetGradientKind(face::TLumoGradientKind v);
    virtual void SetGradientAngle(int v);
    virtual void SetGradientFixed(bool v);
    virtual void SetCaption3dKind(face::TLumoCaption3dKind v);
    virtual void SetRadiusRatio(double v);
    virtual void SetArcAngle(double v);
    void SetButtonKind(face::TLumoButtonKind v);
    void SetButton3DKind(face::TLumo3DKind v);
    void SetCustomDraw(bool v);
    void SetShowFocusRGN(bool v);
    void SetSmoothCaption(bool v);
    void SetCaptionEffectOffset(int v);

    TMouseInOutEvent onMouseEnter;
    TMouseInOutEvent onMouseExit;
    TNotifyEvent OnPaint;

    // --- Public state -----------------------------------------------------------------------------
    // Written only by the owner: selects the mouse-inside glyph and the bevel of the flat kinds.
    bool MouseInside = false;

    // The caption text; a change rebuilds the face.
    void SetCaption(const QString& caption);
    QString Caption() const { return text(); }

    // The caption font's colour (the font itself is the widget's font).
    face::TColor FontColor() const { return fontColor_; }
    void SetFontColor(face::TColor v);

    // What the window shows, window-sized: the face copied at (0, 0) by every paint, and the
    // animation frames drawn over it. The owner reads finished faces from here.
    const QImage& Canvas() const { return canvas_; }
    // Paints now, whether or not the window is shown, so that Canvas holds the current face.
    void Repaint();

    // The font the caption is drawn and measured in: the given font in whole pixels, unsmoothed and
    // without kerning.
    static QFont FaceFontOf(const QFont& font);

    bool FocusState() const { return focusState_; }
    bool Pressed() const { return pressed_; }

    int BoundsWidth() const { return boundsWidth_; }
    int BoundsHeight() const { return boundsHeight_; }
    bool IsLoaded() const { return loaded_; }
    // Loading from the form has finished: the shape is rebuilt and from now on the offset setters
    // switch their alignment to the fixed-offset kind.
    void FinishLoading();

    // The regions of the current shape.
    const QRegion& WindowRegion() const { return windowRegion_; }
    bool WindowRegionPending() const { return windowRegionPending_; }
    const QRegion& OutlineRegion() const { return regions_.outline; }
    const QRegion& InnerOutlineRegion() const { return regions_.innerOutline; }
    const QRegion& FocusRegion() const { return regions_.focus; }
    const QRegion& HighlightBand() const { return regions_.highlightBand; }
    const QRegion& ShadowBand() const { return regions_.shadowBand; }
    const QRegion& InnerHighlightBand() const { return regions_.innerHighlightBand; }
    const QRegion& InnerShadowBand() const { return regions_.innerShadowBand; }
    const face::Outline& ButtonOutline() const { return outline_; }
    const face::Outline& UserOutline() const { return userOutline_; }
    const QRect& UserOutlineBox() const { return userOutlineBox_; }
    int UserRegionSource() const { return userRegionSource_; }

    // The off-screen face, BoundsWidth × BoundsHeight.
    const QImage& FaceBitmap() const { return faceBitmap_; }

    // How often the shape and the face were rebuilt, for the owner and tests to see what a change
    // caused.
    int ShapeBuildCount() const { return shapeBuilds_; }
    int FaceBuildCount() const { return faceBuilds_; }

    // Rebuilds outline, bands and regions, then the face.
    void RebuildShape();
    // Builds the face image from the current properties and state, through the face engine.
    virtual void RebuildFace();
    // The properties that decide the face's pixels, as the engine takes them.
    face::FaceProperties Properties() const;
    // Takes every property of a face through the setters (the turn first, then the offsets before
    // their alignments), then rebuilds the face. The user kind's region is set on its own.
    void SetFace(const face::FaceProperties& p);

    // The window paint: rebuilds the face when the pressed, mouse-inside or enabled state changed,
    // applies a pending window region, copies the face to Canvas and fires OnPaint.
    virtual void Paint();

    // The glyph animations, driven by their timer.
    enum class Animation { Enter, Exit, Click };
    bool AnimationRunning(Animation a) const;
    int AnimationFrame(Animation a) const;
    QTimer* AnimationTimer() const { return animationTimer_; }
    void AnimationTick();
    TLumoRotateTimer* RotateTimer() const { return rotateTimer_.get(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    struct AnimationState {
        bool running = false;
        int frame = 0;
    };
    AnimationState& State(Animation a);
    const AnimationState& State(Animation a) const;
    void StartAnimation(Animation a);
    void StopAnimation(Animation a);
    void ReleaseAnimationTimer();
    void DrawAnimationFrame(const QImage& bitmap, int glyphs, int n);
    // Where a glyph of the given size goes on a w × h window under the bitmap alignment.
    QPoint BitmapPlace(int glyphWidth, int bitmapHeight, int w, int h) const;
    void FocusChanged(bool focused);

    // Window placement.
    void ComputeNewPosition();
    void MoveToNewPlace();
    // A new ButtonWidth or ButtonHeight: bounds, shape, window size, then the face.
    void ApplyNewSize();
    void ApplyExternalResize();

    // An offset setter: once the component is loaded, setting an offset also switches its alignment
    // to the fixed-offset kind.
    template <typename Align>
    void SetOffset(int& offset, int v, Align& align, Align none) {
        if (offset == v) {
            return;
        }
        offset = v;
        if (loaded_) {
            align = none;
        }
        RebuildFace();
        update();
    }
    void Face();
    void Shape();
    void UpdateBounds();
    void ResizeWindowToBounds();
    // The region the user kind takes its outline from, if any.
    const QRegion* CurrentUserRegion() const;
    void UpdateUserOutline();

    int buttonAngle_ = 0;
    int buttonWidth_ = 0;
    int buttonHeight_ = 0;
    int captionTop_ = 5;
    int captionLeft_ = 5;
    int captionAngle_ = 0;
    face::TColor buttonColor_ = face::clBtnFace;
    face::TLumoButtonKind buttonKind_ = face::bkRect;
    face::TLumo3DKind button3DKind_ = face::dk3D;
    int buttonDepth_ = 2;
    face::TLumoHAlign captionHAlign_ = face::haCenter;
    face::TLumoVAlign captionVAlign_ = face::vaCenter;
    QImage mainBitmap_;
    int mainBitmapGlyphs_ = 1;
    QImage onEnterBitmap_;
    int onEnterGlyphs_ = 1;
    int onEnterInterval_ = 40;
    QImage onExitBitmap_;
    int onExitGlyphs_ = 1;
    int onExitInterval_ = 40;
    QImage onClickBitmap_;
    int onClickGlyphs_ = 1;
    int onClickInterval_ = 40;
    bool transparent_ = false;
    int peaksNumber_ = 6;
    int cornerRadius_ = -1;
    int bitmapTop_ = 5;
    int bitmapLeft_ = 5;
    face::TLumoHAlign bitmapHAlign_ = face::haLeft;
    face::TLumoVAlign bitmapVAlign_ = face::vaTop;
    QString stringButtonRegion_;
    bool userRgnAuto_ = true;
    int rotationPointX_ = 0;
    int rotationPointY_ = 0;
    bool rotationCenterFixed_ = false;
    bool rotated_ = false;
    int rotatedTime_ = 40;
    int rotatedAngle_ = 40;
    bool captionFixed_ = false;
    face::TColor buttonColor1_ = face::clBtnShadow;
    face::TLumoGradientKind gradientKind_ = face::gkNone;
    int gradientAngle_ = 450;
    bool gradientFixed_ = false;
    QImage gradientBitmap_;
    int gradientBitmapLine_ = 0;
    face::TLumoCaption3dKind caption3dKind_ = face::ckSimple;
    bool smoothCaption_ = false;
    int captionEffectOffset_ = 1;
    double radiusRatio_ = 0.5;
    double arcAngle_ = kDefaultArcAngle;
    bool customDraw_ = false;
    bool showFocusRgn_ = true;

    face::TColor fontColor_ = 0x80000008;  // the system's window text colour

    int boundsWidth_ = 0;
    int boundsHeight_ = 0;
    bool loaded_ = false;
    bool internalResize_ = false;
    bool internalMove_ = false;
    bool skipNextSize_ = false;
    bool skipNextMove_ = false;
    bool positionPending_ = false;
    QPoint rememberedPosition_;
    QPoint newPosition_;
    int angleChange_ = 0;

    bool focusState_ = false;
    bool pressed_ = false;
    bool cachedPressed_ = false;
    bool cachedMouseInside_ = false;
    bool cachedEnabled_ = true;
    bool faceRebuildDisabled_ = false;
    bool canvasShowsAnimation_ = false;
    bool firstFocusChangeSeen_ = false;
    QImage canvas_;

    AnimationState enter_;
    AnimationState exit_;
    AnimationState click_;
    QPointer<QTimer> animationTimer_;
    std::unique_ptr<TLumoRotateTimer> rotateTimer_;

    face::Outline outline_;
    face::ShapeRegions regions_;
    QRegion windowRegion_;
    bool windowRegionPending_ = false;
    QRegion stringRegion_;
    bool hasStringRegion_ = false;
    QRegion handleRegion_;
    bool hasHandleRegion_ = false;
    int userRegionSource_ = 0;
    face::Outline userOutline_;
    QRect userOutlineBox_;

    QImage faceBitmap_;
    int shapeBuilds_ = 0;
    int faceBuilds_ = 0;
};

}  // namespace render
