#include "CoordInstance.h"

#include <gtest/gtest.h>

#include "ext/coord/CoordBlock.h"
#include "ext/coord/CoordBlockFormat.h"
#include "platform/window/Window.h"

CoordInstance::CoordInstance() {
    EXPECT_TRUE(engine.Open());
    window = plat::CreateWindow(u"IS.MAIN.WND.CLASS", u"",
                                [this](plat::HWND, uint32_t m, plat::WPARAM, plat::LPARAM) {
                                    const auto message = ClassifyCoordMessage(m);
                                    if (message) got.push_back(*message);
                                    if (message == CoordMessage::ChangeToMaster) engine.SetMaster(true);
                                    if (message == CoordMessage::ChangeToSlave) engine.SetMaster(false);
                                    return plat::LRESULT{0};
                                });
}

CoordInstance::~CoordInstance() { (void)plat::DestroyWindow(window); }  // clean-up

std::unique_ptr<CoordInstance> RegisteredInstance() {
    auto instance = std::make_unique<CoordInstance>();
    EXPECT_TRUE(instance->engine.Register(instance->window));
    return instance;
}

std::vector<plat::HWND> BlockReader::Slots() {
    if (!mapping_) {
        mapping_ = plat::SharedMapping::Open(coordfmt::kMappingName, coordfmt::kBlockSize,
                                             plat::SharedMapping::Mode::OpenExisting);
    }
    std::vector<plat::HWND> slots;
    if (!mapping_) return slots;
    // The reader only reads; CoordBlock's view wants a writable base.
    CoordBlock block(mapping_->Base());
    for (size_t i = 0; i < coordfmt::kSlotCount && block.Slot(i) != 0; ++i) slots.push_back(block.Slot(i));
    return slots;
}
