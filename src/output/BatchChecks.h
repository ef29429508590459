#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "output/ButtonRenderer.h"
#include "settings/AppSettings.h"

// What a batch makes sure of before it writes any file: that every background bitmap it needs can
// be read, and that no button it would write is empty. Types are settings::kType1 and kType2.
namespace output {

QString BitmapRefusedMessage(int type, const QString& path, const QString& reason);
QString ButtonTooSmallMessage(int type, QSize size, const QString& caption);

// The largest side, in pixels, of any image a batch writes (1× and 2× alike).
inline constexpr int kMaxImageSide = settings::kMaxButtonSide;

// A button whose image would be wider or higher than kMaxImageSide. `scale` is 1 for the button
// itself and 2 for its image for high-density screens; `setting` names what to change ("width",
// "height", …) as the message gives it.
QString ButtonTooLargeMessage(int type, qint64 width, qint64 height, int scale, const QString& caption,
                              const QString& setting);
QString ScaledNameClashMessage(int row, const QString& scaledName, int otherRow);

// While twice-size images are written: the first image of the list whose "@2x" name is the name of
// a file of the list (an image or a page of any row, blank names counted as the defaults the batch
// gives them), as ScaledNameClashMessage shows it; nothing when every "@2x" name is free.
std::optional<QString> ScaledNameClash(const settings::AppSettings& s);

QString PressedNameClashMessage(int row, const QString& pressedName, int otherRow);

// While pressed images are written: the first row whose pressed image (or its "@2x" copy while those
// are written) would take the name of another file of the list (an image, its "@2x" copy, a page, or
// another row's pressed image), as PressedNameClashMessage shows it; nothing when every name is free.
std::optional<QString> PressedNameClash(const settings::AppSettings& s);

// The first reason not to start the batch, as the error box shows it, or nothing. First a link of the
// list that no page may take (LinkRefusal): a batch may be the first step of writing the pages, so it
// is refused before any file. Then the bitmaps of the types to be saved (type 2 only while it is
// enabled): one that is missing, unreadable or not a regular file. Then a twice-size image that would
// take the name of another file of the list (ScaledNameClash), and a pressed image that would
// (PressedNameClash). Then the size of every button: all captions are measured (in smart sizing the
// width follows the caption), and the first button narrower or lower than one pixel, or with an image
// (its 2× image while those are written) wider or higher than kMaxImageSide, is named.
std::optional<QString> BatchRefusal(const settings::AppSettings& s, const BatchFaces& faces);

}  // namespace output
