#include "ext/coord/Coordination.h"

#include "ext/coord/CoordBlock.h"
#include "ext/coord/CoordBlockFormat.h"
#include "platform/window/Window.h"

namespace {

std::unique_ptr<Coordination>& Singleton() {
    static std::unique_ptr<Coordination> engine;
    return engine;
}

}  // namespace

Coordination* Coordination::Instance() {
    if (!Singleton()) Singleton() = std::make_unique<Coordination>();
    return Singleton().get();
}

void Coordination::Destroy() { Singleton().reset(); }

Coordination::Coordination() = default;

Coordination::~Coordination() = default;

bool Coordination::Open() {
    if (initialised_) return true;
    auto mutex = plat::NamedMutex::Open(coordfmt::kMutexName);
    auto mapping = plat::SharedMapping::Open(coordfmt::kMappingName, coordfmt::kBlockSize,
                                             plat::SharedMapping::Mode::OpenOrCreate);
    if (!mutex || !mapping) return false;
    // A new block starts zero: no instance registered, no flag set.
    const bool committed = mapping->Commit(coordfmt::kBlockSize) == plat::ShmStatus::Ok;
    mapping->Publish();
    if (!committed) return false;
    for (const std::u16string_view name : kCoordMessageNames) {
        if (plat::RegisterWindowMessage(name) == 0) return false;
    }
    mutex_ = std::move(mutex);
    mapping_ = std::move(mapping);
    view_ = mapping_->Base();
    initialised_ = true;
    return true;
}

template <typename Change>
auto Coordination::WithBlock(Change change) {
    const plat::NamedMutexLock lock(*mutex_);
    CoordBlock block(view_);
    return change(block);
}

void Coordination::SetChangeFlag(uint32_t code, uint32_t value) {
    if (!initialised_) return;
    WithBlock([&](CoordBlock& block) { block.SetChangeFlag(code, value); });
}

void Coordination::Send(plat::HWND window, CoordMessage message, plat::WPARAM wParam, plat::LPARAM lParam) {
    plat::SendMessage(window, CoordMessageNumber(message), wParam, lParam);
}

void Coordination::HandOver(plat::HWND newMaster) {
    // Both are false only when this instance is no longer the open master: then no slave waits.
    (void)StopSlaves();
    Send(newMaster, CoordMessage::ChangeToMaster);
    (void)ReloadSlaves();
}

void Coordination::CleanUp() {
    const auto [before, after] = WithBlock([](CoordBlock& block) {
        const plat::HWND first = block.Slot(0);
        block.RemoveDeadWindows([](plat::HWND window) { return plat::IsWindow(window); });
        return std::pair(first, block.Slot(0));
    });
    if (after != 0 && after != before) HandOver(after);
}

bool Coordination::Register(plat::HWND window) {
    if (!initialised_) return false;
    CleanUp();
    own_ = window;
    const auto slot = WithBlock([&](CoordBlock& block) {
        const auto free = block.FirstFreeSlot();
        if (free) block.SetSlot(*free, window);
        return free;
    });
    master_ = slot == size_t{0};
    return slot.has_value();
}

bool Coordination::Unregister() {
    if (!initialised_ || own_ == 0) return false;
    CleanUp();
    const plat::HWND newMaster = WithBlock([&](CoordBlock& block) {
        if (const auto slot = block.SlotOf(own_)) block.RemoveSlot(*slot);
        return block.Slot(0);
    });
    // The instance keeps its is-master flag: as the one that was master it hands the slaves over.
    if (master_ && newMaster != 0) HandOver(newMaster);
    return true;
}

bool Coordination::BecomeMaster(plat::HWND window) {
    if (!initialised_ || window != own_ || own_ == 0) return false;
    if (master_) return true;
    const plat::HWND oldMaster = WithBlock([&](CoordBlock& block) {
        const auto slot = block.SlotOf(own_);
        if (!slot || *slot == 0) return plat::HWND{0};
        const plat::HWND previous = block.Slot(0);
        block.SetSlot(0, own_);
        block.SetSlot(*slot, previous);
        return previous;
    });
    master_ = true;
    if (oldMaster != 0) Send(oldMaster, CoordMessage::ChangeToSlave);
    HandOver(own_);
    return true;
}

bool Coordination::ReloadSlaves() {
    if (!initialised_ || !master_) return false;
    const auto slaves = WithBlock([](CoordBlock& block) { return block.Slaves(); });
    // A slave that went away needs no reload.
    for (const plat::HWND slave : slaves)
        (void)plat::PostMessage(slave, CoordMessageNumber(CoordMessage::SlaveReload), 0, 0);
    return true;
}

bool Coordination::StopSlaves() {
    if (!initialised_ || !master_) return false;
    const auto slaves = WithBlock([](CoordBlock& block) { return block.Slaves(); });
    for (const plat::HWND slave : slaves) Send(slave, CoordMessage::SlaveStop);
    return true;
}

void Coordination::UpdateLinkType(uint32_t oid, uint32_t linkType) {
    if (!initialised_ || master_) return;
    const plat::HWND master = WithBlock([](CoordBlock& block) { return block.Slot(0); });
    if (master != 0) Send(master, CoordMessage::UpdateLinkType, oid, linkType);
}
