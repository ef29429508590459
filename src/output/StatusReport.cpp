#include "output/StatusReport.h"

#include <QLocale>
#include <QRegularExpression>

#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

namespace output {
namespace {

constexpr int kSizeField = 9;
constexpr int kNameField = 30;

QString Spaces(int n) {
    return QString(n, QLatin1Char(' '));
}

QString Kilobytes(double bytes) {
    return QString::number(bytes / 1024.0, 'f', 2);
}

// The number of a sentence: the size field without its leading spaces.
QString SentenceNumber(double bytes) {
    return SizeField(bytes).trimmed();
}

QString DateWith(const QLocale& locale, const QDateTime& when) {
    // The long time format may name the time zone ("t" … "tttt"): the report leaves it out.
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return locale.toString(when, locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + time.trimmed());
}

}  // namespace

QString SizeField(double bytes) {
    const QString number = Kilobytes(bytes);
    return number.size() > kSizeField ? number.left(kSizeField) : number.rightJustified(kSizeField);
}

QString ReportDate(const QDateTime& when) {
    const QString date = DateWith(QLocale::system(), when);
    for (const char32_t c : date.toUcs4()) {
        if (!platform::IsWindows1252Character(c)) {
            return DateWith(QLocale::c(), when);
        }
    }
    return date;
}

QStringList ReportLines(const QList<SavedButtonInfo>& buttons, const QList<SavedPageInfo>& pages,
                        bool withHtml, const settings::AppSettings& s, const QString& date,
                        const QList<AccessRecord>& access) {
    QStringList lines;
    if (!buttons.isEmpty()) {
        // While pressed images are written they have a third pair of columns; without them the
        // table is the one it always was.
        const bool pressed = buttons.first().pressed;
        const QString pressedHeader =
            pressed ? QStringLiteral("  Pressed Name                    Size (Kb)") : QString();
        const QString pressedRule =
            pressed ? QStringLiteral("  ------------------------------  ---------") : QString();
        lines << QStringLiteral("Plumeric : Status Report Produced ") + date << QString(56, QLatin1Char('-'))
              << QString()
              << QStringLiteral("The following button files have been saved in folder \"%1\".")
                     .arg(s.targetFolder)
              << QString()
              << QStringLiteral(
                     "Caption Name                    Button 1 Name                   Size (Kb)  "
                     "Button 2 Name                   Size (Kb)") +
                     pressedHeader
              << QStringLiteral(
                     "------------------------------  ------------------------------  ---------  "
                     "------------------------------  ---------") +
                     pressedRule;
        double total1 = 0;
        double total2 = 0;
        double totalPressed = 0;
        const auto pressedField = [pressed](const QString& name, double size) {
            return pressed ? Spaces(2) + name + Spaces(2) + SizeField(size) : QString();
        };
        for (const SavedButtonInfo& b : buttons) {
            lines << b.caption + Spaces(2) + b.button1Name + Spaces(2) + SizeField(b.button1Size) +
                         Spaces(2) + b.button2Name + Spaces(2) + SizeField(b.button2Size) +
                         pressedField(b.pressedName, b.pressedSize);
            total1 += b.button1Size;
            total2 += b.button2Size;
            totalPressed += pressed ? b.pressedSize : 0;
            if (b.scaled) {
                // The twice-size images of the row, under the row's own names and sizes; they count
                // in the totals as the files they are.
                lines << Spaces(kNameField) + Spaces(2) + b.scaled1Name + Spaces(2) +
                             SizeField(b.scaled1Size) + Spaces(2) + b.scaled2Name + Spaces(2) +
                             SizeField(b.scaled2Size) +
                             pressedField(b.scaledPressedName, b.scaledPressedSize);
                total1 += b.scaled1Size;
                total2 += b.scaled2Size;
                totalPressed += pressed ? b.scaledPressedSize : 0;
            }
        }
        const QString totalRule =
            Spaces(64) + QStringLiteral("---------  ") + Spaces(kNameField) + QStringLiteral("  ---------") +
            (pressed ? Spaces(2) + Spaces(kNameField) + QStringLiteral("  ---------") : QString());
        const double total = total1 + total2 + totalPressed;
        lines << totalRule
              << QStringLiteral("Total size (Kb)").leftJustified(63) + QLatin1Char(' ') + SizeField(total1) +
                     Spaces(2) + Spaces(kNameField) + Spaces(2) + SizeField(total2) +
                     pressedField(Spaces(kNameField), totalPressed)
              << totalRule
              << QStringLiteral(
                     "The total size of all button files is %1 Kb, which is equivalent to %2 seconds of "
                     "download time.")
                     .arg(SentenceNumber(total), SentenceNumber(total / 4));
    }
    if (withHtml && !pages.isEmpty()) {
        const QString folder = s.htmlTargetFolder.contains(QLatin1String(settings::kUseButtonTargetFolder))
                                   ? s.targetFolder
                                   : s.htmlTargetFolder;
        lines << QString() << QString()
              << QStringLiteral("The following HTML files have been saved in folder \"%1\".").arg(folder)
              << QString()
              << QStringLiteral("Caption Name                    HTML Filename                   Size (Kb)")
              << QStringLiteral("------------------------------  ------------------------------  ---------");
        double total = 0;
        for (const SavedPageInfo& p : pages) {
            lines << p.caption + Spaces(2) + p.pageName + Spaces(2) + SizeField(p.pageSize);
            total += p.pageSize;
        }
        const QString totalRule = Spaces(62) + Spaces(2) + QStringLiteral("---------");
        lines << totalRule << Spaces(62) + Spaces(2) + SizeField(total) << totalRule
              << QStringLiteral(
                     "The total size of all HTML files is %1 Kb, which is eqivalent to %2 seconds of "
                     "download time.")
                     .arg(SentenceNumber(total), SentenceNumber(total / 4));
    }
    lines << QString()
          << QStringLiteral(
                 "* Note - The download time calculation is based on a standard 56 Kbps modem with an "
                 "average transfer rate of 4 Kbps.");
    if (s.checkAccess && !buttons.isEmpty()) {
        lines << AccessSection(access);
    }
    return lines;
}

QString ReportCreateFailedMessage(const QString& dataFolder, const QString& reason) {
    QString text = QStringLiteral(
                       "Error : Unable to create the status report.\r"
                       "Please check that have read/write access to the following folder: -\r%1\r"
                       "- and that the relevant drive has sufficient free disk space.")
                       .arg(dataFolder);
    if (!reason.isEmpty()) {
        text += QLatin1Char('\r') + platform::FailureLine(ReportPath(dataFolder), reason);
    }
    return text;
}

QString ReportViewFailedMessage(const QString& reportPath) {
    return QStringLiteral(
               "Unable to view the status report using your Windows default\r"
               "text file application.\r"
               "Please open : %1\r"
               "- in order to read the report.")
        .arg(reportPath);
}

QString ReportPath(const QString& dataFolder) {
    return dataFolder + QStringLiteral("Report.txt");
}

StatusReport::StatusReport(const settings::AppSettings& s, platform::Dialogs& dialogs, platform::Shell& shell,
                           QString dataFolder)
    : settings_(s), dialogs_(dialogs), shell_(shell), dataFolder_(std::move(dataFolder)) {}

bool SaveReport(const QString& path, const QStringList& lines, QString* error, QString* reason) {
    QString why;
    // The report loses no text: a caption that Windows-1252 cannot write makes it a UTF-8 file.
    if (platform::ReplaceFile(path, platform::ToWindows1252OrUtf8(platform::JoinCrLfLines(lines)), &why)) {
        return true;
    }
    if (error != nullptr) {
        *error = platform::CannotWriteText(path, why);
    }
    if (reason != nullptr) {
        *reason = why;
    }
    return false;
}

void StatusReport::WriteStatusReport(bool withHtml, const QList<SavedButtonInfo>& buttons,
                                     const QList<SavedPageInfo>& pages, const QList<AccessRecord>& access) {
    if (!settings_.statusReports) {
        return;
    }
    const QString path = ReportPath(dataFolder_);
    QString reason;
    if (!SaveReport(path, ReportLines(buttons, pages, withHtml, settings_, ReportDate(Clock()), access),
                    nullptr, &reason)) {
        dialogs_.ShowMessage(ReportCreateFailedMessage(dataFolder_, reason));
        return;
    }
    // The report stays written whatever happens; a report nothing could open is named, so the user
    // can open it another way: the desktop refuses it, its opener fails now or later, or the call fails.
    platform::Dialogs& dialogs = dialogs_;
    const auto notShown = [&dialogs, path] { dialogs.ShowMessage(ReportViewFailedMessage(path)); };
    try {
        if (shell_.OpenDocument(path, notShown) == platform::Shell::kNoApplication) {
            notShown();
        }
    } catch (const std::exception&) {
        notShown();
    }
}

}  // namespace output
