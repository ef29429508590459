#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <type_traits>

#include "face/FaceEngine.h"
#include "face/LumoTypes.h"

// The graphic button: a window that shows the face the face engine paints from the button's
// properties. The widget keeps those properties as one value, builds the face into an off-screen
// image and copies it to the window on every paint; its own are the window mask, the size and place
// as the button turns, the focus, the glyph animations and the rotation.
namespace render {

class TLumoRotateTimer;

class TLumoButton : public QAbstractButton {
  public:
    using TMouseInOutEvent = std::function<void(TLumoButton* sender)>;
    using TNotifyEvent = std::function<void(TLumoButton* sender)>;
    // The glyph animations, driven by their timer.
    enum class Animation { Enter, Exit, Click };

    static constexpr double kDefaultArcAngle = face::kDefaultArcAngle;
    static constexpr double kMaxArcAngle = face::kMaxArcAngle;

    explicit TLumoButton(QWidget* parent = nullptr);
    ~TLumoButton() override;

    // --- Published properties -------------------------------------------------------------------
    int ButtonAngle() const { return face_.buttonAngle; }
    int ButtonWidth() const { return face_.buttonWidth; }
    int ButtonHeight() const { return face_.buttonHeight; }
    int CaptionTop() const { return face_.captionTop; }
    int CaptionLeft() const { return face_.captionLeft; }
    int CaptionAngle() const { return face_.captionAngle; }
    face::TColor ButtonColor() const { return face_.buttonColor; }
    face::TLumoButtonKind ButtonKind() const { return face_.buttonKind; }
    face::TLumo3DKind Button3DKind() const { return face_.button3DKind; }
    int ButtonDepth() const { return face_.buttonDepth; }
    face::TLumoHAlign CaptionHAlign() const { return face_.captionHAlign; }
    face::TLumoVAlign CaptionVAlign() const { return face_.captionVAlign; }
    const QImage& MainBitmap() const { return face_.mainBitmap; }
    int MainBitmapGlyphs() const { return face_.mainBitmapGlyphs; }
    const QImage& OnEnterBitmap() const { return State(Animation::Enter).bitmap; }
    int OnEnterGlyphs() const { return State(Animation::Enter).glyphs; }
    int OnEnterInterval() const { return State(Animation::Enter).interval; }
    const QImage& OnExitBitmap() const { return State(Animation::Exit).bitmap; }
    int OnExitGlyphs() const { return State(Animation::Exit).glyphs; }
    int OnExitInterval() const { return State(Animation::Exit).interval; }
    const QImage& OnClickBitmap() const { return State(Animation::Click).bitmap; }
    int OnClickGlyphs() const { return State(Animation::Click).glyphs; }
    int OnClickInterval() const { return State(Animation::Click).interval; }
    bool Transparent() const { return face_.transparent; }
    int PeaksNumber() const { return face_.peaksNumber; }
    // The corner radius of bkRoundRect in pixels; -1 for twice the border depth.
    int CornerRadius() const { return face_.cornerRadius; }
    int BitmapTop() const { return face_.bitmapTop; }
    int BitmapLeft() const { return face_.bitmapLeft; }
    face::TLumoHAlign BitmapHAlign() const { return face_.bitmapHAlign; }
    face::TLumoVAlign BitmapVAlign() const { return face_.bitmapVAlign; }
    const QString& StringButtonRegion() const { return userSources_.text; }
    bool UserRGNAUTO() const { return face_.userRgnAuto; }
    int RotationPointX() const { return turning_.point.x(); }
    int RotationPointY() const { return turning_.point.y(); }
    bool RotationCenterFixed() const { return turning_.centerFixed; }
    bool Rotated() const;
    int RotatedTime() const;
    int RotatedAngle() const { return turning_.angle; }
    bool CaptionFixed() const { return face_.captionFixed; }
    face::TColor ButtonColor1() const { return face_.buttonColor1; }
    face::TLumoGradientKind GradientKind() const { return face_.gradientKind; }
    int GradientAngle() const { return face_.gradientAngle; }
    bool GradientFixed() const { return turning_.gradientFixed; }
    const QImage& GradientBitmap() const { return face_.gradientBitmap; }
    int GradientBitmapLine() const { return face_.gradientBitmapLine; }
    face::TLumoCaption3dKind Caption3dKind() const { return face_.caption3dKind; }
    double RadiusRatio() const { return face_.radiusRatio; }
    double ArcAngle() const { return face_.arcAngle; }
    bool CustomDraw() const { return face_.customDraw; }
    bool ShowFocusRGN() const { return face_.showFocusRgn; }

