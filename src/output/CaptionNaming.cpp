#include "output/CaptionNaming.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <utility>

#include "platform/IntegerText.h"
#include "platform/ShownText.h"
#include "platform/TextCodec.h"
#include "settings/DefaultSettings.h"

namespace output {
namespace {

constexpr int kLongNameLength = 36;
constexpr int kShortNameLength = 8;
constexpr int kMixedCase = 0;
constexpr int kUpperCase = 1;
constexpr int kLowerCase = 2;

bool KeepsByte(unsigned char b) {
    if (b == 0x2A)
        return false;  // asterisk
    return (b >= 0x21 && b <= 0x23) || (b >= 0x25 && b <= 0x2D) || (b >= 0x30 && b <= 0x3E) ||
           (b >= 0x40 && b <= 0x5B) || (b >= 0x5D && b <= 0x7E) || b == 0xA3 || b == 0xAC;
}

QString ApplyCase(QString name, int style) {
    for (QChar& c : name) {
        const char16_t u = c.unicode();
        if (style == kUpperCase && u >= 'a' && u <= 'z') {
            c = QChar(u - 'a' + 'A');
        } else if (style == kLowerCase && u >= 'A' && u <= 'Z') {
            c = QChar(u - 'A' + 'a');
        }
    }
    return name;
}

// What stands for the caption in the names of a row whose names would otherwise begin with the
// extension's full stop (a hidden file, or ".htm" for the caption ".."): "caption" and the row.
QString RowCaptionPart(int row) {
    return QStringLiteral("caption") + QString::number(row);
}

QString ButtonName(const QString& prefix, const QString& caption, const QString& extension, bool shortNames,
                   int row) {
    const QString cleanPrefix = CleanFilenamePart(prefix);
    QString cleanCaption = CleanFilenamePart(caption);
    if (cleanPrefix.isEmpty() && cleanCaption.isEmpty()) {
        cleanCaption = RowCaptionPart(row);
    }
    if (!shortNames) {
        return (cleanPrefix + cleanCaption).left(kLongNameLength) + extension;
    }
    const QString cutPrefix = cleanPrefix.left(kShortNameLength);
    return cutPrefix + cleanCaption.left(kShortNameLength - cutPrefix.size()) + extension;
}

// The name cells already written, for the clash test while the list is recalculated: the same
// answers as FilenameIsUnique over the grid, without scanning it for every candidate. While
// twice-size images are written their names count too, both ways: an image's "@2x" name may not be
// a name already written, and no name may be an "@2x" name already written.
class WrittenNames {
  public:
    WrittenNames(bool type2Counts, bool scaled) : type2Counts_(type2Counts), scaled_(scaled) {}

    bool IsUnique(const QString& name, bool image) const {
        return !names_.contains(name) && !(scaled_ && image && names_.contains(ScaledFilename(name)));
    }

    void Add(const FileNames& row) {
        AddImage(row.button1);
        if (type2Counts_) {
            AddImage(row.button2);
        }
        names_.insert(row.html);
    }

  private:
    void AddImage(const QString& name) {
        names_.insert(name);
        if (scaled_) {
            names_.insert(ScaledFilename(name));
        }
    }

    bool type2Counts_;
    bool scaled_;
    QSet<QString> names_;
};

// Renumbering in time linear in the captions. The n-th attempt on a name is the name numbered n
// (each attempt works on the one before, and the name keeps its length, so attempt n is
// NumberedFilename of the first name with n). Names written are never taken back within one
// recalculation, so an attempt that clashed once clashes again: a later row with the same first
// name goes on from the number the row before it found, instead of trying 1, 2, 3 … again.
class Renumbering {
  public:
    explicit Renumbering(const WrittenNames& written) : written_(written) {}

    QString Renumbered(const QString& name, bool image) {
        if (written_.IsUnique(name, image)) {
            return name;
        }
        int& n = next_[{name, image}];
        n = std::max(n, 1);
        QString candidate = NumberedFilename(name, n);
        while (!written_.IsUnique(candidate, image)) {
            candidate = NumberedFilename(name, ++n);
        }
        return candidate;
    }

  private:
    const WrittenNames& written_;
    QHash<std::pair<QString, bool>, int> next_;
};

}  // namespace

QString CleanFilenamePart(const QString& text) {
    const QByteArray bytes = platform::ToWindows1252(text);
    QByteArray kept;
    kept.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x20) {
            kept.append('_');
        } else if (KeepsByte(b)) {
            kept.append(c);
        }
    }
    return platform::FromWindows1252(kept);
}

