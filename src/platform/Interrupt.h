#pragma once

// Termination requests (SIGTERM, SIGINT, SIGHUP) as a batch sees them. A signal handler only records the
// signal's number in an async-signal-safe flag; a batch reads it before each file and stops, and the
// file writer reads it before a finished file takes its name.
namespace platform {

// Records a termination request; safe to call from a signal handler.
void RecordInterrupt(int signalNumber) noexcept;

// The signal of the first request recorded, 0 while there has been none.
int InterruptSignal() noexcept;

// Forgets a recorded request (tests, one run after another in one process).
void ClearInterrupt() noexcept;

// Whether a file being written when a request comes is abandoned (its temporary removed, the name
// left as it was) rather than finished. kestro-batch abandons it; the window finishes the file in hand.
void SetAbandonOnInterrupt(bool abandon) noexcept;
bool AbandonWrite() noexcept;

// The signals that ask the programs to end.
inline constexpr int kTerminationSignals[] = {15 /* SIGTERM */, 2 /* SIGINT */, 1 /* SIGHUP */};

// "SIGTERM", "SIGINT" or "SIGHUP".
const char* SignalName(int signalNumber) noexcept;

// Installs handlers for the termination signals that only record the request.
void InstallInterruptHandlers();

// Makes sure a termination request ends the program wherever it stands: from the first request on,
// the program has `graceMilliseconds` to end by itself (a batch abandons the file in hand, the window
// closes and writes its settings); if it still runs then, it ends at once with 128 plus the signal's
// number. Every file is written through a temporary that takes its name only when complete, so
// nothing half-written is left under any name.
void StartInterruptDeadline(int graceMilliseconds);

}  // namespace platform
