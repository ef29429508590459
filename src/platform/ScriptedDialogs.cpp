#include "platform/ScriptedDialogs.h"
#include <stdexcept>

namespace platform {

QStringList ScriptedDialogs::Messages() const {
    QStringList texts;
    for (const Shown& s : shown_) {
        if (s.kind == Kind::Message || s.kind == Kind::Error) {
            texts.append(s.text);
        }
    }
    return texts;
}

std::optional<QString> ScriptedDialogs::TakeText(std::deque<QString>& queue) {
    if (queue.empty()) {
        return std::nullopt;
    }
    const QString text = queue.front();
    queue.pop_front();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text;
}

void ScriptedDialogs::ShowMessage(const QString& text) {
    shown_.append({Kind::Message, text, {}});
}

void ScriptedDialogs::ShowError(const QString& text) {
    shown_.append({Kind::Error, text, {}});
}

ConfirmAnswer ScriptedDialogs::Confirm(const QString& text) {
    shown_.append({Kind::Confirm, text, {}});
    return Take(confirms_, ConfirmAnswer::Yes);
}

std::optional<std::uint32_t> ScriptedDialogs::ChooseColour(std::uint32_t initial) {
    shown_.append({Kind::Colour, {}, QStringLiteral("%1").arg(initial, 8, 16, QLatin1Char('0')).toUpper()});
    return Take(colours_, std::optional<std::uint32_t>{});
}

std::optional<QString> ScriptedDialogs::ChooseOpenFile(const OpenFileRequest& request) {
    shown_.append({Kind::OpenFile, request.title, request.fileName});
    return TakeText(files_);
}

std::optional<QString> ScriptedDialogs::ChooseSaveFile(const OpenFileRequest& request) {
    shown_.append({Kind::SaveFile, request.title, request.initialFolder});
    return TakeText(saveFiles_);
}

std::optional<QString> ScriptedDialogs::ChooseFolder(const QString& caption, const QString& startFolder) {
    shown_.append({Kind::Folder, caption, startFolder});
    if (!folderFailures_.empty()) {
        const QString error = folderFailures_.front();
        folderFailures_.pop_front();
        throw std::runtime_error(error.toStdString());
    }
    return TakeText(folders_);
}

}  // namespace platform
