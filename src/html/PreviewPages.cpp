#include "html/PreviewPages.h"

#include <QRegularExpression>
#include <tuple>

#include "html/ButtonHref.h"
#include "html/CssPage.h"
#include "output/ButtonBatch.h"
#include "output/CaptionNaming.h"
#include "platform/FileWriting.h"
#include "platform/IntegerText.h"
#include "platform/Interrupt.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"
#include "settings/ColourString.h"

namespace html {

using settings::CaptionGrid;

namespace {

const char kCrLf[] = "\r\n";

// The script every page carries, lines 5 to 29 of the page.
const char* const kScript[] = {
    "<script language=\"JavaScript\">",
    "<!--",
    "function My_Form_Swap_Restore_Button() { //v3.0",
    "  var i,x,a=document.My_Form_sr; for(i=0;a&&i<a.length&&(x=a[i])&&x.oSrc;i++) x.src=x.oSrc;",
    "}",
    "",
    "function My_Form_PreLoad_Buttons() { //v3.0",
    "  var d=document; if(d.images){ if(!d.My_Form_p) d.My_Form_p=new Array();",
    "    var i,j=d.My_Form_p.length,a=My_Form_PreLoad_Buttons.arguments; for(i=0; i<a.length; i++)",
    "    if (a[i].indexOf(\"#\")!=0){ d.My_Form_p[j]=new Image; d.My_Form_p[j++].src=a[i];}}",
    "}",
    "",
    "function My_Form_Locate_Object(n, d) { //v3.0",
    "  var p,i,x;  if(!d) d=document; if((p=n.indexOf(\"?\"))>0&&parent.frames.length) {",
    "    d=parent.frames[n.substring(p+1)].document; n=n.substring(0,p);}",
    "  if(!(x=d[n])&&d.all) x=d.all[n]; for (i=0;!x&&i<d.forms.length;i++) x=d.forms[i][n];",
    "  for(i=0;!x&&d.layers&&i<d.layers.length;i++) x=My_Form_Locate_Object(n,d.layers[i].document); return "
    "x;",
    "}",
    "",
    "function My_Form_Swap_Button() { //v3.0",
    "  var i,j=0,x,a=My_Form_Swap_Button.arguments; document.My_Form_sr=new Array; "
    "for(i=0;i<(a.length-2);i+=3)",
    "   if ((x=My_Form_Locate_Object(a[i]))!=null){document.My_Form_sr[j++]=x; if(!x.oSrc) x.oSrc=x.src; "
    "x.src=a[i+2];}",
    "}",
    "//-->",
    "</script>",
};

QString PercentBytes(const QByteArray& bytes) {
    QString out;
    for (char c : bytes) {
        out += QStringLiteral("%%1").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

}  // namespace

QString UrlText(const QString& text) {
    // ":" too: a name such as "javascript:alert(1).htm" or "news:_today.htm" would otherwise be read
    // as a URL scheme, not as a file beside the page. Every URL a page writes stays relative.
    static const QString kEncoded = QStringLiteral("%#?\"'<>\\&: ");
    QString out;
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (c < 0x20 || c == 0x7F || (c < 0x80 && kEncoded.contains(one)) ||
            !platform::IsWindows1252Character(c)) {
            out += PercentBytes(one.toUtf8());
        } else {
            out += one;
        }
    }
    return out;
}

QString PageText(const QString& text) {
    QString out;
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
            case U'&':
                out += QStringLiteral("&amp;");
                break;
            case U'<':
                out += QStringLiteral("&lt;");
                break;
            case U'>':
                out += QStringLiteral("&gt;");
                break;
            case U'"':
                out += QStringLiteral("&quot;");
                break;
            default:
                if (platform::IsWindows1252Character(c)) {
                    out += QString::fromUcs4(&c, 1);
                } else {
                    out += QStringLiteral("&#%1;").arg(static_cast<quint32>(c));
                }
        }
    }
    return out;
}

QString CaptionAsDrawn(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) {
            out += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
            out += QLatin1Char('&');
            ++i;
        }
    }
    return out;
}

