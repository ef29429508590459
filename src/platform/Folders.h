#pragma once

#include <QString>

// The two folders of the program. The program folder holds what ships with it (the help page,
// "Images.txt", the "images" folder of the picture panels, the sample backgrounds); the data folder
// holds what the user makes ("PROJECTS" with the settings file, "BUTTONS", "SAMPLES", "Report.txt").
//
// Run from where it was built, the program folder is the executable's own and the data folder is
// "KSDATA" beside it. Installed (a folder "../share/plumeric" beside the executable's folder, as
// `make install` and the package lay it out), the program folder is that share folder and the data
// folder is "plumeric" in the user's data home ($XDG_DATA_HOME, by default ~/.local/share).
namespace platform {

struct ProgramFolders {
    QString executableFolder;  // ends in a separator
    QString programFolder;     // ends in a separator
    QString dataFolder;        // ends in a separator
    bool installed = false;
};

// The folders for an executable in `executableFolder`, the user's data home taken from the
// environment (XDG_DATA_HOME, else HOME/.local/share).
ProgramFolders LocateFolders(const QString& executableFolder);

// The same with the environment given: an empty or relative `xdgDataHome` counts as unset.
ProgramFolders LocateFolders(const QString& executableFolder, const QString& xdgDataHome,
                             const QString& home);

// Makes the data folder and its "PROJECTS", "BUTTONS" and, when `withSamples`, "SAMPLES" folders.
// "KSDATA" beside the executable is made as a single level, as the window always has; an installed
// program's data folder is made with every missing level of the data home above it. Failures
// (a folder that exists already included) are ignored: the folder test that follows tells.
void MakeDataFolders(const ProgramFolders& folders, bool withSamples);

}  // namespace platform
