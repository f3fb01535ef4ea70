#pragma once
// A program instance inside the test process: a coordination engine of its own and a main window
// that acts on the coordination messages as the main window does (the is-master flag) and records
// them; and a reader of the shared block.
#include <memory>
#include <vector>

#include "ext/sync/PimSync.h"
#include "platform/shm/SharedMapping.h"

struct GotMessage {
    SyncMessage message;
    plat::WPARAM wParam;
    plat::LPARAM lParam;
};

struct SyncInstance {
    SyncInstance();
    ~SyncInstance();
    std::vector<SyncMessage> Messages() const;

    PimSync engine;
    plat::HWND window = 0;
    std::vector<GotMessage> got;
};

// The windows in the used slots of the block, as another holder of the mapping sees them.
class BlockReader {
public:
    std::vector<plat::HWND> Slots();
    const uint8_t* Bytes();

private:
    std::unique_ptr<plat::SharedMapping> mapping_;
};
