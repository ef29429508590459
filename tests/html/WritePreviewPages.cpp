#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <cstdio>

#include "app/Form1.h"
#include "html/PreviewPages.h"
#include "output/CaptionLinks.h"
#include "output/CaptionNaming.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"

// Writes the rollover pages of a caption list full of characters that could break a page, through the
// window's own "Preview in web browser", into KSDATA/BUTTONS of the folder given as its first argument.
// Further arguments choose the script-free page ("css"), the twice-size images ("2x"), the pressed
// images ("pressed") and the navigation snippet ("snippet"). Prints what a browser should find there
// as JSON: the folder, each row's caption and file names (its pressed image's too), the pages
// written, the page the window opened, the page style and whether twice-size and pressed images were
// written; a row's link, as the pages write it, where its button leads instead of its page.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool css = false;
    bool scaled = false;
    bool snippet = false;
    bool pressed = false;
    for (int i = 2; i < argc; ++i) {
        const QByteArray option(argv[i]);
        css = css || option == "css";
        scaled = scaled || option == "2x";
        snippet = snippet || option == "snippet";
        pressed = pressed || option == "pressed";
        if (option != "css" && option != "2x" && option != "snippet" && option != "pressed") {
            argc = 0;
        }
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: write_preview_pages FOLDER [css] [2x] [snippet] [pressed]\n");
        return 2;
    }
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    app::TForm1 form(dialogs, shell, QString::fromLocal8Bit(argv[1]));
    form.show();
    form.Timer1->stop();
    settings::AppSettings& s = form.Settings();
    s.pageStyle = css ? settings::kPageStyleCss : settings::kPageStyleClassic;
    s.scale2x = scaled;
    s.navigationSnippet = snippet;
    s.pressedImages = pressed;
    struct Row {
        const char* caption;
        const char* up;
        const char* down;
        const char* page;
        const char* link = "";
    };
    // Plain names, names typed with apostrophes, "#", quotes, "<script>", "&", a non-Latin word and a
    // trailing blank, and names with a colon that could be read as a URL scheme.
    const Row rows[] = {
        {"Home", "", "", ""},
        {"Today's News", "u_today's_news.gif", "d_today's_news.gif", "today's news.htm"},
        {"Item #1", "u_item #1.gif", "d_item #1.gif", "item #1.htm", " #item 1"},
        {"Say \"Hi\"", "u_say \"hi\".gif", "d_say \"hi\".gif", "say \"hi\".htm"},
        {"<script>alert(1)</script>", "u_<script>.gif", "d_<script>.gif", "<script>.htm"},
        {"Fish & Chips", "u_fish&chips.gif", "d_fish&chips.gif", "fish&chips.htm",
         "HTTPS://example.com/menu?fish=1&chips=\"2\""},
        {"\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82",
         "u_\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82.gif",
         "d_\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82.gif",
         "\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82.htm"},
        {"Trailing ", "u_trailing .gif", "d_trailing .gif", "trailing .htm", "/index.htm"},
        {"50% off?", "u_50% off?.gif", "d_50% off?.gif", "50% off?.htm"},
        // Captions whose names hold a colon, named by the batch: "javascript:alert(1).htm",
        // "news:_today.htm", "faq:.htm", "c:temp.htm" must stay files beside the page.
        {"javascript:alert(1)", "", "", ""},
        {"News: Today", "", "", ""},
        {"FAQ:", "", "", ""},
        {"C:\\temp", "", "", ""},
        // Buttons with links of their own: a fragment, an https link, a path from the site's root
        // (above) and a mailto link with a space, which lead there instead of to their pages.
        {"Mail us", "", "", "", "mailto:team@example.com?subject=Hi there"},
    };
    const int n = static_cast<int>(std::size(rows));
    s.captions.SetRowCount(n + 1);
    for (int r = 0; r < n; ++r) {
        s.captions.SetCell(r + 1, 0, QString::fromUtf8(rows[r].caption));
        s.captions.SetCell(r + 1, 1, QString::fromUtf8(rows[r].up));
        s.captions.SetCell(r + 1, 2, QString::fromUtf8(rows[r].down));
        s.captions.SetCell(r + 1, 3, QString::fromUtf8(rows[r].page));
        s.captions.SetCell(r + 1, settings::CaptionGrid::kLinkColumn, QString::fromUtf8(rows[r].link));
    }
    form.generatehtmlbuttonClick();
    if (!dialogs.History().isEmpty()) {
        std::fprintf(stderr, "write_preview_pages: a box was shown: %s\n",
                     qPrintable(dialogs.History().first().text));
        return 1;
    }
    QJsonArray list;
    const QStringList pressedNames = output::PressedFilenames(s);
    for (int r = 1; r < s.captions.RowCount(); ++r) {
        // The script-free page's alt texts name each button as it is drawn.
        list.append(
            QJsonObject{{"caption", s.captions.Cell(r, 0)},
                        {"drawn", html::CaptionAsDrawn(s.captions.Cell(r, 0))},
                        {"up", s.captions.Cell(r, 1)},
                        {"down", s.captions.Cell(r, 2)},
                        {"page", s.captions.Cell(r, 3)},
                        {"link", output::WrittenLink(s.captions.Cell(r, settings::CaptionGrid::kLinkColumn))},
                        {"pressed", pressedNames[r]}});
    }
    const QJsonObject out{{"folder", s.targetFolder},
                          {"rows", list},
                          {"opened", shell.Opened().isEmpty() ? QString() : shell.Opened().first()},
                          {"css", css},
                          {"scaled", scaled},
                          {"snippet", snippet},
                          {"pressed", pressed}};
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}
