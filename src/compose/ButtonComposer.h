#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "face/ButtonShapes.h"
#include "face/FaceProperties.h"
#include "output/ButtonRenderer.h"
#include "settings/AppSettings.h"

namespace compose {

// The road from the settings model to finished button faces: turns both types' settings into face
// properties and renders them with the face engine, no widget involved. It reads the settings model only;
// where applying the settings changes a setting (an empty size field counts as 0 and then shows "0"), it
// writes the model and tells OnSettingsChanged, so whoever shows the model can bring its controls in line.
class TButtonComposer : public output::ButtonRenderer {
  public:
    explicit TButtonComposer(settings::AppSettings& settings);
    ~TButtonComposer() override;

    TButtonComposer(const TButtonComposer&) = delete;
    TButtonComposer& operator=(const TButtonComposer&) = delete;

    // The properties every face starts with, before the first settings are applied.
    static face::FaceProperties InitialFace();
    // The state a saved face shows.
    static face::FaceState FaceStateShown();
    // The picture a button file of `fileType` holds: the face's ButtonWidth × ButtonHeight rectangle,
    // stretched to its window size where they differ. Outside a shape other than the rectangle the
    // pixels are transparent (alpha 0) in a PNG or WebP file, whose picture then has an alpha channel, and
    // take `pageColour` (the HTML pages' background) in BMP and GIF files. Reads only its arguments, so
    // pictures may be made on several threads at once.
    static QImage FilePicture(const face::FaceProperties& p, int fileType, face::TColor pageColour);
    // The same from the face's saved picture, with the regions of its shape when the caller has them.
    static QImage FilePicture(const QImage& picture, const face::FaceProperties& p, int fileType,
                              face::TColor pageColour, const face::ShapeRegions* regions);

    void ApplyButtonSettings(const QString& caption1, const QString& caption2) override;
    // Copies the finished face of the type's button (1 or 2) into the capture picture and answers it:
    // the picture a file of the settings' type holds (FilePicture).
    QImage CaptureButton(int type);
    QList<QSize> FaceSizes(int type, const QStringList& captions) override;
    // The face of the type's button (1 or 2) as the last ApplyButtonSettings left it, drawn `scale`
    // times as large for high-density screens: exactly `scale` times the width and height of the
    // picture CaptureButton gives. The capture picture is left as it is.
    QImage CaptureScaledButton(int type, int scale) const;
    FaceRender BatchFaces(int scale) override;

    // The type's face properties (kType1 or kType2) as the last ApplyButtonSettings left them.
    const face::FaceProperties& Face(int type) const;
    // The capture picture: the last face captured, or the last mode-0 bitmap that was loaded.
    const QImage& TempImage() const { return tempImage_; }

    // Called with the type whose size texts ApplyButtonSettings rewrote.
    std::function<void(int type)> OnSettingsChanged;

  private:
    void ApplyTypeSettings(int type, const QString& caption);

    settings::AppSettings& settings_;
    std::array<face::FaceProperties, 2> faces_;
    QImage tempImage_;
};

}  // namespace compose