    // Each setter compares first, ignores values out of its range, and rebuilds what the property
    // decides: the shape (with the face), the face, or nothing.
    virtual void SetCaptionTop(int v) { SetOffset(face_.captionTop, v, face_.captionVAlign, face::vaNone); }
    virtual void SetCaptionLeft(int v) { SetOffset(face_.captionLeft, v, face_.captionHAlign, face::haNone); }
    virtual void SetCaptionAngle(int v) { Assign(face_.captionAngle, v, Rebuild::Face); }
    virtual void SetGradientBitmap(const QImage& v) { Assign(face_.gradientBitmap, v, Rebuild::Shape); }
    virtual void SetGradientBitmapLine(int v) { Assign(face_.gradientBitmapLine, v, Rebuild::Face, v >= 0); }
    virtual void SetButtonColor(face::TColor v) { Assign(face_.buttonColor, v, Rebuild::Face); }
    virtual void SetButtonDepth(int v) { Assign(face_.buttonDepth, v, Rebuild::Shape); }
    // Supplies the region of the user kind; ignored unless the kind is bkUser.
    virtual void SetUserRegion(const QRegion& region);
    virtual void SetCaptionHAlign(face::TLumoHAlign v) { Assign(face_.captionHAlign, v, Rebuild::Face); }
    virtual void SetCaptionVAlign(face::TLumoVAlign v) { Assign(face_.captionVAlign, v, Rebuild::Face); }
    // Bitmaps are the button's own 24-bit copies; the main bitmap always rebuilds the face.
    virtual void SetMainBitmap(const QImage& v) {
        face_.mainBitmap = face::OwnBitmapCopy(v);
        Face();
    }
    virtual void SetMainBitmapGlyphs(int v) {
        Assign(face_.mainBitmapGlyphs, v, Rebuild::Face, v >= 1 && v <= 4);
    }
    virtual void SetOnEnterBitmap(const QImage& v) { SetAnimationBitmap(Animation::Enter, v); }
    virtual void SetOnEnterGlyphs(int v) { SetAnimationGlyphs(Animation::Enter, v); }
    virtual void SetOnEnterInterval(int v) { SetAnimationInterval(Animation::Enter, v); }
    virtual void SetOnExitBitmap(const QImage& v) { SetAnimationBitmap(Animation::Exit, v); }
    virtual void SetOnExitGlyphs(int v) { SetAnimationGlyphs(Animation::Exit, v); }
    virtual void SetOnExitInterval(int v) { SetAnimationInterval(Animation::Exit, v); }
    virtual void SetOnClickBitmap(const QImage& v) { SetAnimationBitmap(Animation::Click, v); }
    virtual void SetOnClickGlyphs(int v) { SetAnimationGlyphs(Animation::Click, v); }
    virtual void SetOnClickInterval(int v) { SetAnimationInterval(Animation::Click, v); }
    virtual void SetTransparent(bool v) { Assign(face_.transparent, v, Rebuild::Face); }
    // The shape's own properties rebuild the shape only while their kind is shown.
    virtual void SetPeaksNumber(int v) {
        Assign(face_.peaksNumber, v, ShapeIf({face::bkPoly, face::bkPolyStar}), v >= 3 && v <= 20);
    }
    // Values below -1 are ignored.
    virtual void SetCornerRadius(int v) {
        Assign(face_.cornerRadius, v, ShapeIf({face::bkRoundRect}), v >= -1);
    }
    virtual void SetButtonAngle(int v);
    virtual void SetButtonWidth(int v) { SetButtonSize(v, face_.buttonHeight); }
    virtual void SetButtonHeight(int v) { SetButtonSize(face_.buttonWidth, v); }
    // Both sides at once, with one face build: a wide short bitmap after a tall narrow one never
    // makes a face as wide as the one and as tall as the other on the way.
    void SetButtonSize(int width, int height);
    virtual void SetBitmapTop(int v) { SetOffset(face_.bitmapTop, v, face_.bitmapVAlign, face::vaNone); }
    virtual void SetBitmapLeft(int v) { SetOffset(face_.bitmapLeft, v, face_.bitmapHAlign, face::haNone); }
    virtual void SetBitmapHAlign(face::TLumoHAlign v) { Assign(face_.bitmapHAlign, v, Rebuild::Face); }
    virtual void SetBitmapVAlign(face::TLumoVAlign v) { Assign(face_.bitmapVAlign, v, Rebuild::Face); }
    virtual void SetStringButtonRegion(const QString& v);
    virtual void SetUserRGNAUTO(bool v) { Assign(face_.userRgnAuto, v, Rebuild::Shape); }
    // A rotation point is the button's own: it unfixes the centre.
    virtual void SetRotationPointX(int v) { SetRotationPoint(QPoint(v, turning_.point.y())); }
    virtual void SetRotationPointY(int v) { SetRotationPoint(QPoint(turning_.point.x(), v)); }
    virtual void SetRotationCenterFixed(bool v) { Assign(turning_.centerFixed, v, Rebuild::Shape); }
    virtual void SetRotated(bool v);
    virtual void SetRotatedTime(int v);
    virtual void SetRotatedAngle(int v) { Assign(turning_.angle, v, Rebuild::None, v >= -1799 && v <= 1799); }
    virtual void SetCaptionFixed(bool v) { Assign(face_.captionFixed, v, Rebuild::Face); }
    virtual void SetButtonColor1(face::TColor v) { Assign(face_.buttonColor1, v, Rebuild::Face); }
    virtual void SetGradientKind(face::TLumoGradientKind v) { Assign(face_.gradientKind, v, Rebuild::Face); }
    virtual void SetGradientAngle(int v) { Assign(face_.gradientAngle, v, Rebuild::Face); }
    virtual void SetGradientFixed(bool v) { turning_.gradientFixed = v; }
    virtual void SetCaption3dKind(face::TLumoCaption3dKind v) {
        Assign(face_.caption3dKind, v, Rebuild::Face);
    }
    virtual void SetRadiusRatio(double v) {
        Assign(face_.radiusRatio, v, ShapeIf({face::bkArc, face::bkDonut}), v >= 0.0 && v <= 1.0);
    }
    virtual void SetArcAngle(double v) {
        Assign(face_.arcAngle, v, ShapeIf({face::bkArc}), v >= 0.01 && v <= kMaxArcAngle);
    }
    void SetButtonKind(face::TLumoButtonKind v);
    void SetButton3DKind(face::TLumo3DKind v) { Assign(face_.button3DKind, v, Rebuild::Shape); }
    void SetCustomDraw(bool v) { Assign(face_.customDraw, v, Rebuild::Face); }
    void SetShowFocusRGN(bool v) { Assign(face_.showFocusRgn, v, Rebuild::Face); }
    void SetSmoothCaption(bool v) { Assign(face_.smoothCaption, v, Rebuild::Face); }
    void SetCaptionEffectOffset(int v) { Assign(face_.captionEffectOffset, v, Rebuild::Face, v >= 1); }

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
    face::TColor FontColor() const { return face_.fontColor; }
    void SetFontColor(face::TColor v) { Assign(face_.fontColor, v, Rebuild::Face); }

