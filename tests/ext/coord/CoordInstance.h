#pragma once
// A program instance inside the test process: a coordination engine of its own and a main window
// that acts on the coordination messages as the main window does (the is-master flag) and records
// them; and a reader of the shared block.
#include <memory>
#include <vector>

#include "ext/coord/Coordination.h"
#include "platform/shm/SharedMapping.h"

struct CoordInstance {
    CoordInstance();
    ~CoordInstance();

    Coordination engine;
    plat::HWND window = 0;
    std::vector<CoordMessage> got;
};

// A new instance whose window is registered (a failed registration fails the test).
std::unique_ptr<CoordInstance> RegisteredInstance();

// The windows in the used slots of the block, as another holder of the mapping sees them.
class BlockReader {
public:
    std::vector<plat::HWND> Slots();

private:
    std::unique_ptr<plat::SharedMapping> mapping_;
};
