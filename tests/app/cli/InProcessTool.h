#pragma once
// Runs the tool in this process (cli::Run) with its output caught, for the tests of its commands.
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/Cli.h"
#include "support/TempDevice.h"

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// On `device` when one is given (else on the device the arguments name).
inline Outcome RunTool(std::vector<std::string> args, const TempDevice* device = nullptr) {
    if (device != nullptr) args.insert(args.begin(), {"--root", device->Root().string()});
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
}
