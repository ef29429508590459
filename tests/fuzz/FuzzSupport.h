#pragma once

#include <QString>
#include <cstdio>
#include <cstdlib>

#include "platform/Dialogs.h"

// Shared by the fuzzers: a failed expectation aborts, so libFuzzer keeps the input that caused it.
#define FUZZ_EXPECT(condition)                                                                       \
    do {                                                                                             \
        if (!(condition)) {                                                                          \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                            \
        }                                                                                            \
    } while (false)

namespace fuzzsupport {

// Boxes that nobody sees: messages are counted, questions get the answer that changes nothing.
class SilentDialogs : public platform::Dialogs {
  public:
    int messages = 0;
    void ShowMessage(const QString&) override { ++messages; }
    void ShowError(const QString&) override { ++messages; }
    platform::ConfirmAnswer Confirm(const QString&) override { return platform::ConfirmAnswer::No; }
    std::optional<std::uint32_t> ChooseColour(std::uint32_t) override { return std::nullopt; }
    std::optional<QString> ChooseOpenFile(const platform::OpenFileRequest&) override { return std::nullopt; }
    std::optional<QString> ChooseFolder(const QString&, const QString&) override { return std::nullopt; }
};

}  // namespace fuzzsupport
