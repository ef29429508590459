#include "output/CaptionNaming.h"

#include <QSet>

#include "platform/TextCodec.h"

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

QString ButtonName(const QString& prefix, const QString& caption, const QString& extension, bool shortNames) {
    const QString cleanPrefix = CleanFilenamePart(prefix);
    const QString cleanCaption = CleanFilenamePart(caption);
    if (!shortNames) {
        return (cleanPrefix + cleanCaption).left(kLongNameLength) + extension;
    }
    const QString cutPrefix = cleanPrefix.left(kShortNameLength);
    return cutPrefix + cleanCaption.left(kShortNameLength - cutPrefix.size()) + extension;
}

// The name cells already written, for the clash test while the list is recalculated: the same
// answers as FilenameIsUnique over the grid, without scanning it for every candidate.
class WrittenNames {
  public:
    explicit WrittenNames(bool type2Counts) : type2Counts_(type2Counts) {}

    bool IsUnique(const QString& name) const { return !names_.contains(name); }

    void Add(const FileNames& row) {
        names_.insert(row.button1);
        if (type2Counts_) {
            names_.insert(row.button2);
        }
        names_.insert(row.html);
    }

  private:
    bool type2Counts_;
    QSet<QString> names_;
};

QString Renumbered(QString name, const WrittenNames& written) {
    for (int n = 1; !written.IsUnique(name); ++n) {
        name = NumberedFilename(name, n);
    }
    return name;
}

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

FileNames CaptionFilenames(const QString& caption, const settings::AppSettings& s) {
    const QString extension =
        s.fileType == settings::kFileTypeBmp ? QStringLiteral(".BMP") : QStringLiteral(".GIF");
    const int length = s.enforce83 ? kShortNameLength : kLongNameLength;
    FileNames names;
    names.button1 = ApplyCase(ButtonName(s.prefix1, caption, extension, s.enforce83), s.filenameStyle);
    names.button2 = ApplyCase(ButtonName(s.prefix2, caption, extension, s.enforce83), s.filenameStyle);
    names.html = ApplyCase(CleanFilenamePart(caption).left(length) + QStringLiteral(".HTM"), s.filenameStyle);
    if (!s.secondbuttonEnabled) {
        names.button2 = QLatin1String(kType2DisabledMarker);
    }
    return names;
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
    for (int r = 1; r < grid.RowCount(); ++r) {
        for (int c = CaptionGrid::kType1Column; c < CaptionGrid::kColumns; ++c) {
            grid.SetCell(r, c, QString());
        }
    }
    WrittenNames written(s.secondbuttonEnabled);
    for (int r = 1; r < grid.RowCount(); ++r) {
        const QString caption = grid.Cell(r, CaptionGrid::kCaptionColumn);
        if (caption.isEmpty()) {
            continue;
        }
        FileNames names = CaptionFilenames(caption, s);
        // The three names of a row are numbered against the rows above only, never each other.
        names.button1 = Renumbered(names.button1, written);
        names.button2 = Renumbered(names.button2, written);
        names.html = Renumbered(names.html, written);
        grid.SetCell(r, CaptionGrid::kType1Column, names.button1);
        grid.SetCell(r, CaptionGrid::kType2Column, names.button2);
        grid.SetCell(r, CaptionGrid::kHtmlColumn, names.html);
        written.Add(names);
    }
}

}  // namespace output
