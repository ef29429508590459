#include "render/LumoButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "face/FacePainting.h"
#include "face/OutlineMaths.h"
#include "render/LumoRotateTimer.h"

namespace render {
using namespace face;

TLumoButton::TLumoButton(QWidget* parent) : QAbstractButton(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("Times New Roman"));
    setFont(f);
    face_.font = font();
    face_.buttonWidth = width();
    face_.buttonHeight = height();
    bounds_ = size();
    newPosition_ = pos();
    built_.enabled = isEnabled();
    rotateTimer_ = std::make_unique<TLumoRotateTimer>(
        this, [this] { SetButtonAngle(face_.buttonAngle + turning_.angle); }, 40);
    RebuildShape();
}

TLumoButton::~TLumoButton() {
    // The rotation thread is told to end and waited for before anything it could reach goes away.
    rotateTimer_.reset();
    ReleaseAnimationTimer();
}

// --- Placement -----------------------------------------------------------------------------------

void TLumoButton::ResizeWindowToBounds() {
    internalResize_ = true;
    resize(bounds_);
    internalResize_ = false;
}

void TLumoButton::MoveToNewPlace() {
    internalResize_ = true;
    internalMove_ = true;
    setGeometry(QRect(newPosition_, bounds_));
    internalResize_ = false;
    internalMove_ = false;
}

void TLumoButton::ComputeNewPosition() {
    // Keeps the rotation point at the same place on the screen while the angle moves from
    // alpha0 to alpha.
    constexpr long double kPi = 3.14159265358979323846264338327950288L;
    const long double w = face_.buttonWidth;
    const long double h = face_.buttonHeight;
    const long double px = turning_.centerFixed ? face_.buttonWidth / 2 : turning_.point.x();
    const long double py = turning_.centerFixed ? face_.buttonHeight / 2 : turning_.point.y();
    const long double alpha = face_.buttonAngle * kPi / 1800.0L;
    const long double alpha0 = (face_.buttonAngle - angleChange_) * kPi / 1800.0L;
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

// --- Shape and face -------------------------------------------------------------------------------

void TLumoButton::RebuildShape() {
    windowRegionPending_ = false;
    ++shapeBuilds_;
    const int givenHeight = face_.buttonHeight;
    const int height = ShapeOf(face_).properties.buttonHeight;
    if (height != givenHeight) {
        // The arc decides its own height; the window follows its rotated box.
        face_.buttonHeight = height;
        UpdateBounds();
        ResizeWindowToBounds();
    }
    if (face_.buttonKind == bkUser && !face_.userRgnAuto) {
        // The window takes the user region unchanged; no bevel and no frames.
        regions_ = ShapeRegions{};
        regions_.window = face_.userRegion.value_or(QRegion());
    } else {
        ComputeNewPosition();
        // An arc's outline is drawn from the height it was given, its regions at the height it chose.
        FaceProperties given = face_;
        given.buttonHeight = givenHeight;
        regions_ = FaceShapeRegions(given, bounds_);
    }
    windowRegionPending_ = true;
    RebuildFace();
}

void TLumoButton::RebuildFace() {
    if (faceRebuildDisabled_) {
        return;
    }
    ++faceBuilds_;
    built_ = FaceState{isEnabled(), pressed_, MouseInside, focusState_};
    if (faceBitmap_.size() != bounds_.expandedTo(QSize(1, 1))) {
        faceBitmap_ = QImage(bounds_.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        faceBitmap_.fill(Qt::black);
    }
    // Without a button colour the new face is painted over the old one.
    PaintFace(faceBitmap_, face_, built_, regions_, bounds_, size());
}

void TLumoButton::Paint() {
    pressed_ = isDown();
    if (pressed_ != built_.pressed || MouseInside != built_.mouseInside || isEnabled() != built_.enabled) {
        RebuildFace();
    }
    if (windowRegionPending_) {
        windowRegionPending_ = false;
        faceRebuildDisabled_ = true;
        // An empty window region shows nothing of the window.
        setMask(regions_.window.isEmpty() ? QRegion(-1, -1, 1, 1) : regions_.window);
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
        face_.font = font();
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
    face_.caption = text();
    Face();
}

void TLumoButton::FinishLoading() {
    if (rememberedPosition_) {
        internalMove_ = true;
        move(*rememberedPosition_);
        internalMove_ = false;
        newPosition_ = *rememberedPosition_;
        rememberedPosition_.reset();
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
    if (internalResize_ || size() == bounds_) {
        bounds_ = size();
        return;
    }
    ApplyExternalResize();
}

void TLumoButton::ApplyExternalResize() {
    constexpr long double kPi = 3.14159265358979323846264338327950288L;
    bounds_ = size();
    int& w = face_.buttonWidth;
    int& h = face_.buttonHeight;
    const long double a = face_.buttonAngle * kPi / 1800.0L;
    const long double sine = std::sin(a);
    const long double cosine = std::cos(a);
    if (std::fabs(sine) < 0.00001L) {
        w = width();
        h = height();
        Shape();
    } else if (std::fabs(cosine) < 0.00001L) {
        w = height();
        h = width();
        Shape();
    } else {
        const long double b = cosine * w + sine * h;
        const long double e = sine * w + cosine * h;
        const long double scale = (b >= 1 && e >= 1) ? std::max(height() / e, width() / b) : 1.0L;
        bounds_ = QSize(RoundEven(b * scale), RoundEven(e * scale));
        w = RoundEven(scale * w);
        h = RoundEven(scale * h);
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

// --- Animations ----------------------------------------------------------------------------------

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
    animationTimer_->setInterval(state.interval);
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
    for (AnimationState& a : animations_) {
        if (!a.running) {
            continue;
        }
        // One frame a tick; after the last the normal face returns.
        if (a.frame < a.glyphs) {
            DrawAnimationFrame(a);
            ++a.frame;
        } else {
            update();
            a.running = false;
            ReleaseAnimationTimer();
        }
    }
}

void TLumoButton::DrawAnimationFrame(const AnimationState& animation) {
    const QImage& bitmap = animation.bitmap;
    const int glyphs = animation.glyphs;
    const int n = animation.frame;
    if (bitmap.isNull() || glyphs <= 0) {
        return;
    }
    if (canvas_.size() != size()) {
        Paint();
    }
    const int gw = bitmap.width() / glyphs;
    const int bh = bitmap.height();
    const QPoint place = BitmapPlace(face_, gw, bh, width(), height());
    const int x = place.x();
    const int y = place.y();
    // Rows below the animation bitmap are left as the window shows them.
    const QRect source(n * gw, 0, gw, std::min(height(), bh));
    if (face_.transparent) {
        DrawTransparentBitmap(bitmap, source, canvas_, x, y);
    } else {
        QPainter p(&canvas_);
        p.drawImage(QPoint(x, y), bitmap, source);
    }
    canvasShowsAnimation_ = true;
    update();
}

}  // namespace render
