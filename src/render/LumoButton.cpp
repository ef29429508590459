#include "render/LumoButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "face/CaptionLayout.h"
#include "face/ColorRules.h"
#include "face/FaceEngine.h"
#include "face/FacePainting.h"
#include "render/LumoRotateTimer.h"

namespace render {
using namespace face;

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
    params.cornerRadius = cornerRadius_;
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

    const QSize faceSize(std::max(boundsWidth_, 1), std::max(boundsHeight_, 1));
    if (faceBitmap_.size() != faceSize) {
        faceBitmap_ = QImage(faceSize, QImage::Format_RGB32);
        faceBitmap_.fill(Qt::black);
    }
    // Without a button colour the new face is painted over the old one.
    PaintFace(faceBitmap_, Properties(), FaceState{isEnabled(), pressed_, MouseInside, focusState_}, regions_,
              QSize(boundsWidth_, boundsHeight_), size());
}

FaceProperties TLumoButton::Properties() const {
    FaceProperties p;
    p.buttonWidth = buttonWidth_;
    p.buttonHeight = buttonHeight_;
    p.buttonAngle = buttonAngle_;
    p.buttonKind = buttonKind_;
    p.peaksNumber = peaksNumber_;
    p.cornerRadius = cornerRadius_;
    p.radiusRatio = radiusRatio_;
    p.arcAngle = arcAngle_;
    if (const QRegion* user = CurrentUserRegion()) {
        p.userRegion = *user;
    }
    p.userRgnAuto = userRgnAuto_;
    p.buttonColor = buttonColor_;
    p.buttonColor1 = buttonColor1_;
    p.button3DKind = button3DKind_;
    p.buttonDepth = buttonDepth_;
    p.gradientKind = gradientKind_;
    p.gradientAngle = gradientAngle_;
    p.gradientBitmap = gradientBitmap_;
    p.gradientBitmapLine = gradientBitmapLine_;
    p.customDraw = customDraw_;
    p.showFocusRgn = showFocusRgn_;
    p.mainBitmap = mainBitmap_;
    p.mainBitmapGlyphs = mainBitmapGlyphs_;
    p.transparent = transparent_;
    p.bitmapTop = bitmapTop_;
    p.bitmapLeft = bitmapLeft_;
    p.bitmapHAlign = bitmapHAlign_;
    p.bitmapVAlign = bitmapVAlign_;
    p.caption = text();
    p.font = font();
    p.fontColor = fontColor_;
    p.captionTop = captionTop_;
    p.captionLeft = captionLeft_;
    p.captionAngle = captionAngle_;
    p.captionHAlign = captionHAlign_;
    p.captionVAlign = captionVAlign_;
    p.captionFixed = captionFixed_;
    p.caption3dKind = caption3dKind_;
    p.smoothCaption = smoothCaption_;
    p.captionEffectOffset = captionEffectOffset_;
    return p;
}

QFont TLumoButton::FaceFontOf(const QFont& font) {
    return face::FaceFontOf(font);
}

QPoint TLumoButton::BitmapPlace(int glyphWidth, int bitmapHeight, int w, int h) const {
    FaceProperties p;
    p.buttonDepth = buttonDepth_;
    p.bitmapTop = bitmapTop_;
    p.bitmapLeft = bitmapLeft_;
    p.bitmapHAlign = bitmapHAlign_;
    p.bitmapVAlign = bitmapVAlign_;
    return face::BitmapPlace(p, glyphWidth, bitmapHeight, w, h);
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
