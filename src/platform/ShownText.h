#pragma once

#include <QString>

// Texts from files or typed by the user, as a message quotes them. A message goes to a terminal
// (kestro-batch) or into a box or the status bar (the window), and the same text goes to both: no
// character of it can act on a terminal, and no value can fill the screen.
namespace platform {

// The longest value a message quotes, in characters; a longer one is cut and ends in "…".
inline constexpr int kShownValueLength = 60;

// Every control character (U+0000 to U+001F, U+007F to U+009F) as an escape: "\0" for NUL, "\t",
// "\n" and "\r" for those, "\x1b" and so on for the others. A backslash stays as it is.
QString EscapeControls(const QString& text);

// A value as a message quotes it: its control characters escaped, then cut to kShownValueLength
// characters (the last of them "…") when it is longer.
QString ShownValue(const QString& text);

}  // namespace platform
