#include "cli/ConsoleDialogs.h"

#include <QRegularExpression>

#include "platform/ShownText.h"

namespace cli {
namespace {

// A message as a terminal shows it: each line (a box's lines are split at single CRs) after the
// prefix, any other control character shown as its escape, so that no text of a file reaches the
// terminal as a command.
void Print(QTextStream& err, const QString& prefix, const QString& text) {
    static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.split(kLineEnd)) {
        err << prefix << platform::EscapeControls(line) << '\n';
    }
    err.flush();
}

}  // namespace

void ConsoleDialogs::Fail(const QString& text) {
    ++failures_;
    Print(err_, QStringLiteral("kestro-batch: "), text);
}

void ConsoleDialogs::Warn(const QString& text) {
    Print(err_, QStringLiteral("kestro-batch: warning: "), text);
}

void ConsoleDialogs::ShowMessage(const QString& text) {
    Fail(text);
}

void ConsoleDialogs::ShowError(const QString& text) {
    Fail(text);
}

platform::ConfirmAnswer ConsoleDialogs::Confirm(const QString&) {
    return platform::ConfirmAnswer::NoToAll;
}

std::optional<std::uint32_t> ConsoleDialogs::ChooseColour(std::uint32_t) {
    return std::nullopt;
}

std::optional<QString> ConsoleDialogs::ChooseOpenFile(const platform::OpenFileRequest&) {
    return std::nullopt;
}

std::optional<QString> ConsoleDialogs::ChooseFolder(const QString&, const QString&) {
    return std::nullopt;
}

}  // namespace cli