QString HtmlColour(const QString& colourString) {
    // Eight hexadecimal digits, as the program writes a colour, give their own digits in page
    // order; any other text gives the digits of the colour the lenient reading makes of it, so a
    // page carries six hexadecimal digits and nothing else.
    static const QRegularExpression kColour(QStringLiteral("^[0-9A-Fa-f]{8}$"));
    if (kColour.match(colourString).hasMatch()) {
        return colourString.mid(6, 2) + colourString.mid(4, 2) + colourString.mid(2, 2);
    }
    const settings::ColourValue c = settings::ColourFromStringLenient(colourString);
    return QStringLiteral("%1%2%3")
        .arg(settings::RedOf(c), 2, 16, QLatin1Char('0'))
        .arg(settings::GreenOf(c), 2, 16, QLatin1Char('0'))
        .arg(settings::BlueOf(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<QString> RelativeButtonFolder(const QString& buttonFolder, const QString& htmlFolder) {
    if (buttonFolder == htmlFolder) {
        return QString();
    }
    if (!buttonFolder.startsWith(htmlFolder)) {
        return std::nullopt;
    }
    QString rest = buttonFolder.mid(htmlFolder.size());
    if (rest.startsWith(QLatin1Char('/')) || rest.startsWith(QLatin1Char('\\'))) {
        rest.remove(0, 1);
    }
    if (rest.endsWith(QLatin1Char('/')) || rest.endsWith(QLatin1Char('\\'))) {
        rest.chop(1);
    }
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return rest + QLatin1Char('/');
}

QString HtmlTargetFolder(const settings::AppSettings& s) {
    // The pages go beside the buttons unless a folder of their own is chosen.
    const QString trimmed = platform::Trim(s.htmlTargetFolder);
    const bool useButtonFolder =
        s.htmlTargetFolder.contains(QLatin1String(settings::kUseButtonTargetFolder)) || trimmed.isEmpty() ||
        trimmed == QString(QLatin1Char(platform::kSeparator));
    return platform::IncludeTrailingSeparator(useButtonFolder ? s.targetFolder : s.htmlTargetFolder);
}

QString SubFolderMessage() {
    return QStringLiteral(
        "The buttons target folder MUST be a sub-folder of the HTML target folder\r"
        "so that the HTML relative button paths will work correctly.\r"
        "Please change the buttons folder to either match the HTML folder, or be\r"
        "a sub-folder of it.");
}

QString PageWriteFailedMessage(const QString& fileName, const QString& reason) {
    return QStringLiteral(
               "Error, unable to create HTML output file, check that\r"
               "no other applications are currently accessing this file\r"
               "and that you have read/write access to the target folder.\r") +
           platform::FailureLine(fileName, reason);
}

QString HtmlOverwritePrompt(const QString& path) {
    return QStringLiteral("HTML file \"%1\" exists, ok to ovewrite ?").arg(path);
}

QString PageText(const PageContent& page) {
    const CaptionGrid& grid = *page.grid;
    const int imageColumn = page.type2Enabled ? CaptionGrid::kType2Column : CaptionGrid::kType1Column;
    QString out;
    const auto line = [&out](const QString& text) { out += text + QLatin1String(kCrLf); };
    line(QStringLiteral("<html>"));
    line(QStringLiteral("<head>"));
    line(QStringLiteral("<title>") + PageText(page.titlePrefix + QStringLiteral(": ") + page.titleSuffix) +
         QStringLiteral("</title>"));
    line(QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"));
    for (const char* scriptLine : kScript) {
        line(QString::fromLatin1(scriptLine));
    }
    line(QStringLiteral("</head>"));
    line(QString());
    line(QStringLiteral("<body"));
    line(QStringLiteral("bgcolor=\"#") + HtmlColour(page.backgroundColour) + QLatin1Char('"'));
    // The images swapped in are loaded with the page. Their path uses "/" like every other URL.
    QStringList preloads;
    // Every row whose caption is not the empty string has a preload entry, a caption of blanks (which
    // is not saved) included: the page's script has always listed them so.
    for (int r = 1; r < grid.RowCount(); ++r) {
        if (!grid.Cell(r, CaptionGrid::kCaptionColumn).isEmpty()) {
            preloads.append(QLatin1Char('\'') + UrlText(page.relSlash + grid.Cell(r, imageColumn)) +
                            QLatin1Char('\''));
        }
    }
    line(QStringLiteral("onLoad=\"My_Form_PreLoad_Buttons(") + preloads.join(QLatin1Char(',')) +
         QStringLiteral(")\">"));
    line(QStringLiteral("<pre>"));
    for (const int n : grid.SavedRows()) {
        const QString caption = grid.Cell(n, CaptionGrid::kCaptionColumn);
        const QSize size = n < page.imageSizes.size() ? page.imageSizes[n] : QSize(0, 0);
        line(QStringLiteral("<a href=\"") + ButtonHref(grid, n) + QLatin1Char('"'));
        line(QStringLiteral("onMouseOut=\"My_Form_Swap_Restore_Button()\""));
        out += QStringLiteral("onMouseOver=\"My_Form_Swap_Button('Image%1','','%2',1)\">")
                   .arg(QString::number(n), UrlText(page.relSlash + grid.Cell(n, imageColumn)));
        out += QStringLiteral(
                   "<img name=\"Image%1\" border=\"0\" src=\"%2\" width=\"%3\" height=\"%4\" alt=\"%5\">")
                   .arg(QString::number(n), UrlText(page.relSlash + grid.Cell(n, CaptionGrid::kType1Column)),
                        QString::number(size.width()), QString::number(size.height()), PageText(caption));
        if (page.vertical) {
            out += QLatin1String(kCrLf);
        }
        out += QStringLiteral("</a>");
    }
    line(QStringLiteral("</pre>"));
    line(QStringLiteral("<p><font color=\"#") + HtmlColour(page.textColour) + QStringLiteral("\">") +
         QStringLiteral("This page is called \"") + PageText(page.fileName) + QStringLiteral("\", ") +
         QStringLiteral("and is located in folder \"") + PageText(page.htmlFolder) +
         QStringLiteral("\"</font></p>"));
    line(QStringLiteral("</body>"));
    line(QStringLiteral("</html>"));
    return out;
}

PreviewPages::PreviewPages(settings::AppSettings& s, platform::Dialogs& dialogs, output::ButtonBatch& batch)
    : settings_(s), dialogs_(dialogs), batch_(batch) {}

bool PreviewPages::WritePageDecided(const QString& path) {
    if (!settings_.htmlOverwritePrompt || !platform::FileExists(path)) {
        return true;
    }
    // The batch's rule, with this run's own "to All" answers.
    if (noToAll_) {
        return false;
    }
    if (yesToAll_) {
        return true;
    }
    const platform::ConfirmAnswer answer = dialogs_.Confirm(HtmlOverwritePrompt(path));
    yesToAll_ = answer == platform::ConfirmAnswer::YesToAll;
    noToAll_ = answer == platform::ConfirmAnswer::NoToAll;
    return answer == platform::ConfirmAnswer::Yes || answer == platform::ConfirmAnswer::YesToAll;
}

void PreviewPages::generatehtmlbuttonClick() {
    batch_.OverwriteYesToAll = false;
    batch_.OverwriteNoToAll = false;
    savedPages_.clear();
    CaptionGrid& grid = settings_.captions;
    if (!grid.HasSavedRows()) {
        dialogs_.ShowError(output::NoCaptionsMessage());
        return;
    }

    const QString htmlFolder = HtmlTargetFolder(settings_);
    settings_.targetFolder = platform::IncludeTrailingSeparator(settings_.targetFolder);
    const std::optional<QString> relSlash = RelativeButtonFolder(settings_.targetFolder, htmlFolder);
    if (!relSlash) {
        if (OnNotSubFolder) {
            OnNotSubFolder(settings_.targetFolder, htmlFolder);
        } else {
            dialogs_.ShowMessage(SubFolderMessage());
        }
        return;
    }

    if (htmlFolder != settings_.targetFolder) {
        platform::SweepLeftovers(htmlFolder);
    }
    const bool saved = batch_.SaveButtonBatch();
    if (batch_.RefreshPreviews) {
        batch_.RefreshPreviews();
    }
    if (!saved) {
        return;
    }

    // The size of each type 1 image as saved; an image that cannot be read keeps the size before it.
    PageContent page;
    page.titlePrefix = settings_.htmlTitlePrefix;
    page.htmlFolder = htmlFolder;
    page.relSlash = *relSlash;
    page.backgroundColour = settings_.htmlBackgroundColour;
    page.textColour = settings_.htmlTextColour;
    page.vertical = settings_.htmlLayout != 0;
    page.type2Enabled = settings_.secondbuttonEnabled;
    page.grid = &grid;
    page.scaled = output::WritesScaledImages(settings_);
    page.language = settings_.pageLanguage;
    page.spacing = settings_.buttonSpacing;
    const bool css = settings_.pageStyle == settings::kPageStyleCss;
    const auto readNamedSizes = [&](const std::function<QString(int row)>& name) {
        QList<QSize> sizes;
        QSize size(0, 0);
        sizes.append(size);
        for (int r = 1; r < grid.RowCount(); ++r) {
            if (grid.IsSavedRow(r)) {
                const QSize read = output::ButtonFilePictureSize(settings_.targetFolder + name(r));
                if (read.isValid()) {
                    size = read;
                }
            }
            sizes.append(size);
        }
        return sizes;
    };
    const auto readSizes = [&](int column) {
        return readNamedSizes([&](int r) { return grid.Cell(r, column); });
    };
    page.imageSizes = readSizes(CaptionGrid::kType1Column);
    // The script-free page and the snippet name the type 2 and pressed images as well.
    const bool scriptFree = css || settings_.navigationSnippet;
    if (scriptFree && settings_.secondbuttonEnabled) {
        page.overSizes = readSizes(CaptionGrid::kType2Column);
    }
    if (scriptFree && settings_.pressedImages) {
        page.pressedNames = output::PressedFilenames(settings_);
        page.pressedSizes = readNamedSizes([&](int r) { return page.pressedNames[r]; });
    }

    // One file beside the pages: asked about before an existing one is replaced (when the prompt is
    // ticked), written, told, and recorded for the report under `shown`.
    enum class FileOutcome { Written, Kept, Failed, Abandoned };
    const auto writeFile = [&](const QString& fileName, const QByteArray& bytes, const QString& shown) {
        const QString path = htmlFolder + fileName;
        if (!WritePageDecided(path)) {
            if (OnPageSaved) {
                OnPageSaved(path, false);
            }
            return FileOutcome::Kept;
        }
        QString reason;
        if (!platform::ReplaceFile(path, bytes, &reason)) {
            if (platform::InterruptSignal() != 0) {
                return FileOutcome::Abandoned;  // abandoned on a termination request
            }
            if (OnPageWriteFailed) {
                OnPageWriteFailed(path, reason);
            } else {
                dialogs_.ShowMessage(PageWriteFailedMessage(fileName, reason));
            }
            return FileOutcome::Failed;
        }
        if (OnPageSaved) {
            OnPageSaved(path, true);
        }
        output::SavedPageInfo info;
        info.caption = shown;
        info.pageName = output::Pad30(fileName);
        info.pageSize = static_cast<double>(platform::FileSize(path));
        savedPages_.append(info);
        return FileOutcome::Written;
    };
    yesToAll_ = false;
    noToAll_ = false;
    bool failed = false;
    QString firstWritten;
    QString firstKept;
    const int first = settings_.htmlGenerateAll ? 1 : 0;
    const int last = settings_.htmlGenerateAll ? grid.RowCount() - 1 : 0;
    for (int j = first; j <= last; ++j) {
        if (platform::InterruptSignal() != 0) {
            return;
        }
        const bool testPage = j == 0;
        const QString fileName =
            testPage ? settings_.htmlMainFilename : grid.Cell(j, CaptionGrid::kHtmlColumn);
        if (platform::Trim(grid.Cell(j, CaptionGrid::kHtmlColumn)).isEmpty()) {
            continue;
        }
        page.fileName = fileName;
        page.currentRow = j;
        // The script-free page's title names its button as drawn; the script page's as written.
        const QString caption = grid.Cell(j, CaptionGrid::kCaptionColumn);
        page.titleSuffix = testPage ? settings_.htmlMainFilename : css ? CaptionAsDrawn(caption) : caption;
        const QString path = htmlFolder + fileName;
        // The script page is Windows-1252 as it always was; the script-free page is UTF-8.
        const QByteArray bytes =
            css ? platform::ToUtf8(CssPageText(page)) : platform::ToWindows1252(PageText(page));
        const QString shown = testPage ? QLatin1String(output::kTestPageCaption)
                                       : output::Pad30(grid.Cell(j, CaptionGrid::kCaptionColumn));
        switch (writeFile(fileName, bytes, shown)) {
            case FileOutcome::Kept:
                if (firstKept.isEmpty()) {
                    firstKept = path;
                }
                break;
            case FileOutcome::Written:
                if (firstWritten.isEmpty()) {
                    firstWritten = path;
                }
                break;
            case FileOutcome::Failed:
                failed = true;
                break;
            case FileOutcome::Abandoned:
                return;
        }
    }
    // The navigation snippet and its style sheet, beside the pages, as a page is written.
    if (settings_.navigationSnippet) {
        page.currentRow = 0;
        const std::tuple<const char*, QString, const char*> snippets[] = {
            {kSnippetFileName, NavigationSnippetText(page, settings_.navigationLabel), kSnippetCaption},
            {kSnippetStyleFileName, NavigationStyleText(page), kSnippetStyleCaption}};
        for (const auto& [name, text, caption] : snippets) {
            if (platform::InterruptSignal() != 0) {
                return;
            }
            const FileOutcome outcome =
                writeFile(QLatin1String(name), platform::ToUtf8(text), output::Pad30(QLatin1String(caption)));
            if (outcome == FileOutcome::Abandoned) {
                return;
            }
            failed = failed || outcome == FileOutcome::Failed;
        }
    }
    if (failed || platform::InterruptSignal() != 0) {
        return;
    }
    // The first page written opens (a row without a page name is no page); when every page was
    // kept as it was, the first of those.
    const QString open = firstWritten.isEmpty() ? firstKept : firstWritten;
    if (!open.isEmpty() && OpenPage) {
        OpenPage(open);
    }
    if (WriteStatusReport) {
        WriteStatusReport();
    }
}

}  // namespace html
