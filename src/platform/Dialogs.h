#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Everything the program asks of the user through modal boxes. Subsystems take a Dialogs& and never
// open a box themselves; the window passes the Qt implementation, tests a scripted one.
namespace platform {

// Answers of the overwrite confirmation, with the codes the program has always used.
enum class ConfirmAnswer : int {
    Yes = 6,
    No = 7,
    NoToAll = 9,
    YesToAll = 10,
};

struct OpenFileRequest {
    QString title;
    QString fileName;          // shown in the dialog's file name field
    QString initialFolder;     // where it starts when the file name gives no folder
    QString filter;            // e.g. "Windows Bitmap (.bmp)|*.bmp"; empty for all files
    QString defaultExtension;  // e.g. ".bmp"
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A plain box with the application's title, no icon and only an OK button. Line breaks in the
    // text are single CR characters.
    virtual void ShowMessage(const QString& text) = 0;

    // An error box titled "Error" with an OK button.
    virtual void ShowError(const QString& text) = 0;

    // A confirmation box titled "Confirm" with "&Yes", "&No", "N&o to All" and "Yes to &All"; Yes is
    // the default button and Escape answers No.
    virtual ConfirmAnswer Confirm(const QString& text) = 0;

    // The colour chooser, opening on `initial` (0x00BBGGRR). Answers the chosen colour as 0x00BBGGRR,
    // or nothing when cancelled.
    virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;

    // The open-file dialog. Answers the chosen file, or nothing when cancelled.
    virtual std::optional<QString> ChooseOpenFile(const OpenFileRequest& request) = 0;

    // The save-file dialog, which asks before an existing file is chosen. Answers the chosen file, or
    // nothing when cancelled; a program without such a dialog answers nothing.
    virtual std::optional<QString> ChooseSaveFile(const OpenFileRequest& request) {
        (void)request;
        return std::nullopt;
    }

    // The folder chooser, titled `caption`, starting at `startFolder`. Answers the chosen folder, whole
    // and with a trailing separator, or nothing when cancelled.
    virtual std::optional<QString> ChooseFolder(const QString& caption, const QString& startFolder) = 0;
};

}  // namespace platform
