#pragma once

#include <QList>
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

// The default names of the caption of data row `row` under the current settings (prefixes, file
// type, 8.3 names, case style, type 2 enabled, Latin file names). A name that would begin with its
// extension's full stop (the caption ".." and no prefix) takes "caption" and the row number in place of the
// caption.
FileNames CaptionFilenames(const QString& caption, const settings::AppSettings& s, int row);

// The default name of the caption's pressed image: the caption under the pressed images' prefix, made
// as the image names are (whether or not pressed images are written, and whether or not type 2 is
// enabled).
QString PressedFilename(const QString& caption, const settings::AppSettings& s, int row);

// The names of the list's pressed images, by grid row (an empty name for the header row and for a
// row that is not saved): each saved row's default pressed name, numbered where a row above already
// has it, so that a caption listed twice gets two files. The list has no column of its own for them.
QStringList PressedFilenames(const settings::AppSettings& s);

// Whether a batch writes every image a second time at twice the size: the 2× choice is on and 8.3
// names are off (a name with "@2x" is no 8.3 name).
bool WritesScaledImages(const settings::AppSettings& s);

// The name of an image's twice-size copy for high-density screens: "@2x" inserted before the name's
// last full stop, or added at its end when it has none, whatever the case style (U_HOME@2x.GIF).
QString ScaledFilename(const QString& name);

// True when no file-name cell of any data row equals `name` exactly; type 2 cells count only while
// type 2 buttons are enabled.
bool FilenameIsUnique(const settings::CaptionGrid& grid, const QString& name, bool type2Enabled);

// Rewrites the three name columns of every row: default names, numbered where they clash with the
// names of the rows above. Rows with an empty caption stay blank.
void RecalculateFilenames(settings::AppSettings& s);

// The next candidate when `name` clashes: the counter replaces as many characters at the end of the
// part before the first full stop as it has digits, so the name keeps its length.
QString NumberedFilename(const QString& name, int counter);

// Whether a name can be used as it stands for a file inside the chosen folder: not empty, not "."
// or "..", and without a separator of either kind ("/", "\\"), a NUL or another control character.
bool IsPlainFileName(const QString& name);

// The data rows with a caption whose file names hold a name that is not blank and not a plain file
// name (only the names a batch uses count: type 2's only while type 2 is enabled).
QList<int> RowsWithUnusableNames(const settings::AppSettings& s);

// What a settings file is warned about when it holds such names, or a test page name that is not a
// plain file name, as a sentence from its first word in lower case ("the file names in caption list
// rows 2 and 5 are …"); empty when there is nothing to say.
QString UnusableNamesWarning(const settings::AppSettings& s);

// Done when a batch starts: each such name becomes the default name of its row's caption, numbered
// where it clashes with another row's names as the caption list numbers its names; a test page name
// that is not a plain file name becomes the default one. Nothing is ever written outside the folders.
void ReplaceUnusableNames(settings::AppSettings& s);

}  // namespace output
