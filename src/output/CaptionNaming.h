#pragma once

#include <QString>

#include "settings/AppSettings.h"

// The rules that turn a caption into the names of its three files: the type 1 image, the type 2
// image and the caption's HTML page.
namespace output {

// The marker that stands in the type 2 name column while type 2 buttons are disabled.
inline constexpr char kType2DisabledMarker[] = "<Type 2 buttons are disabled>";

struct FileNames {
    QString button1;
    QString button2;
    QString html;
};

// Keeps the characters a file name may take from a caption or a prefix, judged on their
// Windows-1252 bytes: a space becomes "_"; ! " # % & ' ( ) + , - digits : ; < = > @ A-Z [ ] ^ _ `
// a-z { | } ~ £ ¬ stay; everything else is dropped.
QString CleanFilenamePart(const QString& text);

// The default names of one caption under the current settings (prefixes, file type, 8.3 names,
// case style, type 2 enabled).
FileNames CaptionFilenames(const QString& caption, const settings::AppSettings& s);

// True when no file-name cell of any data row equals `name` exactly; type 2 cells count only while
// type 2 buttons are enabled.
bool FilenameIsUnique(const settings::CaptionGrid& grid, const QString& name, bool type2Enabled);

// Rewrites the three name columns of every row: default names, numbered where they clash with the
// names of the rows above. Rows with an empty caption stay blank.
void RecalculateFilenames(settings::AppSettings& s);

// The next candidate when `name` clashes: the counter replaces as many characters at the end of the
// part before the first full stop as it has digits, so the name keeps its length.
QString NumberedFilename(const QString& name, int counter);

}  // namespace output