namespace {

// The caption the names are made from: with Latin file names a caption in any script is first
// written in Latin letters, which the rules then filter as they filter any caption.
QString NamingCaption(const QString& shownCaption, const settings::AppSettings& s) {
    return s.latinNames ? platform::LatinLetters(shownCaption) : shownCaption;
}

// ".BMP", ".PNG" and ".WEBP" for their types, ".GIF" for any other.
QString ImageExtension(const settings::AppSettings& s) {
    return s.fileType == settings::kFileTypeBmp    ? QStringLiteral(".BMP")
           : s.fileType == settings::kFileTypePng  ? QStringLiteral(".PNG")
           : s.fileType == settings::kFileTypeWebp ? QStringLiteral(".WEBP")
                                                   : QStringLiteral(".GIF");
}

}  // namespace

FileNames CaptionFilenames(const QString& shownCaption, const settings::AppSettings& s, int row) {
    const QString caption = NamingCaption(shownCaption, s);
    const QString extension = ImageExtension(s);
    const int length = s.enforce83 ? kShortNameLength : kLongNameLength;
    FileNames names;
    names.button1 = ApplyCase(ButtonName(s.prefix1, caption, extension, s.enforce83, row), s.filenameStyle);
    names.button2 = ApplyCase(ButtonName(s.prefix2, caption, extension, s.enforce83, row), s.filenameStyle);
    QString page = CleanFilenamePart(caption);
    if (page.isEmpty()) {
        page = RowCaptionPart(row);
    }
    names.html = ApplyCase(page.left(length) + QStringLiteral(".HTM"), s.filenameStyle);
    if (!s.secondbuttonEnabled) {
        names.button2 = QLatin1String(kType2DisabledMarker);
    }
    return names;
}

QString PressedFilename(const QString& shownCaption, const settings::AppSettings& s, int row) {
    return ApplyCase(
        ButtonName(s.prefixPressed, NamingCaption(shownCaption, s), ImageExtension(s), s.enforce83, row),
        s.filenameStyle);
}

QStringList PressedFilenames(const settings::AppSettings& s) {
    using settings::CaptionGrid;
    const CaptionGrid& grid = s.captions;
    QStringList names(grid.RowCount());
    QSet<QString> taken;
    for (const int r : grid.SavedRows()) {
        const QString first = PressedFilename(grid.Cell(r, CaptionGrid::kCaptionColumn), s, r);
        QString name = first;
        for (int n = 1; taken.contains(name); ++n) {
            name = NumberedFilename(first, n);
        }
        taken.insert(name);
        names[r] = name;
    }
    return names;
}

bool WritesScaledImages(const settings::AppSettings& s) {
    return s.scale2x && !s.enforce83;
}

QString ScaledFilename(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString scaled = name;
    return scaled.insert(dot < 0 ? name.size() : dot, QLatin1String("@2x"));
}

bool FilenameIsUnique(const settings::CaptionGrid& grid, const QString& name, bool type2Enabled) {
    using settings::CaptionGrid;
    for (int r = 1; r < grid.RowCount(); ++r) {
        const CaptionGrid::Row& row = grid.RowAt(r);
        if (row[CaptionGrid::kType1Column] == name || row[CaptionGrid::kHtmlColumn] == name ||
            (type2Enabled && row[CaptionGrid::kType2Column] == name)) {
            return false;
        }
    }
    return true;
}

QString NumberedFilename(const QString& name, int counter) {
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    QString base = dot < 0 ? name : name.left(dot);
    const QString digits = QString::number(counter);
    base.chop(std::min(base.size(), digits.size()));
    return base + digits + extension;
}

void RecalculateFilenames(settings::AppSettings& s) {
    using settings::CaptionGrid;
    CaptionGrid& grid = s.captions;
    // The names are made anew; the links stay as they are.
    for (int r = 1; r < grid.RowCount(); ++r) {
        for (int c = CaptionGrid::kType1Column; c <= CaptionGrid::kHtmlColumn; ++c) {
            grid.SetCell(r, c, QString());
        }
    }
    WrittenNames written(s.secondbuttonEnabled, WritesScaledImages(s));
    Renumbering renumbering(written);
    for (int r = 1; r < grid.RowCount(); ++r) {
        const QString caption = grid.Cell(r, CaptionGrid::kCaptionColumn);
        if (caption.isEmpty()) {
            continue;
        }
        FileNames names = CaptionFilenames(caption, s, r);
        // The three names of a row are numbered against the rows above only, never each other.
        names.button1 = renumbering.Renumbered(names.button1, true);
        names.button2 = renumbering.Renumbered(names.button2, s.secondbuttonEnabled);
        names.html = renumbering.Renumbered(names.html, false);
        grid.SetCell(r, CaptionGrid::kType1Column, names.button1);
        grid.SetCell(r, CaptionGrid::kType2Column, names.button2);
        grid.SetCell(r, CaptionGrid::kHtmlColumn, names.html);
        written.Add(names);
    }
}

