#pragma once

#include <QTextStream>

#include "platform/Dialogs.h"

namespace cli {

// The program's boxes on a terminal: every message goes to the error stream with its line breaks,
// and counts as a failure of the run unless it is only a warning. The overwrite question is answered
// without asking: "N&o to All" when existing files are kept (the only time it is asked).
class ConsoleDialogs : public platform::Dialogs {
  public:
    explicit ConsoleDialogs(QTextStream& err) : err_(err) {}

    // While set, messages are printed after this text and do not fail the run.
    QString warningPrefix;

    int Failures() const { return failures_; }
    void Fail(const QString& text);

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
