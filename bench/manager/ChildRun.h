#pragma once
// Runs a program as a child process and measures it the way a user meets it: the wall time from
// start to exit and the child's peak resident memory.
#include <string>
#include <vector>

struct ChildResult {
    int status = -1;            // exit status; -1 when it did not exit normally
    double seconds = 0;         // wall time
    double cpuSeconds = 0;      // processor time, user and system
    double peakBytes = 0;       // largest resident set of the child
    std::string out;            // what it wrote to its standard output
};

ChildResult RunChild(const std::vector<std::string>& argv);
