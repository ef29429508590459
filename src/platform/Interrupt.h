#pragma once

// Termination requests (SIGTERM, SIGINT) as a batch sees them. A signal handler only records the
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

// Installs handlers for SIGTERM and SIGINT that only record the request.
void InstallInterruptHandlers();

}  // namespace platform
