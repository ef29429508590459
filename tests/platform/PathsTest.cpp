#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"

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

TEST(Paths, FilesAreMeasuredAndDeleted) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/f.txt";
    EXPECT_EQ(FileSize(file), -1);
    ASSERT_TRUE(testsupport::WriteAll(file, "12345"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(FileSize(file), 5);
    EXPECT_EQ(FileSize(tmp.path()), -1);
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
}

TEST(RegularFile, OnlyARegularFileIsRead) {
    QTemporaryDir tmp;
    const QString base = tmp.path() + "/";
    ASSERT_TRUE(testsupport::WriteAll(base + "file.bmp", QByteArray("BM\0rest", 7)));
    ASSERT_EQ(::symlink("file.bmp", QFile::encodeName(base + "link.bmp").constData()), 0);
    QString reason = "unchanged";
    EXPECT_TRUE(CanReadRegularFile(base + "file.bmp", &reason));
    EXPECT_EQ(reason, QStringLiteral("unchanged"));
    EXPECT_EQ(ReadRegularFile(base + "link.bmp"), std::optional<QByteArray>(QByteArray("BM\0rest", 7)));
    ASSERT_TRUE(testsupport::WriteAll(base + "empty", ""));
    EXPECT_EQ(ReadRegularFile(base + "empty"), std::optional<QByteArray>(QByteArray()));

    // A pipe with no writer is refused at once; reading it would wait for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(base + "pipe").constData(), 0600), 0);
    const std::pair<QString, QString> refused[] = {{base + "missing", "No such file or directory"},
                                                   {tmp.path(), "Is a directory"},
                                                   {base + "pipe", "Not a regular file"},
                                                   {"/dev/null", "Not a regular file"},
                                                   {QString(), "No such file or directory"}};
    for (const auto& [path, why] : refused) {
        reason.clear();
        EXPECT_FALSE(CanReadRegularFile(path, &reason)) << path.toStdString();
        EXPECT_EQ(reason, why) << path.toStdString();
        reason.clear();
        EXPECT_EQ(ReadRegularFile(path, &reason), std::nullopt) << path.toStdString();
        EXPECT_EQ(reason, why) << path.toStdString();
    }
}
