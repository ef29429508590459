#pragma once

#include <QString>
#include <QStringList>

#include "settings/AppSettings.h"

namespace settings {

// The name of the single test page the defaults give.
inline constexpr char kDefaultTestPageName[] = "index.htm";

// Header texts of the caption list as the defaults set them.
QStringList DefaultCaptionHeader();
// The seven captions the defaults put into rows 1 to 7.
QStringList DefaultCaptions();

// Sets every setting to its default in one step. `fonts` is the system's list of screen fonts;
// `dataFolder` is the program's data folder (ending in a separator), whose "BUTTONS" is the button
// folder. The file-name columns of the
// caption list are left as they are. PreviewUpdatesSuspended is set while it runs and clear after.
void ApplyDefaultSettings(AppSettings& s, const QStringList& fonts, const QString& dataFolder);

}  // namespace settings
