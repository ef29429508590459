#pragma once

#include <QTextStream>

#include "platform/Dialogs.h"

namespace cli {

// What kestro-batch says on standard error, every line after "kestro-batch: ", and the program's
// boxes on a terminal: a box that reaches it is printed the same way and counts as a failure of the
// run. The overwrite question is answered without asking: "N&o to All" when existing files are kept
// (the only time it is asked).
class ConsoleDialogs : public platform::Dialogs {
  public:
    explicit ConsoleDialogs(QTextStream& err) : err_(err) {}

    int Failures() const { return failures_; }
    // Prints the text, each of its lines (at CR or LF) after "kestro-batch: ", and fails the run.
    void Fail(const QString& text);
    // Prints the text after "kestro-batch: warning: "; the run goes on.
    void Warn(const QString& text);

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    platform::ConfirmAnswer Confirm(const QString& text) override;
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;
    std::optional<QString> ChooseOpenFile(const platform::OpenFileRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& caption, const QString& startFolder) override;

  private:
    QTextStream& err_;
    int failures_ = 0;
};

}  // namespace cli
