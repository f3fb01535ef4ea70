#pragma once
// NewPluginManager: the data object through which context-menu extensions get the selected
// contacts. Its first member is the slot table of the data-object interface (ShellExtAbi.h), so a
// plain C extension calls it as it would any such object; the one format it offers is the
// "ItemRefArray" block of the selected contacts in a block from malloc (the receiver frees it).
// The reference count is only counted: the object belongs to its holder and Release never
// deletes it.
#include <cstdint>
#include <span>

#include "core/array/Array.h"
#include "ext/addins/AddinAbi.h"

class NewPluginManager : public ShellDataObject {
public:
    // Registers the "ItemRefArray" clipboard format on the current device.
    NewPluginManager();
    NewPluginManager(const NewPluginManager&) = delete;
    NewPluginManager& operator=(const NewPluginManager&) = delete;

    void SetContacts(std::span<const uint32_t> oids);
    const Array<uint32_t>& Contacts() const { return oids_; }
    uint16_t Format() const { return format_; }
    uint32_t RefCount() const { return refs_; }
    ShellDataObject* Object() { return this; }

private:
    static NewPluginManager& Of(ShellDataObject* self) { return *static_cast<NewPluginManager*>(self); }
    static int32_t QueryInterface(ShellDataObject* self, const ShellGuid* iid, void** object);
    static uint32_t AddRef(ShellDataObject* self);
    static uint32_t Release(ShellDataObject* self);
    static int32_t GetData(ShellDataObject* self, ShellFormatEtc* format, ShellStgMedium* medium);
    static int32_t QueryGetData(ShellDataObject* self, ShellFormatEtc* format);
    static int32_t GetCanonicalFormatEtc(ShellDataObject* self, ShellFormatEtc* in, ShellFormatEtc* out);
    static const ShellDataObjectVtbl kSlots;

    uint32_t refs_ = 0;
    uint16_t format_ = 0;
    Array<uint32_t> oids_;
};
