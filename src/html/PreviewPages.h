#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "output/ButtonBatch.h"
#include "output/StatusReport.h"
#include "platform/Dialogs.h"
#include "settings/AppSettings.h"

// The rollover pages: every button of the caption list on a page whose script swaps a button's
// type 1 image for its type 2 image while the mouse is over it.
namespace html {

// What one page holds.
struct PageContent {
    QString titlePrefix;
    QString titleSuffix;
    QString fileName;
    QString htmlFolder;        // ends with a separator
    QString relSlash;          // the button folder relative to htmlFolder, "/"-separated with a trailing "/"
    QString backgroundColour;  // ColourString
    QString textColour;        // ColourString
    bool vertical = false;
    bool type2Enabled = true;
    const settings::CaptionGrid* grid = nullptr;
    // The width and height of each data row's type 1 image (index: grid row).
    QList<QSize> imageSizes;
    // The same for the type 2 images (the script-free page shows them at their own size).
    QList<QSize> overSizes;
    // Twice-size images were written beside the others ("…@2x"): the script-free page offers them
    // to high-density screens.
    bool scaled = false;
    // The script-free page: its language, the pixels between its buttons, and the grid row of the
    // caption whose page it is (0 on the test page), whose link is marked as the current page.
    QString language = QString::fromLatin1(settings::kDefaultPageLanguage);
    int spacing = 0;
    int currentRow = 0;
    // While pressed images are written, each data row's pressed image and its size (index: grid
    // row): the script-free page shows it while its link is pressed. Empty otherwise.
    QStringList pressedNames;
    QList<QSize> pressedSizes;
};

// The page, line by line, each line ended by CR LF.
QString PageText(const PageContent& page);

// A ColourString (00BBGGRR) as a page writes it: RRGGBB.
QString HtmlColour(const QString& colourString);

// Part of a URL in a page: "%", "#", "?", quotes, "<", ">", "\", "&", ":", blanks and control characters
// percent-encoded, and characters outside Windows-1252 as their UTF-8 bytes; "/" and everything
// else unchanged.
QString UrlText(const QString& text);
// Text in a page: "&", "<", ">" and double quotes as entities, characters outside Windows-1252 as
// numeric references.
QString PageText(const QString& text);
// A caption as its button draws it: "&&" is one "&", and a single "&" (which underlines the letter
// after it) is left out. For the texts of the script-free page that stand for the button.
QString CaptionAsDrawn(const QString& caption);

// The button folder relative to the HTML folder ("img/btn/"), empty when they are the same; nothing
// when the button folder is not inside the HTML folder. Both end with a separator; letter case
// counts, as on this file system.
std::optional<QString> RelativeButtonFolder(const QString& buttonFolder, const QString& htmlFolder);
// The folder the pages go into, with a trailing separator: the HTML target folder, or the button
// target folder when the HTML folder is "<Use button target folder above>", blank or a lone separator.
QString HtmlTargetFolder(const settings::AppSettings& s);

QString SubFolderMessage();
// The three lines shown for a page that could not be written, and a fourth with the page's file name
// and the system's reason.
QString PageWriteFailedMessage(const QString& fileName, const QString& reason);
QString HtmlOverwritePrompt(const QString& path);

class PreviewPages {
  public:
    PreviewPages(settings::AppSettings& s, platform::Dialogs& dialogs, output::ButtonBatch& batch);

    // "&Preview in web browser": saves the batch, writes the pages, opens the first page written and
    // writes the report with its page section. The HTML folder is swept of leftovers first; a
    // termination request stops it before the next page, and then nothing is opened or reported.
    void generatehtmlbuttonClick();

    const QList<output::SavedPageInfo>& SavedPages() const { return savedPages_; }
    void ClearSavedPages() { savedPages_.clear(); }

    // Opens a written page in the browser.
    std::function<void(const QString& path)> OpenPage;
    // Writes the status report with its page section.
    std::function<void()> WriteStatusReport;
    // Told after each page's overwrite decision: the page's path and whether it was written (false:
    // an existing page was kept).
    std::function<void(const QString& path, bool written)> OnPageSaved;
    // When set, told in place of the window's box (kestro-batch says it in its own words): the
    // button folder that does not lie inside the HTML folder, and a page that could not be written
    // with the system's reason.
    std::function<void(const QString& buttonFolder, const QString& htmlFolder)> OnNotSubFolder;
    std::function<void(const QString& path, const QString& reason)> OnPageWriteFailed;

  private:
    // Whether the page may be written: asks before replacing one when the page prompt is ticked.
    bool WritePageDecided(const QString& path);

    settings::AppSettings& settings_;
    platform::Dialogs& dialogs_;
    output::ButtonBatch& batch_;
    QList<output::SavedPageInfo> savedPages_;
    bool yesToAll_ = false;
    bool noToAll_ = false;
};

}  // namespace html
