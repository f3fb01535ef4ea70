#include "ext/addins/ShellExtensions.h"

namespace {

constexpr std::u16string_view kShellLibrary = u"\\Windows\\Aygshell.dll";
constexpr char16_t kContext[] = u"Contacts";
constexpr char16_t kMenuClass[] = u"Main_ContextMenu";

// The menu an extension appends to: items go to the popup's item list.
struct PopupSink {
    ShellMenu menu;
    std::vector<MenuItem>* items;
};

int32_t AppendToPopup(void* context, uint32_t commandId, const char16_t* text) {
    if (text == nullptr) return 0;
    MenuItem item;
    item.id = commandId;
    item.text = Str(text);
    static_cast<PopupSink*>(context)->items->push_back(std::move(item));
    return 1;
}

}  // namespace

ShellExtensions::~ShellExtensions() { Free(); }

bool ShellExtensions::LookUp() {
    if (state_ != kNotLookedUp) return state_ == kAvailable;
    state_ = kUnavailable;
    auto library = std::make_unique<plat::DeviceLibrary>(kShellLibrary);
    load_ = library->Find<SHLoadContextMenuExtensionsFunction>("SHLoadContextMenuExtensions");
    free_ = library->Find<SHFreeContextMenuExtensionsFunction>("SHFreeContextMenuExtensions");
    invoke_ = library->Find<SHInvokeContextMenuCommandFunction>("SHInvokeContextMenuCommand");
    if (load_ == nullptr || free_ == nullptr || invoke_ == nullptr) return false;
    library_ = std::move(library);
    data_ = std::make_unique<NewPluginManager>();
    state_ = kAvailable;
    return true;
}

bool ShellExtensions::Load(std::vector<MenuItem>& popup, uint32_t first, uint32_t last, std::span<const uint32_t> oids) {
    if (!LookUp()) return false;
    Free();
    data_->SetContacts(oids);
    PopupSink sink{{nullptr, &AppendToPopup}, &popup};
    sink.menu.context = &sink;
    void* handle = nullptr;
    load_(data_->Object(), kContext, kMenuClass, &sink.menu, first, last, &handle);
    extensions_ = handle;
    if (extensions_ == nullptr) return false;
    for (MenuItem& item : popup) {
        if (item.id == first) item.enabled = true;
    }
    return true;
}

bool ShellExtensions::Invoke(uint32_t command, std::span<const uint32_t> oids) {
    if (extensions_ == nullptr) return false;
    data_->SetContacts(oids);
    return invoke_(0, command, extensions_) != 0;
}

void ShellExtensions::Free() {
    if (extensions_ == nullptr) return;
    free_(extensions_);
    extensions_ = nullptr;
}

void ShellExtensions::Release() {
    Free();
    load_ = nullptr;
    free_ = nullptr;
    invoke_ = nullptr;
    data_.reset();
    library_.reset();
    state_ = kNotLookedUp;
}
