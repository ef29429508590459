#pragma once

#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "compose/BatchPlan.h"
#include "face/FaceProperties.h"
#include "output/ButtonRenderer.h"
#include "settings/AppSettings.h"

namespace compose {

// The road from the settings model to button faces, no widget involved: the faces of both types for
// the previews, and the plan of a batch. It reads the settings model only; where applying the
// settings changes a setting (an empty size field counts as 0 and then shows "0"), it writes the model
// and tells OnSettingsChanged, so whoever shows the model can bring its controls in line.
class TButtonComposer : public output::ButtonRenderer {
  public:
    explicit TButtonComposer(settings::AppSettings& settings);
    ~TButtonComposer() override;

    TButtonComposer(const TButtonComposer&) = delete;
    TButtonComposer& operator=(const TButtonComposer&) = delete;

    // The properties every face starts with, before the first settings are applied.
    static face::FaceProperties InitialFace();

    // Applies both types' settings, caption 1 to the type 1 face and caption 2 to the type 2 face;
    // each background bitmap is read again. Throws the message of a bitmap file that holds no
    // picture.
    void ApplyButtonSettings(const QString& caption1, const QString& caption2);
    // The type's face properties (kType1 or kType2) as the last settings applied left them.
    const face::FaceProperties& Face(int type) const;

    // Applies the settings once with the test caption, reading the bitmaps of the types to be saved
    // (type 2 only while it is enabled) once each, and plans the batch's faces from them.
    std::shared_ptr<const output::BatchFaces> PlanBatch() override;
    // The plan of the last batch, nothing before the first.
    const BatchPlan* LastPlan() const { return plan_.get(); }

    // Called with the type whose size texts the settings applied rewrote.
    std::function<void(int type)> OnSettingsChanged;

  private:
    // Applies one type's settings with its bitmap as read (null: none read).
    void ApplyType(int type, const QString& caption, const QImage* bitmap);

    settings::AppSettings& settings_;
    std::array<face::FaceProperties, 2> faces_;
    // The size of the last bitmap a bitmap-sized button took, kept for one whose file is missing.
    QSize lastBitmapSize_{0, 0};
    std::shared_ptr<const BatchPlan> plan_;
};

}  // namespace compose
