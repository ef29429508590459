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
    "Please copy the program file \"%2\" to a different drive and/or folder\r"
    "(or copy it to your desktop if unsure) and try running it from there.\r"
    "\r"
    "Plumeric will stop running when you click then \"OK\" button.");

}  // namespace

TEST(DataFolder, AWritableFolderGetsItsSubFoldersAndNoTestFileIsLeft) {
    QTemporaryDir tmp;
    platform::ScriptedDialogs dialogs;
    // A test file left over from an earlier crash is overwritten and then deleted.
    ASSERT_TRUE(QDir(tmp.path()).mkpath("KSDATA/PROJECTS"));
    ASSERT_TRUE(testsupport::WriteAll(tmp.path() + "/KSDATA/PROJECTS/runtest.$$$", "old"));

    const platform::ProgramFolders folders = platform::LocateFolders(tmp.path());
    EXPECT_EQ(folders.dataFolder, tmp.path() + "/KSDATA/");
    EXPECT_TRUE(app::CheckDataFolder(folders, dialogs));
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
    EXPECT_FALSE(app::CheckDataFolder(platform::LocateFolders(tmp.path() + "/"), dialogs));
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Message);
    // The program file is named as it is called here: this test program, where "kestro.exe" was named.
    EXPECT_EQ(dialogs.History()[0].text, kNineLines.arg(tmp.path() + "/", "test_app"));
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
    EXPECT_TRUE(app::CheckDataFolder(platform::LocateFolders(tmp.path()), dialogs));
    EXPECT_EQ(testsupport::ReadAll(outside), QByteArray("precious"));
    EXPECT_TRUE(QFileInfo(projects + "runtest.$$$").isSymLink());
    EXPECT_EQ(QDir(projects).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"runtest.$$$"});
}

namespace {

// An install prefix in a temporary folder: bin/ for the executables, share/plumeric/ for what ships,
// with two samples, and a data home of the user's.
class InstalledDataFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(tmp.path()).mkpath("usr/bin"));
        ASSERT_TRUE(QDir(tmp.path()).mkpath("usr/share/plumeric/SAMPLES"));
        ASSERT_TRUE(testsupport::WriteAll(Shipped() + "SAMPLES/a.bmp", "sample a"));
        ASSERT_TRUE(testsupport::WriteAll(Shipped() + "SAMPLES/b.bmp", "sample b"));
    }
    QString Shipped() const { return tmp.path() + "/usr/share/plumeric/"; }
    platform::ProgramFolders Folders() const {
        return platform::LocateFolders(tmp.path() + "/usr/bin", tmp.path() + "/home/.data", "/nowhere");
    }
    QTemporaryDir tmp;
};

}  // namespace

TEST_F(InstalledDataFolder, MadeWithEveryLevelAndTheMissingSamplesCopiedAtEachStart) {
    const platform::ProgramFolders folders = Folders();
    ASSERT_TRUE(folders.installed);
    EXPECT_EQ(folders.programFolder, Shipped());
    EXPECT_EQ(folders.dataFolder, tmp.path() + "/home/.data/plumeric/");
    platform::ScriptedDialogs dialogs;
    // Neither the data home nor anything in it exists yet.
    EXPECT_TRUE(app::CheckDataFolder(folders, dialogs));
    EXPECT_TRUE(dialogs.History().isEmpty());
    for (const char* sub : {"PROJECTS", "BUTTONS", "SAMPLES"}) {
        EXPECT_TRUE(QFileInfo(folders.dataFolder + sub).isDir()) << sub;
    }
    EXPECT_EQ(testsupport::ReadAll(folders.dataFolder + "SAMPLES/a.bmp"), QByteArray("sample a"));
    EXPECT_EQ(testsupport::ReadAll(folders.dataFolder + "SAMPLES/b.bmp"), QByteArray("sample b"));
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/usr/bin/KSDATA"));

    // At the next start a sample the user changed stays, one deleted comes back, a link is left alone.
    ASSERT_TRUE(testsupport::WriteAll(folders.dataFolder + "SAMPLES/a.bmp", "changed"));
    ASSERT_TRUE(QFile::remove(folders.dataFolder + "SAMPLES/b.bmp"));
    ASSERT_TRUE(testsupport::WriteAll(Shipped() + "SAMPLES/c.bmp", "sample c"));
    ASSERT_TRUE(QFile::link(tmp.path() + "/nothing", folders.dataFolder + "SAMPLES/c.bmp"));
    EXPECT_EQ(app::CopyMissingSamples(folders), 1);
    EXPECT_EQ(testsupport::ReadAll(folders.dataFolder + "SAMPLES/a.bmp"), QByteArray("changed"));
    EXPECT_EQ(testsupport::ReadAll(folders.dataFolder + "SAMPLES/b.bmp"), QByteArray("sample b"));
    EXPECT_TRUE(QFileInfo(folders.dataFolder + "SAMPLES/c.bmp").isSymLink());
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/nothing"));
}

TEST_F(InstalledDataFolder, AnUnwritableDataFolderNamesItAndAsksForItsPermissions) {
    // A file where the data home should be: nothing below it can be made, even by root.
    ASSERT_TRUE(testsupport::WriteAll(tmp.path() + "/home", "not a folder"));
    platform::ScriptedDialogs dialogs;
    EXPECT_FALSE(app::CheckDataFolder(Folders(), dialogs));
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Message);
    EXPECT_EQ(dialogs.History()[0].text,
              "ERROR : Plumeric cannot write to its data folder: -\r\"" + tmp.path() +
                  "/home/.data/plumeric/\".\r"
                  "It needs to create that folder with its sub-folders \"PROJECTS\", \"BUTTONS\"\r"
                  "and \"SAMPLES\" and also needs file read, write, create and delete access\r"
                  "rights in it, one or more of which is not possible.\r"
                  "Please check the permissions of that folder and of the folders above it\r"
                  "(or set XDG_DATA_HOME to a folder you can write to) and try again.\r"
                  "\r"
                  "Plumeric will stop running when you click then \"OK\" button.");
    EXPECT_EQ(testsupport::ReadAll(tmp.path() + "/home"), QByteArray("not a folder"));
}
