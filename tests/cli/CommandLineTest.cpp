#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cli/CommandLine.h"
#include "settings/SettingsLists.h"

using cli::CommandLine;
using cli::ParseCommandLine;

namespace {

CommandLine Parse(const QStringList& arguments) {
    return ParseCommandLine(QStringList{"kestro-batch"} + arguments);
}

}  // namespace

TEST(CommandLine, EveryOptionReachesTheRun) {
    const CommandLine line = Parse(
        {"--captions",     "caps.txt",    "--out",           "site/img",  "--format", "BMP",      "--html",
         "--report",       "report.txt",  "--keep-existing", "--quiet",   "--smooth", "--scale",  "2",
         "--page-style",   "CSS",         "--latin-names",   "--threads", "64",       "--dither", "--pressed",
         "--check-access", "settings.dat"});
    ASSERT_EQ(line.action, CommandLine::Action::Run) << line.text.toStdString();
    EXPECT_EQ(line.options.settingsFile, QStringLiteral("settings.dat"));
    EXPECT_EQ(line.options.captionsFile, QStringLiteral("caps.txt"));
    EXPECT_EQ(line.options.outFolder, QStringLiteral("site/img"));
    EXPECT_EQ(line.options.fileType, settings::kFileTypeBmp);
    EXPECT_TRUE(line.options.html);
    EXPECT_EQ(line.options.reportFile, QStringLiteral("report.txt"));
    EXPECT_TRUE(line.options.keepExisting);
    EXPECT_TRUE(line.options.quiet);
    EXPECT_TRUE(line.options.smooth);
    EXPECT_TRUE(line.options.latinNames);
    EXPECT_TRUE(line.options.dither);
    EXPECT_TRUE(line.options.pressed);
    EXPECT_TRUE(line.options.checkAccess);
    EXPECT_EQ(line.options.scale, 2);
    EXPECT_EQ(line.options.pageStyle, settings::kPageStyleCss);
    EXPECT_EQ(line.options.threads, 64);
    EXPECT_TRUE(line.options.htmlFolder.isEmpty());

    // --html-out names the pages' folder and implies --html.
    const CommandLine pages = Parse({"--html-out", "site", "kestro.dat"});
    ASSERT_EQ(pages.action, CommandLine::Action::Run) << pages.text.toStdString();
    EXPECT_EQ(pages.options.htmlFolder, QStringLiteral("site"));
    EXPECT_TRUE(pages.options.html);

    const CommandLine plain = Parse({"--format=gif", "kestro.dat"});
    ASSERT_EQ(plain.action, CommandLine::Action::Run);
    EXPECT_EQ(plain.options.fileType, settings::kFileTypeGif);
    EXPECT_FALSE(plain.options.html || plain.options.keepExisting || plain.options.quiet ||
                 plain.options.smooth || plain.options.latinNames || plain.options.dither ||
                 plain.options.pressed || plain.options.checkAccess);
    EXPECT_TRUE(plain.options.captionsFile.isEmpty() && plain.options.reportFile.isEmpty());
    EXPECT_FALSE(Parse({"kestro.dat"}).options.fileType.has_value());
    // Without --scale and --page-style the settings file decides; --scale 1 turns 2× images off.
    EXPECT_FALSE(plain.options.scale.has_value() || plain.options.pageStyle.has_value());
    EXPECT_EQ(Parse({"--scale=1", "--page-style=classic", "kestro.dat"}).options.scale, 1);
    EXPECT_EQ(Parse({"--page-style=classic", "kestro.dat"}).options.pageStyle, settings::kPageStyleClassic);
    EXPECT_EQ(Parse({"--format", "PNG", "kestro.dat"}).options.fileType, settings::kFileTypePng);
    EXPECT_EQ(Parse({"--format=webp", "kestro.dat"}).options.fileType, settings::kFileTypeWebp);
    EXPECT_EQ(Parse({"--format", "WebP", "kestro.dat"}).options.fileType, settings::kFileTypeWebp);
    EXPECT_EQ(plain.options.threads, 0);  // one per core
    EXPECT_EQ(Parse({"--threads=1", "kestro.dat"}).options.threads, 1);
}

TEST(CommandLine, HelpAndVersion) {
    for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CommandLine line = Parse({help});
        EXPECT_EQ(line.action, CommandLine::Action::Help);
        EXPECT_TRUE(line.text.startsWith("Usage: kestro-batch [options] settings-file\n"));
        EXPECT_TRUE(line.text.contains("--keep-existing"));
        EXPECT_TRUE(line.text.contains("--html-out <DIR>"));
        // What --keep-existing does not keep.
        const QString words = line.text.simplified();  // the help wraps its lines
        EXPECT_TRUE(words.contains("The report is always written, replacing FILE, also with --keep-existing"))
            << line.text.toStdString();
        EXPECT_TRUE(words.contains("the --report file is written all the same"));
        EXPECT_TRUE(
            words.contains("--latin-names Names the files of captions in any script in Latin letters"))
            << line.text.toStdString();
        EXPECT_TRUE(words.contains("--dither Dithers the colours of GIF files")) << line.text.toStdString();
        EXPECT_TRUE(words.contains("--check-access Measures every image against the contrast"))
            << line.text.toStdString();
        EXPECT_TRUE(words.contains("the run then ends with status 3")) << line.text.toStdString();
    }
    const CommandLine version = Parse({"--version"});
    EXPECT_EQ(version.action, CommandLine::Action::Version);
    EXPECT_EQ(version.text, QStringLiteral("kestro-batch 1.2\n"));
}

TEST(CommandLine, BadArgumentsSayWhatIsWrongAndShowTheUsage) {
    const QList<std::pair<QStringList, QString>> cases = {
        {{}, "no settings file given."},
        {{"a.dat", "b.dat"}, "one settings file only; also given: b.dat"},
        {{"--format", "tiff", "a.dat"}, "--format takes gif, bmp, png or webp, not \"tiff\"."},
        {{"--format", "", "a.dat"}, "--format takes gif, bmp, png or webp, not \"\"."},
        {{"--colour", "a.dat"}, "Unknown option 'colour'."},
        {{"a.dat", "--out"}, "Missing value after '--out'."},
        {{"--out=", "a.dat"}, "--out needs a file or folder name."},
        {{"--report", "", "a.dat"}, "--report needs a file or folder name."},
        {{"--html-out=", "a.dat"}, "--html-out needs a file or folder name."},
        {{"--scale", "3", "a.dat"}, "--scale takes 1 or 2, not \"3\"."},
        {{"--scale=0", "a.dat"}, "--scale takes 1 or 2, not \"0\"."},
        {{"--scale=2x", "a.dat"}, "--scale takes 1 or 2, not \"2x\"."},
        {{"--page-style", "script", "a.dat"}, "--page-style takes classic or css, not \"script\"."},
        {{"--threads", "0", "a.dat"}, "--threads takes a whole number from 1 to 64, not \"0\"."},
        {{"--threads=65", "a.dat"}, "--threads takes a whole number from 1 to 64, not \"65\"."},
        {{"--threads", "two", "a.dat"}, "--threads takes a whole number from 1 to 64, not \"two\"."},
    };
    for (const auto& [arguments, why] : cases) {
        const CommandLine line = Parse(arguments);
        EXPECT_EQ(line.action, CommandLine::Action::BadArguments) << arguments.join(' ').toStdString();
        // Each line names the program: what is wrong, then the usage line.
        EXPECT_EQ(line.text, "kestro-batch: " + why +
                                 "\nkestro-batch: Usage: kestro-batch [options] settings-file (kestro-batch "
                                 "--help lists the options)\n");
    }
}
