#pragma once
// The Qt event loop of a process without windows (the command-line tool, test peers): an
// application object when none exists, and running the loop for a while or until something holds.
#include <functional>

namespace plat {

// Makes sure the process has a Qt application object (creates a QCoreApplication when none exists).
void EnsureApplication();

// Handles the events that are pending now (timers, sockets, posted calls), for at most `milliseconds`.
// What a call of the loop raised is raised here once the loop has returned (LoopFailure.h).
void ProcessEvents(int milliseconds);

// Runs the event loop until `done()` holds or `timeoutMs` has passed; returns whether `done()` held.
// A failure raised by a call of the loop (or by `done`) ends the loop and is raised here.
[[nodiscard]] bool RunUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace plat
