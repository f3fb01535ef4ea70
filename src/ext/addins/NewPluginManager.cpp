#include "ext/addins/NewPluginManager.h"

#include <cstdlib>
#include <cstring>

#include "ext/addins/ItemRefArray.h"
#include "platform/window/Window.h"

namespace {

bool SameGuid(const ShellGuid& a, const ShellGuid& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 && std::memcmp(a.Data4, b.Data4, 8) == 0;
}

int32_t NotImplemented2(ShellDataObject*, ShellFormatEtc*, ShellStgMedium*) { return plat::kShellNotImplemented; }
int32_t NotImplementedSet(ShellDataObject*, ShellFormatEtc*, ShellStgMedium*, int32_t) { return plat::kShellNotImplemented; }
int32_t NotImplementedEnum(ShellDataObject*, uint32_t, void**) { return plat::kShellNotImplemented; }
int32_t NoAdvise(ShellDataObject*, ShellFormatEtc*, uint32_t, void*, uint32_t*) { return addin::kAdviseNotSupported; }
int32_t NoUnadvise(ShellDataObject*, uint32_t) { return addin::kAdviseNotSupported; }
int32_t NoEnumAdvise(ShellDataObject*, void**) { return addin::kAdviseNotSupported; }

}  // namespace

const ShellDataObjectVtbl NewPluginManager::kSlots = {
    &NewPluginManager::QueryInterface,  // 0
    &NewPluginManager::AddRef,          // 1
    &NewPluginManager::Release,         // 2
    &NewPluginManager::GetData,         // 3
    &NotImplemented2,                   // 4 GetDataHere
    &NewPluginManager::QueryGetData,    // 5
    &NewPluginManager::GetCanonicalFormatEtc,  // 6
    &NotImplementedSet,                 // 7 SetData
    &NotImplementedEnum,                // 8 EnumFormatEtc
    &NoAdvise,                          // 9 DAdvise
    &NoUnadvise,                        // 10 DUnadvise
    &NoEnumAdvise,                      // 11 EnumDAdvise
};

NewPluginManager::NewPluginManager() : ShellDataObject{&kSlots} {
    format_ = static_cast<uint16_t>(plat::RegisterWindowMessage(plat::kItemRefArrayFormat));
}

void NewPluginManager::SetContacts(std::span<const uint32_t> oids) {
    oids_.RemoveAll();
    for (const uint32_t oid : oids) oids_.Add(oid);
}

int32_t NewPluginManager::QueryInterface(ShellDataObject* self, const ShellGuid* iid, void** object) {
    if (object == nullptr) return addin::kPointerNull;
    *object = nullptr;
    if (iid == nullptr || !(SameGuid(*iid, plat::kDataObjectIid) || SameGuid(*iid, addin::kUnknownIid))) {
        return plat::kShellNoInterface;
    }
    AddRef(self);
    *object = self;
    return plat::kShellOk;
}

uint32_t NewPluginManager::AddRef(ShellDataObject* self) { return ++Of(self).refs_; }

uint32_t NewPluginManager::Release(ShellDataObject* self) {
    NewPluginManager& object = Of(self);
    if (object.refs_ > 0) --object.refs_;
    return object.refs_;
}

int32_t NewPluginManager::GetData(ShellDataObject* self, ShellFormatEtc* format, ShellStgMedium* medium) {
    const NewPluginManager& object = Of(self);
    if (object.oids_.IsEmpty()) return plat::kShellNotImplemented;
    if (format == nullptr || medium == nullptr) return plat::kShellInvalidArgument;
    if ((format->dwAspect & plat::kAspectContent) == 0) return addin::kBadTymed;
    if (format->tymed != plat::kTymedHGlobal || format->cfFormat != object.format_) return addin::kBadFormatEtc;
    const std::span<const uint32_t> oids(object.oids_.GetData(), static_cast<size_t>(object.oids_.GetSize()));
    auto* block = static_cast<uint8_t*>(std::malloc(ItemRefArraySize(oids.size())));
    if (block == nullptr) return addin::kOutOfMemory;
    WriteItemRefArray(oids, block);
    medium->tymed = plat::kTymedHGlobal;
    medium->pUnkForRelease = nullptr;
    medium->hGlobal = block;
    return plat::kShellOk;
}

int32_t NewPluginManager::QueryGetData(ShellDataObject* self, ShellFormatEtc* format) {
    const bool offered = format != nullptr && format->tymed == plat::kTymedHGlobal &&
                         format->dwAspect == plat::kAspectContent && format->cfFormat == Of(self).format_;
    return offered ? plat::kShellOk : addin::kBadFormatEtc;
}

int32_t NewPluginManager::GetCanonicalFormatEtc(ShellDataObject*, ShellFormatEtc*, ShellFormatEtc* out) {
    if (out != nullptr) out->ptd = nullptr;
    return plat::kShellNotImplemented;
}
