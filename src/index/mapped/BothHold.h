#pragma once
// Two checks run at once: an open spends most of its time on work that splits into independent
// parts (the two files, the two word trees), and the device has more than one processor.
#include <functional>

// Runs `side` on a thread of its own while `here` runs on the calling thread, and returns once
// both have ended: true when both hold. When no thread can be started, `side` runs on the calling
// thread after `here`. What `side` throws is thrown here once both have ended, as a call on this
// thread would. The two must share nothing they change.
[[nodiscard]] bool BothHold(const std::function<bool()>& side, const std::function<bool()>& here);
