#include <iostream>

#include "app/cli/Cli.h"
#include "platform/objectstore/ObjectStore.h"

int main(int argc, char** argv) {
    const cli::Args args(argv + 1, argv + argc);
    const int status = cli::Run(args, std::cout, std::cerr);
    // The command's sessions have ended: the store's files are left written back and marked
    // cleanly closed, which spares the next command a check of every page.
    plat::CloseAllVolumes();
    std::cout.flush();
    return std::cout ? status : cli::kFailed;
}