    // What the window shows, window-sized: the face copied at (0, 0) by every paint, and the
    // animation frames drawn over it. The owner reads finished faces from here.
    const QImage& Canvas() const { return canvas_; }
    // Paints now, whether or not the window is shown, so that Canvas holds the current face.
    void Repaint() { Paint(); }

    // The font the caption is drawn and measured in: the given font in whole pixels, unsmoothed and
    // without kerning.
    static QFont FaceFontOf(const QFont& font) { return face::FaceFontOf(font); }

    bool FocusState() const { return focusState_; }
    bool Pressed() const { return pressed_; }

    int BoundsWidth() const { return bounds_.width(); }
    int BoundsHeight() const { return bounds_.height(); }
    bool IsLoaded() const { return loaded_; }
    // Loading from the form has finished: the shape is rebuilt and from now on the offset setters
    // switch their alignment to the fixed-offset kind.
    void FinishLoading();

    // The regions of the current shape.
    const QRegion& WindowRegion() const { return regions_.window; }
    bool WindowRegionPending() const { return windowRegionPending_; }
    // The bands, frames and focus outline the face is painted with.
    const face::ShapeRegions& Regions() const { return regions_; }

    // The off-screen face, BoundsWidth × BoundsHeight.
    const QImage& FaceBitmap() const { return faceBitmap_; }

    // How often the shape and the face were rebuilt, for the owner and tests to see what a change
    // caused.
    int ShapeBuildCount() const { return shapeBuilds_; }
    int FaceBuildCount() const { return faceBuilds_; }

    // Takes the shape and its regions from the face engine and sets the window region, then
    // rebuilds the face.
    void RebuildShape();
    // Builds the face image from the current properties and state, through the face engine.
    virtual void RebuildFace();
    // The properties that decide the face's pixels, as the engine takes them.
    const face::FaceProperties& Properties() const { return face_; }
    // Takes every property of a face through the setters (the turn first, then the offsets before
    // their alignments), then rebuilds the face. The user kind's region is set on its own.
    void SetFace(const face::FaceProperties& p);

    // The window paint: rebuilds the face when the pressed, mouse-inside or enabled state changed,
    // applies a pending window region, copies the face to Canvas and fires OnPaint.
    virtual void Paint();

