#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/FolderPaths.h"

using namespace platform;

namespace {

// A room that takes texts of at most `n` characters.
FitsTest AtMost(int n) {
    return [n](const QString& text) { return text.size() <= n; };
}

// Every form a path is shown in on its way down, when nothing fits.
QStringList Successive(const QString& path) {
    QStringList shown;
    ShortenPathToFit(path, [&](const QString& text) {
        shown.append(text);
        return false;
    });
    return shown;
}

}  // namespace

TEST(FolderPaths, PathsLoseOneFolderLevelAtATimeFromTheLeft) {
    EXPECT_EQ(Successive("C:\\windows\\system\\file.txt"),
              (QStringList{"C:\\windows\\system\\file.txt", "C:\\...\\system\\file.txt", "C:\\...\\file.txt",
                           "...\\file.txt", "file.txt"}));
    EXPECT_EQ(Successive("/usr/share/doc/file.txt"),
              (QStringList{"/usr/share/doc/file.txt", "/.../share/doc/file.txt", "/.../doc/file.txt",
                           "/.../file.txt", ".../file.txt", "file.txt"}));
    // A folder path ends with its separator: its last folder goes too.
    EXPECT_EQ(ShortenPathToFit("/home/ann/site/", AtMost(10)), QStringLiteral("/.../site/"));
    EXPECT_EQ(ShortenPathToFit("/home/ann/site/", AtMost(6)), QStringLiteral("/.../"));
    // Without a drive a Windows path starts with its first folder.
    EXPECT_EQ(ShortenPathToFit("\\\\server\\share\\a.txt", AtMost(16)),
              QStringLiteral("\\...\\share\\a.txt"));
    // The first form that fits is taken.
    EXPECT_EQ(ShortenPathToFit("C:\\windows\\system\\file.txt", AtMost(15)),
              QStringLiteral("C:\\...\\file.txt"));
    // What fits stays as it is.
    EXPECT_EQ(ShortenPathToFit("C:\\a\\b.txt", AtMost(100)), QStringLiteral("C:\\a\\b.txt"));
    EXPECT_EQ(ShortenPathToFit("", AtMost(0)), QString());
}

TEST(FolderPaths, PlainTextKeepsItsStartFollowedByDots) {
    EXPECT_EQ(ShortenTextToFit("Select Target Folder", AtMost(9)), QStringLiteral("Select..."));
    EXPECT_EQ(ShortenTextToFit("abc", AtMost(3)), QStringLiteral("abc"));
    EXPECT_EQ(ShortenTextToFit("abcd", AtMost(1)), QStringLiteral("..."));  // nothing shorter exists
}

TEST(FolderPaths, NormalisingAndExistingDirectories) {
    EXPECT_EQ(NormaliseFolderPath(""), QString());
    EXPECT_EQ(NormaliseFolderPath("C:"), QStringLiteral("C:\\"));
    EXPECT_EQ(NormaliseFolderPath("C:\\"), QStringLiteral("C:\\"));
    EXPECT_EQ(NormaliseFolderPath("C:\\temp\\"), QStringLiteral("C:\\temp"));
    EXPECT_EQ(NormaliseFolderPath("C:\\temp"), QStringLiteral("C:\\temp"));
    EXPECT_EQ(NormaliseFolderPath("/"), QStringLiteral("/"));
    EXPECT_EQ(NormaliseFolderPath("/srv/site/"), QStringLiteral("/srv/site"));
    EXPECT_EQ(NormaliseFolderPath("/srv/site//"), QStringLiteral("/srv/site/"));  // one separator only

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("abc"));
    EXPECT_TRUE(IsExistingDirectory(dir.path() + "/abc"));
    EXPECT_TRUE(IsExistingDirectory(dir.path() + "/abc/"));
    EXPECT_FALSE(IsExistingDirectory(dir.path() + "/a*"));  // no wildcards
    EXPECT_FALSE(IsExistingDirectory(dir.path() + "/a?c"));
    EXPECT_FALSE(IsExistingDirectory(dir.path() + "/missing"));
    EXPECT_TRUE(IsExistingDirectory("/"));
    EXPECT_FALSE(IsExistingDirectory(""));
    EXPECT_FALSE(IsExistingDirectory("Q:\\"));  // no drives here
}
