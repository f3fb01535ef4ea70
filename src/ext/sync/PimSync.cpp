#include "ext/sync/PimSync.h"

#include "ext/sync/SyncBlock.h"
#include "ext/sync/SyncBlockFormat.h"
#include "platform/window/Window.h"

namespace {

std::unique_ptr<PimSync>& Singleton() {
    static std::unique_ptr<PimSync> engine;
    return engine;
}

}  // namespace

PimSync* PimSync::Instance() {
    if (!Singleton()) Singleton() = std::make_unique<PimSync>();
    return Singleton().get();
}

void PimSync::Destroy() { Singleton().reset(); }

PimSync::PimSync() = default;

PimSync::~PimSync() = default;

bool PimSync::Open() {
    if (initialised_) return true;
    auto mutex = plat::NamedMutex::Open(syncfmt::kMutexName);
    auto mapping = plat::SharedMapping::Open(syncfmt::kMappingName, syncfmt::kBlockSize,
                                             plat::SharedMapping::Mode::OpenOrCreate);
    if (!mutex || !mapping) return false;
    // A new block starts zero: no instance registered, no flag set.
    const bool committed = mapping->Commit(syncfmt::kBlockSize) == plat::ShmStatus::Ok;
    mapping->Publish();
    if (!committed) return false;
    for (const std::u16string_view name : kSyncMessageNames) {
        if (plat::RegisterWindowMessage(name) == 0) return false;
    }
    mutex_ = std::move(mutex);
    mapping_ = std::move(mapping);
    view_ = mapping_->Base();
    initialised_ = true;
    return true;
}

template <typename Change>
auto PimSync::WithBlock(Change change) {
    const plat::NamedMutexLock lock(*mutex_);
    SyncBlock block(view_);
    return change(block);
}

void PimSync::SetChangeFlag(uint32_t code, uint32_t value) {
    if (!initialised_) return;
    WithBlock([&](SyncBlock& block) { block.SetChangeFlag(code, value); });
}

void PimSync::Send(plat::HWND window, SyncMessage message, plat::WPARAM wParam, plat::LPARAM lParam) {
    plat::SendMessage(window, SyncMessageNumber(message), wParam, lParam);
}

void PimSync::HandOver(plat::HWND newMaster) {
    StopSlaves();
    Send(newMaster, SyncMessage::ChangeToMaster);
    ReloadSlaves();
}

void PimSync::CleanUp() {
    const auto [before, after] = WithBlock([](SyncBlock& block) {
        const plat::HWND first = block.Slot(0);
        block.RemoveDeadWindows([](plat::HWND window) { return plat::IsWindow(window); });
        return std::pair(first, block.Slot(0));
    });
    if (after != 0 && after != before) HandOver(after);
}

bool PimSync::Register(plat::HWND window) {
    if (!initialised_) return false;
    CleanUp();
    own_ = window;
    const auto slot = WithBlock([&](SyncBlock& block) {
        const auto free = block.FirstFreeSlot();
        if (free) block.SetSlot(*free, window);
        return free;
    });
    master_ = slot == size_t{0};
    return slot.has_value();
}

bool PimSync::Unregister() {
    if (!initialised_ || own_ == 0) return false;
    CleanUp();
    const plat::HWND newMaster = WithBlock([&](SyncBlock& block) {
        if (const auto slot = block.SlotOf(own_)) block.RemoveSlot(*slot);
        return block.Slot(0);
    });
    // The instance keeps its is-master flag: as the one that was master it hands the slaves over.
    if (master_ && newMaster != 0) HandOver(newMaster);
    return true;
}

bool PimSync::BecomeMaster(plat::HWND window) {
    if (!initialised_ || window != own_ || own_ == 0) return false;
    if (master_) return true;
    const plat::HWND oldMaster = WithBlock([&](SyncBlock& block) {
        const auto slot = block.SlotOf(own_);
        if (!slot || *slot == 0) return plat::HWND{0};
        const plat::HWND previous = block.Slot(0);
        block.SetSlot(0, own_);
        block.SetSlot(*slot, previous);
        return previous;
    });
    master_ = true;
    if (oldMaster != 0) Send(oldMaster, SyncMessage::ChangeToSlave);
    HandOver(own_);
    return true;
}

bool PimSync::ReloadSlaves() {
    if (!initialised_ || !master_) return false;
    const auto slaves = WithBlock([](SyncBlock& block) { return block.Slaves(); });
    // A slave that went away needs no reload.
    for (const plat::HWND slave : slaves)
        (void)plat::PostMessage(slave, SyncMessageNumber(SyncMessage::SlaveReload), 0, 0);
    return true;
}

bool PimSync::StopSlaves() {
    if (!initialised_ || !master_) return false;
    const auto slaves = WithBlock([](SyncBlock& block) { return block.Slaves(); });
    for (const plat::HWND slave : slaves) Send(slave, SyncMessage::SlaveStop);
    return true;
}

void PimSync::UpdateLinkType(uint32_t oid, uint32_t linkType) {
    if (!initialised_ || master_) return;
    const plat::HWND master = WithBlock([](SyncBlock& block) { return block.Slot(0); });
    if (master != 0) Send(master, SyncMessage::UpdateLinkType, oid, linkType);
}
