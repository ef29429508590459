#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/Paths.h"

using namespace platform;

TEST(Paths, TrailingSeparatorIsAddedOnce) {
    EXPECT_EQ(IncludeTrailingSeparator("/a/b"), QStringLiteral("/a/b/"));
    EXPECT_EQ(IncludeTrailingSeparator("/a/b/"), QStringLiteral("/a/b/"));
    EXPECT_TRUE(ExecutableFolder().endsWith('/'));
}

TEST(Paths, FoldersAreMadeOneLevelAtATime) {
    QTemporaryDir tmp;
    const QString base = tmp.path() + "/";
    EXPECT_FALSE(CreateFolder(base + "missing/child"));  // the parent does not exist
    EXPECT_FALSE(DirectoryExists(base + "missing"));
    EXPECT_TRUE(CreateFolder(base + "one"));
    EXPECT_FALSE(CreateFolder(base + "one"));  // exists already: reported, not thrown
    EXPECT_TRUE(DirectoryExists(base + "one"));
    EXPECT_FALSE(FileExists(base + "one"));
}

TEST(Paths, FilesAreWrittenMeasuredAndDeleted) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/f.txt";
    EXPECT_EQ(FileSize(file), -1);
    ASSERT_TRUE(WriteWholeFile(file, "12345"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(FileSize(file), 5);
    ASSERT_TRUE(WriteWholeFile(file, "ab"));  // replaces, not appends
    EXPECT_EQ(testsupport::ReadAll(file), QByteArray("ab"));
    EXPECT_EQ(FileSize(tmp.path()), -1);
    EXPECT_FALSE(WriteWholeFile(tmp.path() + "/no/such/folder/f.txt", "x"));
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
}

namespace {

ino_t InodeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace

TEST(Paths, ARunOfReplacementsReusesTheReplacedFilesEntries) {
    QTemporaryDir tmp;
    const QString a = tmp.path() + "/a.gif";
    const QString b = tmp.path() + "/b.gif";
    const QString c = tmp.path() + "/c.gif";
    ASSERT_TRUE(testsupport::WriteAll(a, "old a, longer than the new content"));
    ASSERT_TRUE(testsupport::WriteAll(b, "old b"));
    ASSERT_TRUE(QFile::setPermissions(b, QFile::ReadOwner | QFile::WriteOwner));
    const ino_t oldA = InodeOf(a);
    {
        FileReplacer replacer;
        ASSERT_TRUE(replacer.Replace(a, "new a"));
        EXPECT_EQ(testsupport::ReadAll(a), QByteArray("new a"));
        EXPECT_NE(InodeOf(a), oldA);
        // The replaced file's entry waits beside the target for the next content.
        EXPECT_EQ(InodeOf(a + ".part"), oldA);
        ASSERT_TRUE(replacer.Replace(b, "new b, longer than the old content"));
        EXPECT_EQ(InodeOf(b), oldA);
        EXPECT_EQ(testsupport::ReadAll(b), QByteArray("new b, longer than the old content"));
        EXPECT_FALSE(QFile::exists(a + ".part"));
        // The replaced file keeps its own permission bits, not those of the entry that was reused.
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(b).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        // A new file takes the spare too, with the permissions a new file gets.
        ASSERT_TRUE(replacer.Replace(c, "c"));
        EXPECT_EQ(testsupport::ReadAll(c), QByteArray("c"));
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ASSERT_EQ(::stat(QFile::encodeName(c).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
    }
    // Nothing is left beside the files once the replacer has gone.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"a.gif", "b.gif", "c.gif"}));
    EXPECT_EQ(testsupport::ReadAll(a), QByteArray("new a"));
}

TEST(Paths, AReplacedFileWithAnotherLinkIsNotReused) {
    QTemporaryDir tmp;
    const QString a = tmp.path() + "/a.gif";
    const QString link = tmp.path() + "/link.gif";
    const QString b = tmp.path() + "/b.gif";
    ASSERT_TRUE(testsupport::WriteAll(a, "shared"));
    ASSERT_EQ(::link(QFile::encodeName(a).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(testsupport::WriteAll(b, "old b"));
    FileReplacer replacer;
    ASSERT_TRUE(replacer.Replace(a, "new a"));
    ASSERT_TRUE(replacer.Replace(b, "new b"));
    EXPECT_EQ(testsupport::ReadAll(link), QByteArray("shared"));
    EXPECT_EQ(testsupport::ReadAll(a), QByteArray("new a"));
    EXPECT_EQ(testsupport::ReadAll(b), QByteArray("new b"));
    EXPECT_FALSE(QFile::exists(a + ".part"));

    // A spare in another folder is not carried over; a read-only file is refused with its reason.
    ASSERT_TRUE(QDir(tmp.path()).mkdir("sub"));
    const QString other = tmp.path() + "/sub/b.gif";
    ASSERT_TRUE(replacer.Replace(other, "sub b"));
    EXPECT_EQ(testsupport::ReadAll(b), QByteArray("new b"));
    EXPECT_FALSE(QFile::exists(b + ".part"));
    ASSERT_TRUE(QFile::setPermissions(other, QFile::ReadOwner));
    QString error;
    EXPECT_FALSE(replacer.Replace(other, "again", &error));
    EXPECT_EQ(error, "Cannot write file \"" + other + "\": Permission denied");
    EXPECT_EQ(testsupport::ReadAll(other), QByteArray("sub b"));

    // A folder under the target's name is neither swapped away nor harmed.
    ASSERT_TRUE(QDir(tmp.path()).mkpath("taken.gif/inside"));
    EXPECT_FALSE(replacer.Replace(tmp.path() + "/taken.gif", "x", &error));
    EXPECT_TRUE(error.endsWith("Is a directory")) << error.toStdString();
    EXPECT_TRUE(QFileInfo(tmp.path() + "/taken.gif/inside").isDir());
    EXPECT_FALSE(QFile::exists(tmp.path() + "/taken.gif.part"));

    // A link under the target's name is replaced by the file; what it points to is never written.
    ASSERT_TRUE(testsupport::WriteAll(tmp.path() + "/elsewhere.gif", "precious"));
    ASSERT_TRUE(QFile::link(tmp.path() + "/elsewhere.gif", tmp.path() + "/linked.gif"));
    ASSERT_TRUE(replacer.Replace(tmp.path() + "/linked.gif", "new linked"));
    ASSERT_TRUE(replacer.Replace(b, "newer b"));
    EXPECT_FALSE(QFileInfo(tmp.path() + "/linked.gif").isSymLink());
    EXPECT_EQ(testsupport::ReadAll(tmp.path() + "/linked.gif"), QByteArray("new linked"));
    EXPECT_EQ(testsupport::ReadAll(b), QByteArray("newer b"));
    EXPECT_EQ(testsupport::ReadAll(tmp.path() + "/elsewhere.gif"), QByteArray("precious"));
}
