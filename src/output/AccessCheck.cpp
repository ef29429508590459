#include "output/AccessCheck.h"

#include <cmath>

namespace output {
namespace {

QString NeedsText(double needs) {
    // 4.5 and 3: as few decimals as the rule has.
    return QString::number(needs, 'g', 3) + QStringLiteral(":1");
}

QString Images(int n) {
    return n == 1 ? QStringLiteral("image") : QStringLiteral("images");
}

}  // namespace

QString RatioText(double ratio, double needs) {
    double shown = std::round(ratio * 100.0) / 100.0;
    if (ratio < needs && shown >= needs) {
        shown = std::floor(ratio * 100.0) / 100.0;
    }
    return QString::number(shown, 'f', 2) + QStringLiteral(":1");
}

QString ContrastText(const AccessFigure& figure) {
    if (!figure.hasText) {
        return {};
    }
    QString text = QStringLiteral("contrast ") + RatioText(figure.contrast, figure.needs);
    if (!figure.contrastMet) {
        text += QStringLiteral(", needs ") + NeedsText(figure.needs);
    }
    return text;
}

QString SizeShortText(const AccessFigure& figure) {
    if (figure.sizeMet) {
        return {};
    }
    return QStringLiteral("%1 x %2 pixels, needs 24 x 24").arg(figure.size.width()).arg(figure.size.height());
}

QString ShortfallText(const AccessFigure& figure) {
    QStringList parts;
    if (!figure.contrastMet) {
        parts << ContrastText(figure);
    }
    if (!figure.sizeMet) {
        parts << SizeShortText(figure);
    }
    return parts.join(QStringLiteral("; "));
}

QString AccessLine(const AccessRecord& record) {
    // One arg() for every part: a caption or name holding "%2" is written as it is.
    return QStringLiteral("%1 (type %2%3, %4): %5")
        .arg(record.caption, QString::number(record.type + 1),
             record.pressed ? QStringLiteral(" pressed") : QString(), record.fileName,
             ShortfallText(record.figure));
}

QString PreviewLabelText(const QString& label, const AccessFigure& figure) {
    const QString dash = QStringLiteral(" \u2014 ");
    QString text = label;
    if (figure.hasText) {
        text += dash + ContrastText(figure);
    }
    if (!figure.sizeMet) {
        text += dash + SizeShortText(figure);
    }
    return text;
}

int ShortCount(const QList<AccessRecord>& records) {
    int n = 0;
    for (const AccessRecord& r : records) {
        n += r.figure.Met() ? 0 : 1;
    }
    return n;
}

QString AccessSummary(int shortCount, int total) {
    if (shortCount == 0) {
        return QStringLiteral("All %1 %2 meet contrast 4.5:1 (3:1 for large text) and size 24 x 24.")
            .arg(total)
            .arg(Images(total));
    }
    return QStringLiteral("%1 of %2 %3 %4 short.")
        .arg(shortCount)
        .arg(total)
        .arg(Images(total), shortCount == 1 ? QStringLiteral("falls") : QStringLiteral("fall"));
}

QStringList AccessSection(const QList<AccessRecord>& records) {
    const QString title = QLatin1String(kAccessSectionTitle);
    QStringList lines{QString(), title, QString(title.size(), QLatin1Char('-'))};
    for (const AccessRecord& r : records) {
        if (!r.figure.Met()) {
            lines << AccessLine(r);
        }
    }
    lines << AccessSummary(ShortCount(records), static_cast<int>(records.size()));
    return lines;
}

QString AccessStatusText(int shortCount, int total) {
    if (shortCount == 0) {
        return QStringLiteral("; all %1 %2 meet contrast and size").arg(total).arg(Images(total));
    }
    return QStringLiteral("; %1 of %2 %3 %4 short of contrast or size")
        .arg(shortCount)
        .arg(total)
        .arg(Images(total), shortCount == 1 ? QStringLiteral("falls") : QStringLiteral("fall"));
}

}  // namespace output
