#include <gtest/gtest.h>

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
