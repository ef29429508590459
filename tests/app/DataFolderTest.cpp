#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "app/DataFolder.h"
#include "platform/ScriptedDialogs.h"

namespace {

const QString kNineLines = QStringLiteral(
    "ERROR : Plumeric can't run from this drive and/or folder: -\r"
    "\"%1\".\r"
    "It needs to create a sub-folder \"KSDATA\" in that folder and also needs file\r"
    "read, write, create and delete access rights one or more of which is not\r"
    "possible.\r"
    "Please copy the program file \"kestro.exe\" to a different drive and/or folder\r"
    "(or copy it to your desktop if unsure) and try running it from there.\r"
    "\r"
    "Plumeric will stop running when you click then \"OK\" button.");

}  // namespace

TEST(DataFolder, AWritableFolderGetsItsSubFoldersAndNoTestFileIsLeft) {
    QTemporaryDir tmp;
    platform::ScriptedDialogs dialogs;
    QString dataFolder;
    // A test file left over from an earlier crash is overwritten and then deleted.
    ASSERT_TRUE(QDir(tmp.path()).mkpath("KSDATA/PROJECTS"));
    ASSERT_TRUE(testsupport::WriteAll(tmp.path() + "/KSDATA/PROJECTS/runtest.$$$", "old"));

    EXPECT_TRUE(app::CheckDataFolder(tmp.path(), dataFolder, dialogs));
    EXPECT_EQ(dataFolder, tmp.path() + "/");
    for (const char* sub : {"KSDATA", "KSDATA/PROJECTS", "KSDATA/BUTTONS", "KSDATA/SAMPLES"}) {
        EXPECT_TRUE(QFileInfo(tmp.path() + "/" + sub).isDir()) << sub;
    }
    EXPECT_FALSE(QFile::exists(tmp.path() + "/KSDATA/PROJECTS/runtest.$$$"));
    EXPECT_TRUE(dialogs.History().isEmpty());
    EXPECT_EQ(app::RunTestLine(),
              QStringLiteral("Test file for \"kestro.exe\" - you can safely delete this file."));
}

TEST(DataFolder, AnUnusableFolderShowsTheNineLines) {
    QTemporaryDir tmp;
    // A regular file where the data folder should be: nothing below it can be made, even by root.
    ASSERT_TRUE(testsupport::WriteAll(tmp.path() + "/KSDATA", "not a folder"));
    platform::ScriptedDialogs dialogs;
    QString dataFolder;
    EXPECT_FALSE(app::CheckDataFolder(tmp.path() + "/", dataFolder, dialogs));
    EXPECT_EQ(dataFolder, tmp.path() + "/");
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Message);
    EXPECT_EQ(dialogs.History()[0].text, kNineLines.arg(tmp.path() + "/"));
    EXPECT_EQ(dialogs.History()[0].text.split('\r').size(), 9);
    EXPECT_EQ(testsupport::ReadAll(tmp.path() + "/KSDATA"), QByteArray("not a folder"));
}

TEST(DataFolder, ALinkPlantedUnderTheOldTestFileNameIsNeverFollowed) {
    QTemporaryDir tmp;
    const QString projects = tmp.path() + "/KSDATA/PROJECTS/";
    ASSERT_TRUE(QDir().mkpath(projects));
    const QString outside = tmp.path() + "/outside.txt";
    ASSERT_TRUE(testsupport::WriteAll(outside, "precious"));
    ASSERT_TRUE(QFile::link(outside, projects + "runtest.$$$"));
    platform::ScriptedDialogs dialogs;
    QString dataFolder;
    EXPECT_TRUE(app::CheckDataFolder(tmp.path(), dataFolder, dialogs));
    EXPECT_EQ(testsupport::ReadAll(outside), QByteArray("precious"));
    EXPECT_TRUE(QFileInfo(projects + "runtest.$$$").isSymLink());
    EXPECT_EQ(QDir(projects).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"runtest.$$$"});
}
