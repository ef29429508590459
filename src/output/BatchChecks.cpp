#include "output/BatchChecks.h"

#include "platform/IntegerText.h"
#include "platform/RegularFile.h"

namespace output {
namespace {

constexpr char kNothingSaved[] = "\rNo buttons have been saved.";

}  // namespace

bool UsesBitmapFile(int backgroundMode) {
    return backgroundMode == 0 || backgroundMode == 2 || backgroundMode == 3;
}

QString BitmapRefusedMessage(int type, const QString& path, const QString& reason) {
    return QStringLiteral("The background bitmap of type %1 buttons, \"%2\", cannot be read: %3.")
               .arg(QString::number(type), path, reason) +
           QLatin1String(kNothingSaved);
}

QString ButtonTooSmallMessage(int type, QSize size, const QString& caption) {
    return QStringLiteral(
               "Type %1 buttons would be %2 x %3 pixels for \"%4\"; a button needs at least 1 x 1 pixel. "
               "Change its width or height on the Buttons page.")
               .arg(QString::number(type), QString::number(size.width()), QString::number(size.height()),
                    caption) +
           QLatin1String(kNothingSaved);
}

std::optional<QString> BatchRefusal(const settings::AppSettings& s, ButtonRenderer& renderer) {
    const int types = s.secondbuttonEnabled ? 2 : 1;
    for (int type = 1; type <= types; ++type) {
        const settings::ButtonStyle& style = s.button[static_cast<std::size_t>(type - 1)];
        QString reason;
        if (UsesBitmapFile(style.backgroundMode) &&
            !platform::CanReadRegularFile(style.bitmapFile, &reason)) {
            return BitmapRefusedMessage(type, style.bitmapFile, reason);
        }
    }
    QStringList captions;
    const settings::CaptionGrid& grid = s.captions;
    for (int r = 1; r < grid.RowCount(); ++r) {
        const QString caption = grid.Cell(r, settings::CaptionGrid::kCaptionColumn);
        if (!platform::Trim(caption).isEmpty()) {
            captions.append(caption);
        }
    }
    for (int type = 1; type <= types; ++type) {
        const QList<QSize> sizes = renderer.FaceSizes(type, captions);
        for (qsizetype i = 0; i < sizes.size() && i < captions.size(); ++i) {
            if (sizes[i].width() < 1 || sizes[i].height() < 1) {
                return ButtonTooSmallMessage(type, sizes[i], captions[i]);
            }
        }
    }
    return std::nullopt;
}

}  // namespace output
