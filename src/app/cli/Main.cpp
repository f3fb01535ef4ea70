#include <iostream>

#include "app/cli/Cli.h"

int main(int argc, char** argv) {
    const cli::Args args(argv + 1, argv + argc);
    const int status = cli::Run(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? status : cli::kFailed;
}
