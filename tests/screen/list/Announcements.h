#pragma once
// What the frame announces, in order.
#include <vector>

#include "screen/list/FrameCommands.h"

class Announcements : public ChangeAnnouncer {
public:
    void Announce(uint32_t flag) override { flags.push_back(flag); }
    std::vector<uint32_t> flags;
};