bool IsPlainFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return false;
    }
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u == '/' || u == '\\' || u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F)) {
            return false;
        }
    }
    return true;
}

namespace {

using settings::CaptionGrid;

// The name columns a batch writes files under: type 1, type 2 while it is enabled, and the page.
QList<int> UsedNameColumns(bool type2Enabled) {
    if (type2Enabled) {
        return {CaptionGrid::kType1Column, CaptionGrid::kType2Column, CaptionGrid::kHtmlColumn};
    }
    return {CaptionGrid::kType1Column, CaptionGrid::kHtmlColumn};
}

// A name cell a batch would not use as it stands: one that holds text (a blank cell is filled in
// as usual) but is not a plain file name.
bool IsUnusableName(const QString& cell) {
    return !platform::Trim(cell).isEmpty() && !IsPlainFileName(cell);
}

QString RowList(const QList<int>& rows) {
    constexpr int kListed = 10;
    QStringList numbers;
    for (int i = 0; i < rows.size() && i < kListed; ++i) {
        numbers.append(QString::number(rows[i]));
    }
    if (rows.size() > kListed) {
        return numbers.join(QStringLiteral(", ")) + QStringLiteral(" and %1 more").arg(rows.size() - kListed);
    }
    if (numbers.size() == 1) {
        return numbers.first();
    }
    const QString last = numbers.takeLast();
    return numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

}  // namespace

QList<int> RowsWithUnusableNames(const settings::AppSettings& s) {
    const CaptionGrid& grid = s.captions;
    const QList<int> columns = UsedNameColumns(s.secondbuttonEnabled);
    QList<int> rows;
    for (int r = 1; r < grid.RowCount(); ++r) {
        if (!grid.IsSavedRow(r)) {
            continue;
        }
        for (const int c : columns) {
            if (IsUnusableName(grid.Cell(r, c))) {
                rows.append(r);
                break;
            }
        }
    }
    return rows;
}

bool TestPageNameUnusable(const settings::AppSettings& s) {
    return !IsPlainFileName(s.htmlMainFilename);
}

QString UnusableNamesWarning(const settings::AppSettings& s) {
    QStringList parts;
    const QList<int> rows = RowsWithUnusableNames(s);
    if (!rows.isEmpty()) {
        parts.append(QStringLiteral("the file names in caption list row%1 %2")
                         .arg(rows.size() == 1 ? QString() : QStringLiteral("s"), RowList(rows)));
    }
    if (TestPageNameUnusable(s)) {
        parts.append(
            QStringLiteral("the test page name \"%1\"").arg(platform::ShownValue(s.htmlMainFilename)));
    }
    if (parts.isEmpty()) {
        return QString();
    }
    const bool one = rows.isEmpty();  // the test page name alone
    QString text =
        parts.join(QStringLiteral(" and ")) +
        (one ? QStringLiteral(" is not a plain file name") : QStringLiteral(" are not plain file names")) +
        QStringLiteral("; saving uses default names.");
    return text;
}

void ReplaceUnusableNames(settings::AppSettings& s) {
    if (TestPageNameUnusable(s)) {
        s.htmlMainFilename = QLatin1String(settings::kDefaultTestPageName);
    }
    CaptionGrid& grid = s.captions;
    const QList<int> rows = RowsWithUnusableNames(s);
    if (rows.isEmpty()) {
        return;
    }
    // How often each name stands in the name cells of the list, to number a new name against the
    // other rows' names as FilenameIsUnique does, without scanning the list for each candidate.
    const QList<int> counted = UsedNameColumns(s.secondbuttonEnabled);
    QHash<QString, int> uses;
    for (int r = 1; r < grid.RowCount(); ++r) {
        for (const int c : counted) {
            ++uses[grid.Cell(r, c)];
        }
    }
    for (const int r : rows) {
        const FileNames defaults = CaptionFilenames(grid.Cell(r, CaptionGrid::kCaptionColumn), s, r);
        const QString names[3] = {defaults.button1, defaults.button2, defaults.html};
        for (const int c : UsedNameColumns(s.secondbuttonEnabled)) {
            const QString old = grid.Cell(r, c);
            if (!IsUnusableName(old)) {
                continue;
            }
            // A clash with another row; the row's own cells do not count.
            const auto takenElsewhere = [&](const QString& name) {
                int own = 0;
                for (const int o : counted) {
                    own += grid.Cell(r, o) == name ? 1 : 0;
                }
                return uses.value(name) > own;
            };
            QString name = names[c - 1];
            for (int n = 1; takenElsewhere(name); ++n) {
                name = NumberedFilename(name, n);
            }
            --uses[old];
            ++uses[name];
            grid.SetCell(r, c, name);
        }
    }
}

}  // namespace output
