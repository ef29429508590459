#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QFileDialog;

namespace widgets {

// The top of the folder tree the dialog offers. On this system the desktop kinds start in the home
// folder and the drive and network kinds at "/"; the others start in the home folder too.
enum TRootID {
    idDesktop = 0,
    idInternet = 1,
    idPrograms = 2,
    idControlPanel = 3,
    idPrinters = 4,
    idPersonal = 5,
    idFavorites = 6,
    idStartup = 7,
    idRecent = 8,
    idSendTo = 9,
    idRecycleBin = 10,
    idStartMenu = 11,
    idDesktopDirectory = 16,
    idDrives = 17,
    idNetwork = 18,
    idNetHood = 19,
    idFonts = 20,
    idTemplates = 21,
    idDesktopExpanded = 0xFEFE,
};

enum TBrowseFlag : unsigned {
    bfDirectoriesOnly = 0x1,
    bfDomainOnly = 0x2,
    bfAncestors = 0x8,
    bfComputers = 0x1000,
    bfPrinters = 0x2000,
    bfIncludeFiles = 0x4000,
};

// The folder chooser: a title, an initial selection and directories only. The chosen folder comes
// back whole (however long) with a trailing separator.
class TBrowseDirectoryDlg {
  public:
    explicit TBrowseDirectoryDlg(QWidget* owner = nullptr);

    // Runs the dialog; true when a folder was chosen (then in Selection), false when cancelled
    // (Selection empty).
    bool Execute();

    const QString& Selection() const { return selection_; }
    // An existing directory without its trailing separator gets one; anything else is kept as written.
    void SetSelection(const QString& value);

    QString Title;
    TRootID Root = idDesktop;
    unsigned Options = 0;  // TBrowseFlag values
    bool Center = true;
    bool FitStatusText = true;
    bool ShowSelectionInStatus = false;
    int ImageIndex = -1;  // there is no system image list here: always -1

    // The dialog has no status line: the text is kept (and echoes the selection when asked), but
    // nothing shows it.
    const QString& StatusText() const { return statusText_; }
    void SetStatusText(const QString& text) { statusText_ = text; }

    bool EnableOKButton() const { return enableOk_; }
    void SetEnableOKButton(bool enabled);

    // The window title; while the dialog is open, its current title.
    QString Caption() const;
    void SetCaption(const QString& caption);

    std::function<void(TBrowseDirectoryDlg&, const QString&)> OnSelChanged;
    std::function<void(TBrowseDirectoryDlg&)> OnCreate;

    // The open dialog, while Execute runs.
    QFileDialog* Dialog() const { return dialog_; }

    // Where the folder tree starts for a root kind.
    static QString RootFolder(TRootID root);

  private:
    void ApplyOkButton() const;

    QWidget* owner_;
    QString selection_;
    QString statusText_;
    QString caption_;
    bool enableOk_ = true;
    QFileDialog* dialog_ = nullptr;
};

}  // namespace widgets
