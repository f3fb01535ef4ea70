#pragma once
// The boundary between Qt's event loop and the system's code: nothing thrown below it crosses it.
#include <functional>

// Runs `work`. A FatalError is logged with its code and argument and ends the event loop with its
// code (the program then exits); any other exception is logged. False when `work` threw.
[[nodiscard]] bool RunGuarded(const std::function<void()>& work, const char* where);
