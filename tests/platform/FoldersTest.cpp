#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/Folders.h"

using namespace platform;

TEST(Folders, BuiltOrInstalledByTheShareFolderBesideTheExecutables) {
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkpath("build/bin"));
    ASSERT_TRUE(QDir(tmp.path()).mkpath("prefix/bin"));
    const QString home = tmp.path() + "/home";

    // Run where it was built: both in the executable's folder, typed with or without a separator.
    for (const QString& exe : {tmp.path() + "/build/bin", tmp.path() + "/build/bin/"}) {
        const ProgramFolders built = LocateFolders(exe, tmp.path() + "/xdg", home);
        EXPECT_FALSE(built.installed);
        EXPECT_EQ(built.executableFolder, tmp.path() + "/build/bin/");
        EXPECT_EQ(built.programFolder, tmp.path() + "/build/bin/");
        EXPECT_EQ(built.dataFolder, tmp.path() + "/build/bin/KSDATA/");
    }
    // A file named like the share folder does not make an install.
    ASSERT_TRUE(QDir(tmp.path()).mkpath("prefix/share"));
    ASSERT_TRUE(testsupport::WriteAll(tmp.path() + "/prefix/share/plumeric", "file"));
    EXPECT_FALSE(LocateFolders(tmp.path() + "/prefix/bin", QString(), home).installed);
    ASSERT_TRUE(QFile::remove(tmp.path() + "/prefix/share/plumeric"));
    ASSERT_TRUE(QDir(tmp.path()).mkpath("prefix/share/plumeric"));

    const ProgramFolders installed = LocateFolders(tmp.path() + "/prefix/bin", tmp.path() + "/xdg/", home);
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.programFolder, tmp.path() + "/prefix/share/plumeric/");
    EXPECT_EQ(installed.dataFolder, tmp.path() + "/xdg/plumeric/");
    // An unset, empty or relative data home means ~/.local/share.
    for (const QString& xdg : {QString(), QString("relative/data")}) {
        EXPECT_EQ(LocateFolders(tmp.path() + "/prefix/bin", xdg, home).dataFolder,
                  home + "/.local/share/plumeric/");
    }
}

TEST(Folders, TheDataFolderIsMadeOneLevelBesideTheExecutableAndWhollyWhenInstalled) {
    QTemporaryDir tmp;
    ProgramFolders built;
    built.dataFolder = tmp.path() + "/missing/KSDATA/";
    MakeDataFolders(built, true);
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/missing"));  // the executable's folder is never made
    built.dataFolder = tmp.path() + "/KSDATA/";
    MakeDataFolders(built, false);
    EXPECT_TRUE(QFileInfo(tmp.path() + "/KSDATA/PROJECTS").isDir());
    EXPECT_TRUE(QFileInfo(tmp.path() + "/KSDATA/BUTTONS").isDir());
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/KSDATA/SAMPLES"));

    ProgramFolders installed;
    installed.installed = true;
    installed.dataFolder = tmp.path() + "/home/.local/share/plumeric/";
    MakeDataFolders(installed, true);
    for (const char* sub : {"PROJECTS", "BUTTONS", "SAMPLES"}) {
        EXPECT_TRUE(QFileInfo(installed.dataFolder + sub).isDir()) << sub;
    }
}
