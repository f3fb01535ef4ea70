#pragma once
#include "platform/objectstore/ObjectStore.h"

// The reads of one pass over the store (a rebuild, a catch-up, a batch of queued changes) in one
// read batch of the volume, for as long as it lives: one read lock for the pass instead of one per
// statement. Its end can fail only when the volume is gone, and then there is nothing left to end.
class ReadPass {
public:
    explicit ReadPass(const plat::CeGuid& volume)
        : volume_(volume), open_(!volume.IsZero() && plat::BeginReadBatch(volume)) {}
    ~ReadPass() {
        if (open_) static_cast<void>(plat::EndReadBatch(volume_));
    }
    ReadPass(const ReadPass&) = delete;
    ReadPass& operator=(const ReadPass&) = delete;

private:
    plat::CeGuid volume_;
    bool open_;
};
