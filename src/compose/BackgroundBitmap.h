#pragma once

#include <QImage>
#include <QString>

// Reading the background bitmaps of the buttons.
namespace compose {

// Reads a background bitmap; a file that is not a regular file or holds no picture (a BMP file cut
// short included) throws with the message the status bar shows.
QImage LoadBitmapFile(const QString& path);
QString BitmapUnreadableMessage(const QString& path);

// A background bitmap read once for a batch: the picture, or why there is none.
struct BackgroundBitmap {
    QImage picture;
    // The system's reason when the file cannot be read at all (missing, not a regular file, not
    // permitted); empty when it was read.
    QString unreadable;
    // The message of LoadBitmapFile when the file was read but holds no picture.
    QString notAPicture;
};
BackgroundBitmap ReadBackgroundBitmap(const QString& path);

}  // namespace compose
