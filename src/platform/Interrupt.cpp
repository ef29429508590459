#include "platform/Interrupt.h"

#include <csignal>

namespace platform {
namespace {

volatile std::sig_atomic_t g_signal = 0;
volatile std::sig_atomic_t g_abandon = 0;

extern "C" void RecordSignal(int signalNumber) {
    RecordInterrupt(signalNumber);
}

}  // namespace

void RecordInterrupt(int signalNumber) noexcept {
    if (g_signal == 0) {
        g_signal = signalNumber;
    }
}

int InterruptSignal() noexcept {
    return g_signal;
}

void ClearInterrupt() noexcept {
    g_signal = 0;
}

void SetAbandonOnInterrupt(bool abandon) noexcept {
    g_abandon = abandon ? 1 : 0;
}

bool AbandonWrite() noexcept {
    return g_abandon != 0 && g_signal != 0;
}

void InstallInterruptHandlers() {
    struct sigaction action {};
    action.sa_handler = RecordSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace platform
