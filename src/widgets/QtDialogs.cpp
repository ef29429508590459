#include "widgets/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "platform/ShownText.h"
#include "widgets/BrowseDirectoryDlg.h"

namespace widgets {
namespace {

// "Windows Bitmap (.bmp)|*.bmp" → "Windows Bitmap (.bmp) (*.bmp)"; pairs are joined with ";;".
QString QtFilter(const QString& filter) {
    if (filter.isEmpty()) {
        return {};
    }
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters.append(parts[i] + QStringLiteral(" (") +
                       QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace

QtDialogs::QtDialogs(QString title, QWidget* parent) : title_(std::move(title)), parent_(parent) {}

QString QtDialogs::DisplayText(const QString& text) {
    // Each line break becomes a new line; any other control character is shown as its escape, as
    // kestro-batch prints it.
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (QString& line : lines) {
        line = platform::EscapeControls(line);
    }
    return lines.join(QLatin1Char('\n'));
}

void QtDialogs::CloseAll() {
    closed_ = true;
    // Closing a dialog makes the one below it the active modal widget; a widget that will not go
    // is not asked twice.
    QList<QWidget*> asked;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (asked.contains(modal)) {
            break;
        }
        asked.append(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }
}

void QtDialogs::ShowMessage(const QString& text) {
    if (closed_) {
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title_, DisplayText(text), QMessageBox::Ok, parent_);
    box.exec();
}

void QtDialogs::ShowError(const QString& text) {
    if (closed_) {
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), DisplayText(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

platform::ConfirmAnswer QtDialogs::Confirm(const QString& text) {
    if (closed_) {
        return platform::ConfirmAnswer::No;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), DisplayText(text),
                    QMessageBox::NoButton, parent_);
    // One role for all four keeps them in the program's order; the platform would sort them by role.
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::ActionRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::ActionRole);
    QPushButton* noToAll = box.addButton(QStringLiteral("N&o to All"), QMessageBox::ActionRole);
    QPushButton* yesToAll = box.addButton(QStringLiteral("Yes to &All"), QMessageBox::ActionRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes)
        return platform::ConfirmAnswer::Yes;
    if (clicked == noToAll)
        return platform::ConfirmAnswer::NoToAll;
    if (clicked == yesToAll)
        return platform::ConfirmAnswer::YesToAll;
    (void)no;
    return platform::ConfirmAnswer::No;
}

std::optional<std::uint32_t> QtDialogs::ChooseColour(std::uint32_t initial) {
    if (closed_) {
        return std::nullopt;
    }
    const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                       static_cast<int>((initial >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(start, parent_);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(chosen.red()) | (static_cast<std::uint32_t>(chosen.green()) << 8) |
           (static_cast<std::uint32_t>(chosen.blue()) << 16);
}

std::optional<QString> QtDialogs::ChooseOpenFile(const platform::OpenFileRequest& request) {
    return ChooseFile(request, false);
}

std::optional<QString> QtDialogs::ChooseSaveFile(const platform::OpenFileRequest& request) {
    return ChooseFile(request, true);
}

std::optional<QString> QtDialogs::ChooseFile(const platform::OpenFileRequest& request, bool save) {
    if (closed_) {
        return std::nullopt;
    }
    QFileDialog dialog(parent_, request.title);
    // Saving asks before an existing file is replaced (the dialog's own confirmation).
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!request.filter.isEmpty()) {
        dialog.setNameFilter(QtFilter(request.filter));
    }
    if (!request.defaultExtension.isEmpty()) {
        dialog.setDefaultSuffix(request.defaultExtension.startsWith(QLatin1Char('.'))
                                    ? request.defaultExtension.mid(1)
                                    : request.defaultExtension);
    }
    const QFileInfo named(request.fileName);
    if (!request.fileName.isEmpty() && named.dir().exists() && request.fileName.contains(QLatin1Char('/'))) {
        dialog.setDirectory(named.absolutePath());
        dialog.selectFile(named.fileName());
    } else {
        if (!request.initialFolder.isEmpty()) {
            dialog.setDirectory(request.initialFolder);
        }
        if (!request.fileName.isEmpty()) {
            dialog.selectFile(request.fileName);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::ChooseFolder(const QString& caption, const QString& startFolder) {
    if (closed_) {
        return std::nullopt;
    }
    TBrowseDirectoryDlg browse(parent_);
    browse.Options = bfDirectoriesOnly;
    browse.SetCaption(caption);
    browse.SetSelection(startFolder);
    if (!browse.Execute()) {
        return std::nullopt;
    }
    return browse.Selection();
}

}  // namespace widgets
