#include "compose/BatchPlan.h"

#include <map>
#include <mutex>
#include <stdexcept>

#include "compose/FaceSettings.h"
#include "compose/FilePicture.h"
#include "face/AccessMeasure.h"
#include "face/FaceEngine.h"
#include "settings/AppSettings.h"

namespace compose {

// The shapes of one type's faces at one scale, made once for each size the faces take: all else
// that decides a shape is the same for every caption. Safe to use from several threads at once.
class BatchPlan::ShapeCache {
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

output::AccessFigure MeasureAccess(const face::FaceProperties& p, const face::FaceState& state) {
    const face::CaptionContrast c = face::MeasureCaptionContrast(p, state);
    output::AccessFigure figure;
    figure.hasText = c.hasText;
    figure.contrast = c.contrast;
    figure.needs = c.needs;
    figure.contrastMet = face::ContrastMet(c);
    figure.size = QSize(p.buttonWidth, p.buttonHeight);
    figure.sizeMet = face::TargetSizeMet(figure.size);
    return figure;
}

BatchPlan::BatchPlan(std::array<TypePlan, 2> types, bool smooth, int fileType, face::TColor pageColour)
    : types_(std::move(types)), smooth_(smooth), fileType_(fileType), pageColour_(pageColour) {
    for (auto& scales : shapes_) {
        for (auto& cache : scales) {
            cache = std::make_unique<ShapeCache>();
        }
    }
}

BatchPlan::~BatchPlan() = default;

const BatchPlan::TypePlan& BatchPlan::Type(int type) const {
    return types_[type == settings::kType1 ? 0 : 1];
}

std::optional<QString> BatchPlan::UnreadableBitmap(int type) const {
    return Type(type).unreadable;
}

QSize BatchPlan::FaceSize(int type, const QString& caption) const {
    const TypePlan& t = Type(type);
    if (!t.failure.isEmpty()) {
        throw std::runtime_error(t.failure.toStdString());
    }
    return compose::FaceSize(t.style, caption, t.face.font, smooth_, t.bitmapSize,
                             QSize(t.face.buttonWidth, t.face.buttonHeight));
}

face::FaceProperties BatchPlan::Face(int type, const QString& caption, int scale) const {
    face::FaceProperties p = Type(type).face;
    p.caption = caption;
    const QSize size =
        FaceSize(type, caption).boundedTo(QSize(settings::kMaxButtonSide, settings::kMaxButtonSide));
    p.buttonWidth = size.width();
    p.buttonHeight = size.height();
    p.cornerRadius = FaceCornerRadius(Type(type).style, size);
    // A face for high-density screens: the 1× face's properties doubled, its size included.
    return ScaledFace(p, scale);
}

bool BatchPlan::CaptionInsideShape(int type, const QString& caption) const {
    const TypePlan& t = Type(type);
    // Smart sizing widens the shape for the caption and the spacing; a spacing below 0 is the
    // user's own choice.
    if (settings::IsSmartSized(t.style.backgroundMode)) {
        return true;
    }
    return compose::CaptionInsideShape(t.style, caption, t.face.font, smooth_, FaceSize(type, caption));
}

output::AccessFigure BatchPlan::Access(int type, const QString& caption, bool pressed) const {
    // The 1× face decides, also for its twice-size image.
    return MeasureAccess(Face(type, caption, 1), pressed ? PressedFaceState() : SavedFaceState());
}

QImage BatchPlan::Picture(int type, const QString& caption, int scale) const {
    return PictureIn(type, caption, scale, SavedFaceState());
}

QImage BatchPlan::PressedPicture(int type, const QString& caption, int scale) const {
    // The same face, shape and file picture as the type's own image; only the state differs.
    return PictureIn(type, caption, scale, PressedFaceState());
}

QImage BatchPlan::PictureIn(int type, const QString& caption, int scale, const face::FaceState& state) const {
    const face::FaceProperties p = Face(type, caption, scale);
    const face::ShapedFace shaped = face::ShapeOf(p);
    ShapeCache& cache = *shapes_[type == settings::kType1 ? 0 : 1][scale > 1 ? 1 : 0];
    const std::shared_ptr<const face::ShapeRegions> regions = cache.For(shaped);
    const QImage picture = SavedPicture(face::RenderShapedFace(shaped, *regions, state), p);
    // The file's shape is the painted one where the face was not reshaped (an arc is).
    return FilePicture(
        picture, p, fileType_, pageColour_,
        p.buttonKind != face::bkArc && shaped.bounds == picture.size() ? regions.get() : nullptr,
        Type(type).style.smoothEdges);
}

}  // namespace compose
