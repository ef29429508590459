#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The button backgrounds Plumeric ships in its samples folder. Every pixel is computed here, with
// integer arithmetic and a fixed pseudo-random sequence, so every build draws the same bytes.
namespace samples {

struct SampleBackground {
    QString fileName;      // what it looks like and its size: "blue-gloss-150x40.bmp"
    QImage image;          // Format_RGB32
    bool forWhiteCaption;  // dark enough for white captions; otherwise meant for black ones
};

QList<SampleBackground> SampleBackgrounds();

// Writes every sample as a 24-bit BMP file into `folder` (made when missing). A file that is there
// already is left alone. Answers how many files were written, or -1 when the folder cannot be made.
int WriteSampleBackgrounds(const QString& folder);

}  // namespace samples
