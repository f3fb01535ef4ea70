#include "SyncInstance.h"

#include <gtest/gtest.h>

#include "ext/sync/SyncBlock.h"
#include "ext/sync/SyncBlockFormat.h"
#include "platform/window/Window.h"

SyncInstance::SyncInstance() {
    EXPECT_TRUE(engine.Open());
    window = plat::CreateWindow(u"IS.MAIN.WND.CLASS", u"", [this](plat::HWND, uint32_t m, plat::WPARAM w, plat::LPARAM l) {
        const auto message = ClassifySyncMessage(m);
        if (message) got.push_back({*message, w, l});
        if (message == SyncMessage::ChangeToMaster) engine.SetMaster(true);
        if (message == SyncMessage::ChangeToSlave) engine.SetMaster(false);
        return plat::LRESULT{0};
    });
}

SyncInstance::~SyncInstance() { plat::DestroyWindow(window); }

std::vector<SyncMessage> SyncInstance::Messages() const {
    std::vector<SyncMessage> messages;
    for (const GotMessage& g : got) messages.push_back(g.message);
    return messages;
}

const uint8_t* BlockReader::Bytes() {
    if (!mapping_) {
        mapping_ = plat::SharedMapping::Open(syncfmt::kMappingName, syncfmt::kBlockSize,
                                             plat::SharedMapping::Mode::OpenExisting);
    }
    return mapping_ ? mapping_->Base() : nullptr;
}

std::vector<plat::HWND> BlockReader::Slots() {
    std::vector<plat::HWND> slots;
    if (Bytes() == nullptr) return slots;
    // The reader only reads; SyncBlock's view wants a writable base.
    SyncBlock block(mapping_->Base());
    for (size_t i = 0; i < syncfmt::kSlotCount && block.Slot(i) != 0; ++i) slots.push_back(block.Slot(i));
    return slots;
}
