#pragma once
// Scheduling of helper threads (background saves) below the user-interface thread.

namespace plat {

// Lowers the calling thread's scheduling priority so that it runs when the user-interface thread
// waits. A thread cannot raise itself back without privileges, so this is for threads that stay
// in the background to their end.
void LowerCurrentThreadPriority();

}  // namespace plat
