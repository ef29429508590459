#include "cli/CommandLine.h"

#include <QCommandLineParser>

#include "settings/SettingsLists.h"

namespace cli {
namespace {

constexpr char kUsage[] = "Usage: kestro-batch [options] settings-file";

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renders every caption of a settings file's caption list as button files, with the same\n"
        "engine and file names as the window, and optionally writes the rollover pages and the\n"
        "status report."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Shows the version and ends."));
    const QCommandLineOption captions(
        QStringLiteral("captions"),
        QStringLiteral("Takes the captions from FILE, one a line (UTF-8, Windows-1252, or UTF-16 with "
                       "a byte order mark), instead of the settings file's caption list; a caption, a "
                       "tab and a link make the button link there instead of to its page."),
        QStringLiteral("FILE"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("Writes the button files into DIR instead of the "
                                                "settings file's button folder (DIR is made, with "
                                                "its parents, when missing)."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption htmlOut(QStringLiteral("html-out"),
                                     QStringLiteral("Writes the pages into DIR instead of the settings "
                                                    "file's HTML folder (made like --out); implies "
                                                    "--html. The button folder must lie inside it."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Writes gif, bmp, png or webp files instead of "
                                                   "the settings file's type."),
                                    QStringLiteral("gif|bmp|png|webp"));
    const QCommandLineOption html(QStringLiteral("html"),
                                  QStringLiteral("Also writes the rollover pages (no browser is opened)."));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Writes the status report to FILE (it is not opened). "
                                                   "The report is always written, replacing FILE, "
                                                   "also with --keep-existing."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption keep(QStringLiteral("keep-existing"),
                                  QStringLiteral("Leaves existing button files and pages as they are and "
                                                 "lists them as kept (without it they are overwritten); "
                                                 "the --report file is written all the same."));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Prints errors only."));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     QStringLiteral("Renders and encodes the buttons on N threads (1 to "
                                                    "64; by default one per processor core). The files "
                                                    "are the same whatever N is."),
                                     QStringLiteral("N"));
    const QCommandLineOption smooth(QStringLiteral("smooth"),
                                    QStringLiteral("Draws the captions with smooth (anti-aliased) edges, "
                                                   "whatever the settings file says."));
    const QCommandLineOption dither(QStringLiteral("dither"),
                                    QStringLiteral("Dithers the colours of GIF files (error diffusion) "
                                                   "instead of taking the nearest web colour, whatever "
                                                   "the settings file says; other file types are as "
                                                   "they are."));
    const QCommandLineOption snippet(QStringLiteral("snippet"),
                                     QStringLiteral("Also writes navigation.html and navigation.css, the "
                                                    "buttons to paste into a site, beside the pages "
                                                    "(implies --html), whatever the settings file says."));
    const QCommandLineOption pressed(QStringLiteral("pressed"),
                                     QStringLiteral("Also writes each caption's pressed image: its type 2 "
                                                    "face (type 1 while type 2 is disabled) as the button "
                                                    "shows it pressed, named with the settings file's "
                                                    "pressed prefix (P_ by default), whatever the settings "
                                                    "file says."));
    const QCommandLineOption checkAccess(
        QStringLiteral("check-access"),
        QStringLiteral("Measures every image against the contrast (4.5:1, 3:1 for large text) and target "
                       "size (24 x 24 pixels) rules of WCAG 2.2 AA and names on standard error each one "
                       "that falls short; the run then ends with status 3, whatever the settings file "
                       "says."));
    const QCommandLineOption smoothShapes(QStringLiteral("smooth-shapes"),
                                          QStringLiteral("Draws the edges of both types' shapes smooth: "
                                                         "partly transparent in PNG and WebP files, "
                                                         "blended with the page colour in BMP and GIF "
                                                         "files, whatever the settings file says."));
    const QCommandLineOption latinNames(
        QStringLiteral("latin-names"),
        QStringLiteral("Names the files of captions in any script in Latin letters (\"\u00dcber uns\" gives "
                       "u_uber_uns.gif, \"\u041a\u043e\u043d\u0442\u0430\u043a\u0442\u044b\" "
                       "u_kontakty.gif), whatever the settings file says."));
    const QCommandLineOption pageStyle(QStringLiteral("page-style"),
                                       QStringLiteral("Writes pages whose rollover is a script (classic) or "
                                                      "style rules alone (css: an HTML5 page without "
                                                      "script, in UTF-8) instead of the settings file's "
                                                      "style."),
                                       QStringLiteral("classic|css"));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("2 also writes every image at twice its size for "
                                                  "high-density screens, named with \"@2x\" before the "
                                                  "extension (not with 8.3 names); 1 (the default) does "
                                                  "not. Without it the settings file decides."),
                                   QStringLiteral("1|2"));
    parser.addOptions({help,   version,   captions,   out,     htmlOut,     format,  html,
                       report, keep,      quiet,      smooth,  dither,      pressed, smoothShapes,
                       scale,  pageStyle, latinNames, snippet, checkAccess, threads});
    parser.addPositionalArgument(QStringLiteral("settings-file"),
                                 QStringLiteral("A settings file in the format of \"kestro.dat\"."));

    CommandLine result;
    // The usage line names the program the same way however it was started.
    QString helpText = parser.helpText();
    helpText.replace(0, helpText.indexOf(QLatin1Char('\n')), QLatin1String(kUsage));
    // Every line on standard error names the program: what was wrong, then the usage line.
    const auto bad = [&](const QString& why) {
        result.action = CommandLine::Action::BadArguments;
        result.text =
            QStringLiteral("kestro-batch: %1\nkestro-batch: %2 (kestro-batch --help lists the options)\n")
                .arg(why, QLatin1String(kUsage));
        return result;
    };
    if (!parser.parse(arguments)) {
        return bad(parser.errorText());
    }
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::Help;
        result.text = helpText;
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::Action::Version;
        result.text = QStringLiteral("kestro-batch %1\n").arg(QStringLiteral(PLUMERIC_VERSION));
        return result;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        return bad(QStringLiteral("no settings file given."));
    }
    if (positional.size() > 1) {
        return bad(QStringLiteral("one settings file only; also given: %1").arg(positional.mid(1).join(' ')));
    }
    BatchOptions& o = result.options;
    o.settingsFile = positional.first();
    o.captionsFile = parser.value(captions);
    o.outFolder = parser.value(out);
    o.htmlFolder = parser.value(htmlOut);
    o.reportFile = parser.value(report);
    for (const auto& [option, name] : {std::pair{&captions, "--captions"}, std::pair{&out, "--out"},
                                       std::pair{&htmlOut, "--html-out"}, std::pair{&report, "--report"}}) {
        if (parser.isSet(*option) && parser.value(*option).isEmpty()) {
            return bad(QStringLiteral("%1 needs a file or folder name.").arg(QLatin1String(name)));
        }
    }
    if (parser.isSet(format)) {
        const QString type = parser.value(format).toLower();
        if (type == QLatin1String("gif")) {
            o.fileType = settings::kFileTypeGif;
        } else if (type == QLatin1String("bmp")) {
            o.fileType = settings::kFileTypeBmp;
        } else if (type == QLatin1String("png")) {
            o.fileType = settings::kFileTypePng;
        } else if (type == QLatin1String("webp")) {
            o.fileType = settings::kFileTypeWebp;
        } else {
            return bad(QStringLiteral("--format takes gif, bmp, png or webp, not \"%1\".")
                           .arg(parser.value(format)));
        }
    }
    if (parser.isSet(scale)) {
        const QString factor = parser.value(scale);
        if (factor != QLatin1String("1") && factor != QLatin1String("2")) {
            return bad(QStringLiteral("--scale takes 1 or 2, not \"%1\".").arg(factor));
        }
        o.scale = factor.toInt();
    }
    if (parser.isSet(pageStyle)) {
        const QString style = parser.value(pageStyle).toLower();
        if (style == QLatin1String("classic")) {
            o.pageStyle = settings::kPageStyleClassic;
        } else if (style == QLatin1String("css")) {
            o.pageStyle = settings::kPageStyleCss;
        } else {
            return bad(QStringLiteral("--page-style takes classic or css, not \"%1\".")
                           .arg(parser.value(pageStyle)));
        }
    }
    if (parser.isSet(threads)) {
        bool number = false;
        const int n = parser.value(threads).toInt(&number);
        if (!number || n < 1 || n > kMaxThreads) {
            return bad(QStringLiteral("--threads takes a whole number from 1 to %1, not \"%2\".")
                           .arg(kMaxThreads)
                           .arg(parser.value(threads)));
        }
        o.threads = n;
    }
    o.snippet = parser.isSet(snippet);
    o.html = parser.isSet(html) || parser.isSet(htmlOut) || o.snippet;
    o.keepExisting = parser.isSet(keep);
    o.quiet = parser.isSet(quiet);
    o.smooth = parser.isSet(smooth);
    o.dither = parser.isSet(dither);
    o.pressed = parser.isSet(pressed);
    o.smoothShapes = parser.isSet(smoothShapes);
    o.checkAccess = parser.isSet(checkAccess);
    o.latinNames = parser.isSet(latinNames);
    return result;
}

}  // namespace cli
