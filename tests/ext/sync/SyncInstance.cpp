#include "SyncInstance.h"

#include <gtest/gtest.h>

#include "ext/sync/SyncBlock.h"
#include "ext/sync/SyncBlockFormat.h"
#include "platform/window/Window.h"

SyncInstance::SyncInstance() {
    EXPECT_TRUE(engine.Open());
    window = plat::CreateWindow(u"IS.MAIN.WND.CLASS", u"", [this](plat::HWND, uint32_t m, plat::WPARAM, plat::LPARAM) {
        const auto message = ClassifySyncMessage(m);
        if (message) got.push_back(*message);
        if (message == SyncMessage::ChangeToMaster) engine.SetMaster(true);
        if (message == SyncMessage::ChangeToSlave) engine.SetMaster(false);
        return plat::LRESULT{0};
    });
}

SyncInstance::~SyncInstance() { (void)plat::DestroyWindow(window); }  // clean-up

std::unique_ptr<SyncInstance> RegisteredInstance() {
    auto instance = std::make_unique<SyncInstance>();
    EXPECT_TRUE(instance->engine.Register(instance->window));
    return instance;
}

std::vector<plat::HWND> BlockReader::Slots() {
    if (!mapping_) {
        mapping_ = plat::SharedMapping::Open(syncfmt::kMappingName, syncfmt::kBlockSize,
                                             plat::SharedMapping::Mode::OpenExisting);
    }
    std::vector<plat::HWND> slots;
    if (!mapping_) return slots;
    // The reader only reads; SyncBlock's view wants a writable base.
    SyncBlock block(mapping_->Base());
    for (size_t i = 0; i < syncfmt::kSlotCount && block.Slot(i) != 0; ++i) slots.push_back(block.Slot(i));
    return slots;
}
