#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "face/FaceProperties.h"
#include "output/ButtonRenderer.h"
#include "settings/ButtonStyle.h"

namespace compose {

// How a face measures against the rules for web pages in `state`: its caption's contrast
// (face::MeasureCaptionContrast) and the size of its picture, the button's own rectangle.
output::AccessFigure MeasureAccess(const face::FaceProperties& p, const face::FaceState& state);

// The faces of one batch, fixed when it starts: both types' faces for the test caption, each
// background bitmap decoded once, and what sizes a face by its caption. A face for a caption is the
// type's face with that caption and, for a smart-sized button, the width it gives; pictures are
// painted by the face engine, the shapes of each size made once. Immutable, so the batch's worker
// threads may ask for pictures all at once.
class BatchPlan final : public output::BatchFaces {
  public:
    struct TypePlan {
        face::FaceProperties face;
        settings::ButtonStyle style;
        // The size of the bitmap a bitmap-sized button takes.
        QSize bitmapSize{0, 0};
        // Why the type's bitmap file could not be read, and the message its faces then throw.
        std::optional<QString> unreadable;
        QString failure;
    };

    BatchPlan(std::array<TypePlan, 2> types, bool smooth, int fileType, face::TColor pageColour);
    ~BatchPlan() override;

    std::optional<QString> UnreadableBitmap(int type) const override;
    QSize FaceSize(int type, const QString& caption) const override;
    QImage Picture(int type, const QString& caption, int scale) const override;
    QImage PressedPicture(int type, const QString& caption, int scale) const override;
    bool CaptionInsideShape(int type, const QString& caption) const override;
    output::AccessFigure Access(int type, const QString& caption, bool pressed) const override;

    // The properties of the type's face for a caption, drawn `scale` times as large.
    face::FaceProperties Face(int type, const QString& caption, int scale) const;

  private:
    class ShapeCache;
    const TypePlan& Type(int type) const;
    // The picture of the type's file for a caption with its face in `state`.
    QImage PictureIn(int type, const QString& caption, int scale, const face::FaceState& state) const;

    std::array<TypePlan, 2> types_;
    bool smooth_;
    int fileType_;
    face::TColor pageColour_;
    // The shapes of each type's faces at 1× and 2×.
    std::array<std::array<std::unique_ptr<ShapeCache>, 2>, 2> shapes_;
};

}  // namespace compose
