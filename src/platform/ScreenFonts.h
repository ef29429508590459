#pragma once

#include <QString>
#include <QStringList>

// The system's screen fonts as the font lists show them: by family name alone.
namespace platform {

// The family of a font name. Where several foundries make a family the system's list names each
// with its foundry in brackets ("C059 [urw]"); that tag goes, so the name is the family ("C059"),
// which every machine resolves. A name without a tag stays as it is.
QString FontFamilyName(const QString& name);

// Each family of a list of font names once, by its family name, in the order it first appears.
QStringList FontFamilies(const QStringList& names);

// The system's screen fonts (QFontDatabase::families()) as FontFamilies gives them.
QStringList ScreenFontFamilies();

}  // namespace platform
