#include "widgets/BrowseDirectoryDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QScreen>

#include "platform/FolderPaths.h"
#include "platform/Paths.h"

namespace widgets {

TBrowseDirectoryDlg::TBrowseDirectoryDlg(QWidget* owner) : owner_(owner) {}

QString TBrowseDirectoryDlg::RootFolder(TRootID root) {
    switch (root) {
        case idDrives:
        case idNetwork:
        case idNetHood:
            return QStringLiteral("/");
        default:
            return QDir::homePath();
    }
}

void TBrowseDirectoryDlg::SetSelection(const QString& value) {
    if (value == selection_) {
        return;
    }
    selection_ = value;
    if (!selection_.isEmpty() && !selection_.endsWith(QLatin1Char(platform::kSeparator)) &&
        platform::IsExistingDirectory(selection_)) {
        selection_ += QLatin1Char(platform::kSeparator);
    }
    if (dialog_ != nullptr && !selection_.isEmpty()) {
        dialog_->setDirectory(platform::NormaliseFolderPath(selection_));
    }
}

void TBrowseDirectoryDlg::SetEnableOKButton(bool enabled) {
    if (enabled == enableOk_) {
        return;
    }
    enableOk_ = enabled;
    ApplyOkButton();
}

void TBrowseDirectoryDlg::ApplyOkButton() const {
    if (dialog_ == nullptr) {
        return;
    }
    if (auto* box = dialog_->findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* b : box->buttons()) {
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) {
                b->setEnabled(enableOk_);
            }
        }
    }
}

QString TBrowseDirectoryDlg::Caption() const {
    return dialog_ != nullptr ? dialog_->windowTitle() : caption_;
}

void TBrowseDirectoryDlg::SetCaption(const QString& caption) {
    caption_ = caption;
    if (dialog_ != nullptr) {
        dialog_->setWindowTitle(caption);
    }
}

bool TBrowseDirectoryDlg::Execute() {
    QWidget* owner = owner_ != nullptr ? owner_ : QApplication::activeWindow();
    QFileDialog dialog(owner);
    dialog_ = &dialog;
    // Qt's own dialog, so the OK button and the selection can be reached while it is open.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode((Options & bfIncludeFiles) != 0 ? QFileDialog::AnyFile : QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, (Options & bfIncludeFiles) == 0);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!caption_.isEmpty()) {
        dialog.setWindowTitle(caption_);
    }
    if (!Title.isEmpty()) {
        dialog.setLabelText(QFileDialog::LookIn, Title);
    }
    const QString start = platform::NormaliseFolderPath(selection_);
    if (!start.isEmpty() && platform::IsExistingDirectory(start)) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(RootFolder(Root));
    }
    ApplyOkButton();
    QObject::connect(&dialog, &QFileDialog::currentChanged, [this](const QString& path) {
        if (ShowSelectionInStatus) {
            SetStatusText(path);
        }
        if (OnSelChanged) {
            OnSelChanged(*this, path);
        }
    });
    if (Center) {
        if (const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
            dialog.adjustSize();
            QRect frame(QPoint(0, 0), dialog.size());
            frame.moveCenter(screen->availableGeometry().center());
            dialog.move(frame.topLeft());
        }
    }
    if (OnCreate) {
        OnCreate(*this);
    }
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    // The folder comes back whole, however long it is.
    const QString folder = chosen ? dialog.selectedFiles().constFirst() : QString();
    dialog_ = nullptr;
    // The program's callers join file names to the folder: it always ends in a separator.
    selection_ = chosen ? platform::IncludeTrailingSeparator(folder) : QString();
    return chosen;
}

}  // namespace widgets
