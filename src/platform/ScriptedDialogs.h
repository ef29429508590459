#pragma once

#include <QList>
#include <QString>
#include <deque>

#include "platform/Dialogs.h"

// A Dialogs that never blocks: answers come from queues filled beforehand, and every box asked for
// is recorded with its text. A confirmation with no queued answer takes the default button (Yes);
// a chooser with no queued answer is cancelled.
namespace platform {

class ScriptedDialogs : public Dialogs {
  public:
    enum class Kind { Message, Error, Confirm, Colour, OpenFile, SaveFile, Folder };

    struct Shown {
        Kind kind;
        QString text;  // message text, dialog title or folder caption
        // File name of an open-file request, start folder of a folder chooser, the colour a colour
        // chooser opened on (eight hexadecimal digits).
        QString detail;
    };

    void QueueConfirm(ConfirmAnswer answer) { confirms_.push_back(answer); }
    void QueueColour(std::optional<std::uint32_t> colour) { colours_.push_back(colour); }
    // An empty text queues a cancelled dialog.
    void QueueOpenFile(const QString& file) { files_.push_back(file); }
    void QueueSaveFile(const QString& file) { saveFiles_.push_back(file); }
    void QueueFolder(const QString& folder) { folders_.push_back(folder); }
    // The next folder chooser fails: it throws an error with this text.
    void QueueFolderFailure(const QString& error) { folderFailures_.push_back(error); }

    const QList<Shown>& History() const { return shown_; }
    // Texts of the plain messages and error boxes, in the order they were shown.
    QStringList Messages() const;
    void Clear() { shown_.clear(); }

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    ConfirmAnswer Confirm(const QString& text) override;
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;
    std::optional<QString> ChooseOpenFile(const OpenFileRequest& request) override;
    std::optional<QString> ChooseSaveFile(const OpenFileRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& caption, const QString& startFolder) override;

  private:
    static std::optional<QString> TakeText(std::deque<QString>& queue);

    template <typename T, typename D>
    static T Take(std::deque<T>& queue, D fallback) {
        if (queue.empty()) {
            return fallback;
        }
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }

    QList<Shown> shown_;
    std::deque<ConfirmAnswer> confirms_;
    std::deque<std::optional<std::uint32_t>> colours_;
    std::deque<QString> files_;
    std::deque<QString> saveFiles_;
    std::deque<QString> folders_;
    std::deque<QString> folderFailures_;
};

}  // namespace platform
