#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

namespace output {

// How an image measures against the rules for web pages: the contrast of its caption against the
// face beneath it (the 5th percentile of its caption pixels' ratios) and what the caption needs, and
// the size of the image. The face engine decides what meets the rules.
struct AccessFigure {
    bool hasText = false;  // a caption with something to read
    double contrast = 0;
    double needs = 4.5;
    bool contrastMet = true;
    QSize size;
    bool sizeMet = true;

    bool Met() const { return contrastMet && sizeMet; }
};

// The faces of one batch, planned once when the batch starts from the settings as they are then:
// later changes to the settings do not reach them. Types are settings::kType1 and kType2. Safe to use
// from several threads at once.
class BatchFaces {
  public:
    virtual ~BatchFaces() = default;

    // Why the type's background bitmap cannot be read, in the system's words ("No such file or
    // directory", …); nothing when the type draws no bitmap file or its file was read.
    virtual std::optional<QString> UnreadableBitmap(int type) const = 0;

    // The size of the type's button for a caption, before any limit of a file: a batch measures
    // every caption before it writes a file. Throws what keeps the type's faces from being made (a
    // bitmap file that holds no picture).
    virtual QSize FaceSize(int type, const QString& caption) const = 0;

    // Whether the caption lies inside the type's button shape (a fixed width may be too narrow for it;
    // smart sizing makes every button wide enough).
    virtual bool CaptionInsideShape(int /*type*/, const QString& /*caption*/) const { return true; }

    // The picture of the type's button file for a caption; with a `scale` of 2 the face for
    // high-density screens, drawn afresh at exactly twice the size. Throws as FaceSize.
    virtual QImage Picture(int type, const QString& caption, int scale) const = 0;

    // The picture of a pressed image: the type's face as the button shows it pressed with the mouse
    // inside (the caption and bitmap moved right and down by a pixel, two at 2×, the outer bevel's
    // highlight and shadow swapped). Throws as FaceSize.
    virtual QImage PressedPicture(int type, const QString& caption, int scale) const = 0;

    // How the 1× image of the type's button for a caption (its pressed image with `pressed`)
    // measures; a twice-size image is the same face drawn larger and goes by it. Faces that cannot
    // measure themselves claim nothing: their size, no text, nothing short. Throws as FaceSize.
    virtual AccessFigure Access(int type, const QString& caption, bool /*pressed*/) const {
        AccessFigure figure;
        figure.size = FaceSize(type, caption);
        return figure;
    }
};

// Whoever turns the settings into faces: the batch asks it for a plan when it starts.
class ButtonRenderer {
  public:
    virtual ~ButtonRenderer() = default;

    // Plans the faces of a batch from the current settings; each background bitmap is read here,
    // once.
    virtual std::shared_ptr<const BatchFaces> PlanBatch() = 0;
};

}  // namespace output
