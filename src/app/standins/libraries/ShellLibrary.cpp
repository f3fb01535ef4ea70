// The shell library's context-menu extensions (Aygshell.dll), with one extension registered for
// the context "Contacts" and the class "Main_ContextMenu": it adds the command "Log selected
// contacts" at the first identifier it is given. Invoking that command asks the owner's data object
// for its "ItemRefArray" block and logs the object identifiers in it ("ItemRefArray" and one
// argument each), or "no selection" when the data object gives none. Every call is logged.
#include <malloc.h>

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/standins/support/Standin.h"
#include "platform/pom/ProgramLog.h"
#include "platform/programs/ShellExtAbi.h"
#include "platform/window/Window.h"

namespace {

constexpr std::u16string_view kLibrary = u"Aygshell.dll";
constexpr std::u16string_view kContext = u"Contacts";
constexpr std::u16string_view kClass = u"Main_ContextMenu";
constexpr char16_t kCommandText[] = u"Log selected contacts";

// What SHLoadContextMenuExtensions loaded: the owner (held) and the command it added.
struct Extensions {
    ShellDataObject* owner;
    uint32_t command;
};

bool Ready() { return standin::HaveLibraryDevice(reinterpret_cast<const void*>(&Ready)); }

std::u16string_view View(const char16_t* text) { return text != nullptr ? std::u16string_view(text) : std::u16string_view(); }

uint32_t Word(const uint8_t* bytes) {
    uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The object identifiers of an "ItemRefArray" block: a count, then (type word, identifier) pairs.
// The block comes from std::malloc, so its usable size bounds what is read, whatever the count says.
std::vector<std::u16string> ItemIdentifiers(const uint8_t* block, size_t size) {
    std::vector<std::u16string> identifiers{u"ItemRefArray"};
    if (size < 4) return identifiers;
    const size_t count = std::min<size_t>(Word(block), (size - 4) / 8);
    for (size_t i = 0; i < count; ++i) identifiers.push_back(standin::Number(Word(block + 4 + 8 * i + 4)));
    return identifiers;
}

void LogSelection(ShellDataObject* owner) {
    void* object = nullptr;
    if (owner->lpVtbl->QueryInterface(owner, &plat::kDataObjectIid, &object) != plat::kShellOk || object == nullptr) {
        standin::LogCall(kLibrary, u"no selection", {});
        return;
    }
    auto* data = static_cast<ShellDataObject*>(object);
    ShellFormatEtc format{static_cast<uint16_t>(plat::RegisterWindowMessage(plat::kItemRefArrayFormat)), nullptr,
                          plat::kAspectContent, -1, plat::kTymedHGlobal};
    ShellStgMedium medium{};
    if (data->lpVtbl->GetData(data, &format, &medium) == plat::kShellOk && medium.hGlobal != nullptr) {
        const std::vector<std::u16string> identifiers = ItemIdentifiers(static_cast<const uint8_t*>(medium.hGlobal), malloc_usable_size(medium.hGlobal));
        // A log line lost loses no work.
        (void)plat::LogLibraryCall(kLibrary, u"Log selected contacts", identifiers);
        std::free(medium.hGlobal);
    } else {
        standin::LogCall(kLibrary, u"no selection", {});
    }
    data->lpVtbl->Release(data);
}

}  // namespace

BREVANE_STANDIN_EXPORT void BrevaneAttachDevice(const char* root) { standin::AttachDevice(root); }

BREVANE_STANDIN_EXPORT int32_t SHLoadContextMenuExtensions(ShellDataObject* owner, const char16_t* context,
                                                           const char16_t* className, ShellMenu* menu,
                                                           uint32_t firstId, uint32_t lastId, void** extensions) {
    if (!Ready()) return plat::kShellFail;
    standin::LogCall(kLibrary, u"SHLoadContextMenuExtensions",
                     {standin::Text(context), standin::Text(className), standin::Number(firstId), standin::Number(lastId)});
    if (extensions == nullptr) return plat::kShellInvalidArgument;
    *extensions = nullptr;
    if (View(context) != kContext || View(className) != kClass || owner == nullptr || menu == nullptr ||
        menu->AppendItem == nullptr || firstId > lastId) {
        return plat::kShellOk;
    }
    if (menu->AppendItem(menu->context, firstId, kCommandText) == 0) return plat::kShellFail;
    owner->lpVtbl->AddRef(owner);
    *extensions = new Extensions{owner, firstId};
    return plat::kShellOk;
}

BREVANE_STANDIN_EXPORT int32_t SHInvokeContextMenuCommand(uint32_t ownerWindow, uint32_t commandId, void* extensions) {
    if (!Ready()) return 0;
    standin::LogCall(kLibrary, u"SHInvokeContextMenuCommand", {standin::Number(ownerWindow), standin::Number(commandId)});
    const auto* loaded = static_cast<const Extensions*>(extensions);
    if (loaded == nullptr || commandId != loaded->command) return 0;
    LogSelection(loaded->owner);
    return 1;
}

BREVANE_STANDIN_EXPORT int32_t SHFreeContextMenuExtensions(void* extensions) {
    if (!Ready()) return 0;
    standin::LogCall(kLibrary, u"SHFreeContextMenuExtensions", {});
    auto* loaded = static_cast<Extensions*>(extensions);
    if (loaded == nullptr) return 0;
    loaded->owner->lpVtbl->Release(loaded->owner);
    delete loaded;
    return 1;
}
