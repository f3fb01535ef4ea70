#pragma once
// Failures raised inside a call that the event loop makes (a timer, a watched descriptor, a posted
// task) never unwind through Qt, which does not support exceptions in its event handlers. The
// loop's calls into the platform go through CallFromLoop: what a call raises is kept, the loops
// that RunUntil runs end (and the program's own loop, through the handler it sets), and no further
// call is made until the failure is taken. The code that ran the loop (RunUntil, ProcessEvents,
// the program's message loop) raises it again once the loop has returned, so a fatal error reaches
// the entry point as if it had been raised by a plain call, and the entry point ends the program
// the one way it ends on any fatal error.
//
// Everything here runs on the user-interface thread.
#include <functional>

namespace plat {

// Makes `call` on behalf of the event loop and keeps what it raises. While a failure is kept,
// further calls are skipped: nothing goes on after a fatal error.
void CallFromLoop(const std::function<void()>& call);

// Whether a failure raised in a loop call is waiting to be raised again.
[[nodiscard]] bool LoopFailed();

// Raises the kept failure again (and forgets it); returns when there is none.
void RethrowLoopFailure();

// Called once when a failure is kept, so that the code running a loop of its own (the program's
// message loop) can end it; none (the default) for the loops of RunUntil, which look themselves.
void SetLoopFailureHandler(std::function<void()> onFailure);

}  // namespace plat
