#include "output/BatchChecks.h"

#include <QHash>

#include "output/CaptionLinks.h"
#include "output/CaptionNaming.h"
#include "platform/IntegerText.h"
#include "platform/ShownText.h"

namespace output {
namespace {

constexpr char kNothingSaved[] = "\rNo buttons have been saved.";

// What decides the side of a button that is too large, as the message names it.
QString TooLargeSetting(int backgroundMode, bool width) {
    if (backgroundMode == settings::kBitmapSized) {
        return QStringLiteral("background bitmap on the Buttons page");
    }
    if (!width) {
        return QStringLiteral("height on the Buttons page");
    }
    // Smart sizing: the caption's width in its font and the spacing.
    if (settings::IsSmartSized(backgroundMode)) {
        return QStringLiteral("spacing on the Buttons page or its font size on the Font page");
    }
    return QStringLiteral("width on the Buttons page");
}

}  // namespace

QString BitmapRefusedMessage(int type, const QString& path, const QString& reason) {
    return QStringLiteral("The background bitmap of type %1 buttons, \"%2\", cannot be read: %3.")
               .arg(QString::number(settings::ShownTypeNumber(type)), platform::EscapeControls(path),
                    reason) +
           QLatin1String(kNothingSaved);
}

QString ButtonTooSmallMessage(int type, QSize size, const QString& caption) {
    return QStringLiteral(
               "Type %1 buttons would be %2 x %3 pixels for \"%4\"; a button needs at least 1 x 1 pixel. "
               "Change its width or height on the Buttons page.")
               .arg(QString::number(settings::ShownTypeNumber(type)), QString::number(size.width()),
                    QString::number(size.height()), platform::ShownValue(caption)) +
           QLatin1String(kNothingSaved);
}

QString ButtonTooLargeMessage(int type, qint64 width, qint64 height, int scale, const QString& caption,
                              const QString& setting) {
    const QString at = scale > 1 ? QStringLiteral(" at 2\u00d7") : QString();
    const QString untick =
        scale > 1 ? QStringLiteral(", or untick \"Also write images for high-density screens (2\u00d7)\"")
                  : QString();
    return QStringLiteral(
               "Type %1 buttons would be %2 x %3 pixels%4 for \"%5\"; an image can be at most %6 x %6 "
               "pixels. Change its %7%8.")
               .arg(QString::number(settings::ShownTypeNumber(type)), QString::number(width),
                    QString::number(height), at, platform::ShownValue(caption),
                    QString::number(kMaxImageSide), setting, untick) +
           QLatin1String(kNothingSaved);
}

QString ScaledNameClashMessage(int row, const QString& scaledName, int otherRow) {
    return QStringLiteral(
               "The 2\u00d7 image of caption list row %1 would be saved as \"%2\", the name of a file of "
               "row %3. Press \"Calculate default filenames\" or change the names on the Caption List "
               "page.")
               .arg(QString::number(row), platform::ShownValue(scaledName), QString::number(otherRow)) +
           QLatin1String(kNothingSaved);
}

namespace {

// The names each saved row's files will have: the list's own, or the default the batch puts into a
// blank or unusable cell (an empty type 2 name while type 2 is disabled).
struct RowNames {
    int row;
    QString names[3];
};

QList<RowNames> ListNames(const settings::AppSettings& s) {
    using settings::CaptionGrid;
    const CaptionGrid& grid = s.captions;
    QList<RowNames> rows;
    for (const int r : grid.SavedRows()) {
        const QString caption = grid.Cell(r, CaptionGrid::kCaptionColumn);
        const FileNames defaults = CaptionFilenames(caption, s, r);
        const QString fallback[3] = {defaults.button1, defaults.button2, defaults.html};
        RowNames row{r, {}};
        for (int c = CaptionGrid::kType1Column; c <= CaptionGrid::kHtmlColumn; ++c) {
            if (c == CaptionGrid::kType2Column && !s.secondbuttonEnabled) {
                continue;
            }
            const QString cell = grid.Cell(r, c);
            const bool usable = !platform::Trim(cell).isEmpty() && IsPlainFileName(cell);
            row.names[c - 1] = usable ? cell : fallback[c - 1];
        }
        rows.append(row);
    }
    return rows;
}

// A name and the first row whose file has it.
QHash<QString, int> NameOwners(const QList<RowNames>& rows) {
    QHash<QString, int> owner;
    for (const RowNames& row : rows) {
        for (const QString& name : row.names) {
            if (!name.isEmpty() && !owner.contains(name)) {
                owner.insert(name, row.row);
            }
        }
    }
    return owner;
}

}  // namespace

QString PressedNameClashMessage(int row, const QString& pressedName, int otherRow) {
    return QStringLiteral(
               "The pressed image of caption list row %1 would be saved as \"%2\", the name of a file of "
               "row %3. Change the prefix for pressed buttons on the File page or the names on the "
               "Caption List page.")
               .arg(QString::number(row), platform::ShownValue(pressedName), QString::number(otherRow)) +
           QLatin1String(kNothingSaved);
}

std::optional<QString> ScaledNameClash(const settings::AppSettings& s) {
    if (!WritesScaledImages(s)) {
        return std::nullopt;
    }
    using settings::CaptionGrid;
    const QList<RowNames> rows = ListNames(s);
    const QHash<QString, int> owner = NameOwners(rows);
    for (const RowNames& row : rows) {
        for (int c = CaptionGrid::kType1Column; c <= CaptionGrid::kType2Column; ++c) {
            const QString& name = row.names[c - 1];
            if (name.isEmpty()) {
                continue;  // type 2 while it is disabled
            }
            const QString scaled = ScaledFilename(name);
            if (const auto it = owner.constFind(scaled); it != owner.constEnd()) {
                return ScaledNameClashMessage(row.row, scaled, it.value());
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> PressedNameClash(const settings::AppSettings& s) {
    if (!s.pressedImages) {
        return std::nullopt;
    }
    const QList<RowNames> rows = ListNames(s);
    QHash<QString, int> owner = NameOwners(rows);
    const bool scaled = WritesScaledImages(s);
    if (scaled) {
        // The twice-size copies of the list's images are files of their rows too.
        for (const RowNames& row : rows) {
            for (int c = 0; c < 2; ++c) {
                if (!row.names[c].isEmpty() && !owner.contains(ScaledFilename(row.names[c]))) {
                    owner.insert(ScaledFilename(row.names[c]), row.row);
                }
            }
        }
    }
    const QStringList pressed = PressedFilenames(s);
    // Pressed names are numbered against each other, but a pressed image's twice-size copy may
    // still take another row's pressed name.
    QHash<QString, int> pressedOwner;
    for (const RowNames& row : rows) {
        pressedOwner.insert(pressed[row.row], row.row);
    }
    for (const RowNames& row : rows) {
        const QString& name = pressed[row.row];
        QStringList own{name};
        if (scaled) {
            own.append(ScaledFilename(name));
        }
        for (const QString& file : own) {
            if (const auto it = owner.constFind(file); it != owner.constEnd()) {
                return PressedNameClashMessage(row.row, file, it.value());
            }
            if (file != name) {
                if (const auto it = pressedOwner.constFind(file); it != pressedOwner.constEnd()) {
                    return PressedNameClashMessage(row.row, file, it.value());
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> BatchRefusal(const settings::AppSettings& s, const BatchFaces& faces) {
    if (std::optional<QString> link = LinkRefusal(s)) {
        return link;
    }
    const int types = s.secondbuttonEnabled ? 2 : 1;
    for (int type = settings::kType1; type < settings::kType1 + types; ++type) {
        if (const std::optional<QString> reason = faces.UnreadableBitmap(type)) {
            return BitmapRefusedMessage(type, s.button[static_cast<std::size_t>(type)].bitmapFile, *reason);
        }
    }
    if (std::optional<QString> clash = ScaledNameClash(s)) {
        return clash;
    }
    if (std::optional<QString> clash = PressedNameClash(s)) {
        return clash;
    }
    const settings::CaptionGrid& grid = s.captions;
    const QList<int> rows = grid.SavedRows();
    const int scale = WritesScaledImages(s) ? 2 : 1;
    for (int type = settings::kType1; type < settings::kType1 + types; ++type) {
        const int mode = s.button[static_cast<std::size_t>(type)].backgroundMode;
        for (const int r : rows) {
            const QString caption = grid.Cell(r, settings::CaptionGrid::kCaptionColumn);
            const QSize size = faces.FaceSize(type, caption);
            if (size.width() < 1 || size.height() < 1) {
                return ButtonTooSmallMessage(type, size, caption);
            }
            // The largest image of the button is its 2× one while those are written; the product is
            // taken in 64 bits, so a side near the integer limit cannot wrap round.
            for (int k = 1; k <= scale; ++k) {
                const qint64 width = qint64{size.width()} * k;
                const qint64 height = qint64{size.height()} * k;
                if (width > kMaxImageSide || height > kMaxImageSide) {
                    return ButtonTooLargeMessage(type, width, height, k, caption,
                                                 TooLargeSetting(mode, width > kMaxImageSide));
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace output
