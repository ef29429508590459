#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

#include "output/ButtonBatch.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/AppSettings.h"

// The plain-text report of what a batch or a page run wrote: names, sizes in kilobytes, totals and
// download times, written to "Report.txt" in the data folder and opened with the desktop's text viewer.
namespace output {

// One page written by a page run: caption and name cut or padded to 30 characters, the size of the
// file in bytes (-1 when it could not be read).
struct SavedPageInfo {
    QString caption;
    QString pageName;
    double pageSize = -1;
};

inline constexpr char kTestPageCaption[] = "All Captions apply - test page";

// A size in bytes as kilobytes with two decimals, right-aligned in 9 characters (a longer number
// is cut to its first 9).
QString SizeField(double bytes);

// The date of the report's first line: the system's short date and long time, without a time zone;
// the C locale's when the system's would not survive Windows-1252.
QString ReportDate(const QDateTime& when);

// Every line of the report, in order. While "Check contrast and size" is on and the batch saved
// buttons, the section "Accessibility (WCAG 2.2 AA)" of `access` ends it.
QStringList ReportLines(const QList<SavedButtonInfo>& buttons, const QList<SavedPageInfo>& pages,
                        bool withHtml, const settings::AppSettings& s, const QString& date,
                        const QList<AccessRecord>& access = {});

// Writes the report's lines to `path` as the program writes text files (Windows-1252, CR LF), or
// in UTF-8 after a byte order mark when a line holds a character Windows-1252 cannot write;
// false when the file could not be written, with "Cannot write file …" in `error` and the system's
// reason alone in `reason`; an existing report is then left as it was.
bool SaveReport(const QString& path, const QStringList& lines, QString* error = nullptr,
                QString* reason = nullptr);

// The message of a report that could not be written, naming the data folder (which ends in a
// separator); a reason adds a line with the report's path and it.
QString ReportCreateFailedMessage(const QString& dataFolder, const QString& reason = QString());
QString ReportViewFailedMessage(const QString& reportPath);

// The report file inside a data folder.
QString ReportPath(const QString& dataFolder);

// Writes and opens the report when "Generate file status reports ?" is ticked; does nothing
// otherwise. A report that cannot be written or shown is reported with its message.
class StatusReport {
  public:
    StatusReport(const settings::AppSettings& s, platform::Dialogs& dialogs, platform::Shell& shell,
                 QString dataFolder);

    void WriteStatusReport(bool withHtml, const QList<SavedButtonInfo>& buttons,
                           const QList<SavedPageInfo>& pages, const QList<AccessRecord>& access = {});

    // Where the report's time comes from (tests set a fixed one).
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

  private:
    const settings::AppSettings& settings_;
    platform::Dialogs& dialogs_;
    platform::Shell& shell_;
    QString dataFolder_;
};

}  // namespace output
