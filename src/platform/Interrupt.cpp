#include "platform/Interrupt.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <thread>

namespace platform {
namespace {

static_assert(kTerminationSignals[0] == SIGTERM && kTerminationSignals[1] == SIGINT &&
              kTerminationSignals[2] == SIGHUP);

volatile std::sig_atomic_t g_signal = 0;
volatile std::sig_atomic_t g_abandon = 0;
// The pipe that wakes the deadline's thread; -1 while there is none.
int g_deadlinePipe[2] = {-1, -1};

extern "C" void RecordSignal(int signalNumber) {
    RecordInterrupt(signalNumber);
}

}  // namespace

void RecordInterrupt(int signalNumber) noexcept {
    if (g_signal == 0) {
        g_signal = signalNumber;
        if (g_deadlinePipe[1] >= 0) {
            const char byte = 1;
            [[maybe_unused]] const ssize_t written = ::write(g_deadlinePipe[1], &byte, 1);
        }
    }
}

const char* SignalName(int signalNumber) noexcept {
    switch (signalNumber) {
        case SIGINT:
            return "SIGINT";
        case SIGHUP:
            return "SIGHUP";
        default:
            return "SIGTERM";
    }
}

void StartInterruptDeadline(int graceMilliseconds) {
    if (g_deadlinePipe[0] >= 0 || ::pipe2(g_deadlinePipe, O_CLOEXEC) != 0) {
        return;
    }
    std::thread([graceMilliseconds] {
        char byte = 0;
        ssize_t got = 0;
        do {
            got = ::read(g_deadlinePipe[0], &byte, 1);
        } while (got < 0 && errno == EINTR);
        if (got <= 0) {
            return;  // the pipe failed: no deadline, the program still stops where it looks
        }
        // The program ends by itself within the grace; otherwise it ends here.
        ::poll(nullptr, 0, graceMilliseconds);
        ::_exit(128 + g_signal);
    }).detach();
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
    for (const int signalNumber : kTerminationSignals) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace platform
