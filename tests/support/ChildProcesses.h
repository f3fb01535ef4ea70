#pragma once
// Runs work in several child processes at once (fork), for tests of what processes share.
#include <functional>
#include <vector>

// Starts `count` children, each running body(index) and exiting with its result (0 to 255), and
// waits for all of them. Returns their exit codes in index order; -1 for a child that died from a
// signal. A child never returns into the test framework.
std::vector<int> RunInChildren(int count, const std::function<int(int index)>& body);