    bool AnimationRunning(Animation a) const { return State(a).running; }
    int AnimationFrame(Animation a) const { return State(a).frame; }
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
    // The mouse entering or leaving changes nothing: MouseInside belongs to the owner.
    void enterEvent(QEnterEvent*) override {}
    void leaveEvent(QEvent*) override {}

  private:
    // One glyph animation: its bitmap strip, glyph count and frame interval, and where it is.
    struct AnimationState {
        QImage bitmap;
        int glyphs = 1;
        int interval = 40;
        bool running = false;
        int frame = 0;
    };
    // How the button turns: the point it turns about, the step of the rotation, and whether the
    // gradient turns with it. The rotation's interval and running state are its timer's.
    struct Turning {
        QPoint point;
        bool centerFixed = false;
        int angle = 40;
        bool gradientFixed = false;
    };
    // Where the user kind's region comes from: the region text (StringButtonRegion) or the last
    // region given directly; the one set last is face_.userRegion.
    struct UserRegionSources {
        QString text;
        std::optional<QRegion> handle;
    };

    AnimationState& State(Animation a) { return animations_[static_cast<std::size_t>(a)]; }
    const AnimationState& State(Animation a) const { return animations_[static_cast<std::size_t>(a)]; }
    void StartAnimation(Animation a);
    void StopAnimation(Animation a);
    void ReleaseAnimationTimer();
    // Draws the animation's current frame over the canvas.
    void DrawAnimationFrame(const AnimationState& animation);
    void FocusChanged(bool focused);

    // Window placement.
    void ComputeNewPosition();
    void MoveToNewPlace();
    // A new ButtonWidth or ButtonHeight: bounds, shape, window size, then the face.
    void ApplyNewSize();
    void ApplyExternalResize();
    void SetRotationPoint(QPoint point);

    enum class Rebuild { None, Face, Shape };
    // A property setter: a new value within range is taken and rebuilds what it decides.
    template <typename T>
    void Assign(T& field, const std::type_identity_t<T>& v, Rebuild rebuild, bool inRange = true) {
        if (field == v || !inRange) {
            return;
        }
        field = v;
        if (rebuild == Rebuild::Face) {
            Face();
        } else if (rebuild == Rebuild::Shape) {
            Shape();
        }
    }
    // The shape is rebuilt for a property of these kinds only.
    Rebuild ShapeIf(std::initializer_list<face::TLumoButtonKind> kinds) const {
        return std::find(kinds.begin(), kinds.end(), face_.buttonKind) != kinds.end() ? Rebuild::Shape
                                                                                      : Rebuild::None;
    }
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
        Face();
    }
    void SetAnimationBitmap(Animation a, const QImage& v) { State(a).bitmap = face::OwnBitmapCopy(v); }
    void SetAnimationGlyphs(Animation a, int v) { Assign(State(a).glyphs, v, Rebuild::None, v > 0); }
    // The interval of a running animation stays.
    void SetAnimationInterval(Animation a, int v) {
        Assign(State(a).interval, v, Rebuild::None, !State(a).running);
    }
    void Face() {
        RebuildFace();
        update();
    }
    void Shape() {
        RebuildShape();
        update();
    }
    void UpdateBounds() {
        bounds_ = face::RotatedBounds(face_.buttonWidth, face_.buttonHeight, face_.buttonAngle);
    }
    void ResizeWindowToBounds();

    face::FaceProperties face_;
    std::array<AnimationState, 3> animations_;
    Turning turning_;
    UserRegionSources userSources_;

    QSize bounds_;
    bool loaded_ = false;
    bool internalResize_ = false;
    bool internalMove_ = false;
    bool skipNextSize_ = false;
    bool skipNextMove_ = false;
    // A place given before loading finished, taken then.
    std::optional<QPoint> rememberedPosition_;
    QPoint newPosition_;
    int angleChange_ = 0;

    bool focusState_ = false;
    bool pressed_ = false;
    // The state the face was last built in.
    face::FaceState built_;
    bool faceRebuildDisabled_ = false;
    bool canvasShowsAnimation_ = false;
    bool firstFocusChangeSeen_ = false;
    QImage canvas_;

    QPointer<QTimer> animationTimer_;
    std::unique_ptr<TLumoRotateTimer> rotateTimer_;

    // The shape's regions; `window` is the window region, the user region itself for the user kind
    // without bevel (which has no other regions).
    face::ShapeRegions regions_;
    bool windowRegionPending_ = false;

    QImage faceBitmap_;
    int shapeBuilds_ = 0;
    int faceBuilds_ = 0;
};

}  // namespace render
