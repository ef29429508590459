#include "app/SignalBridge.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

#include "platform/Interrupt.h"

namespace app {
namespace {

int g_pipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int signalNumber) {
    const char byte = 1;
    // Only async-signal-safe work here: the request is recorded for a batch that is running (it
    // stops before its next file), and one byte into the pipe wakes the event loop.
    platform::RecordInterrupt(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

}  // namespace

SignalBridge::SignalBridge(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : platform::kTerminationSignals) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

SignalBridge::~SignalBridge() {
    for (const int signalNumber : platform::kTerminationSignals) {
        std::signal(signalNumber, SIG_DFL);
    }
}

void SignalBridge::Drain() {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(g_pipe[1], &byte, 1);
    if (onSignal_) {
        onSignal_();
    }
}

}  // namespace app
