#include "cli/ConsoleDialogs.h"

namespace cli {
namespace {

// A message's lines as a terminal shows them: its single CRs become line feeds.
void Print(QTextStream& err, const QString& prefix, const QString& text) {
    QString lines = text;
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    err << prefix << lines << '\n';
    err.flush();
}

}  // namespace

void ConsoleDialogs::Fail(const QString& text) {
    ++failures_;
    Print(err_, QString(), text);
}

void ConsoleDialogs::ShowMessage(const QString& text) {
    if (warningPrefix.isEmpty()) {
        Fail(text);
    } else {
        Print(err_, warningPrefix, text);
    }
}

void ConsoleDialogs::ShowError(const QString& text) {
    ShowMessage(text);
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
