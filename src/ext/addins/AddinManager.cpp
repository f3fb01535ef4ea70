#include "ext/addins/AddinManager.h"

#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "core/str/Quoted.h"
#include "ext/addins/AddinAbi.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Window.h"
#include "store/objectmodel/ObjectModelConnection.h"

namespace {

constexpr uint32_t kStrOutlookPlugin = 41208;
// The owner window of an add-in's own windows while its command runs.
constexpr std::u16string_view kOwnerClass = u"PIM.ADDIN.OWNER";
constexpr std::u16string_view kDialerLibrary = u"btdialer.dll";
constexpr uint32_t kStrCaption = 101;
constexpr uint32_t kStrNotALibrary = 43830, kStrNoCommand = 43831, kStrStoreUnavailable = 43832,
                   kStrEndedTheProgram = 43833;
// Section "Settings": the add-in whose command is running ("menu" (path)), present only while it
// runs, so a start that finds it knows the add-in ended the program.
constexpr std::u16string_view kRunningAddin = u"AddinRunning";

// "Menu text" (library path), as the user is told of an add-in.
Str AddinMark(const AddinEntry& addin) {
    return Str(Quoted(addin.menu.View()) + u" (" + std::u16string(addin.dll.View()) + u")");
}

// Tells the user about an add-in: `text` is a string resource with the add-in's mark for its %s.
void TellAbout(uint32_t text, const Str& mark) {
    Str shown;
    if (!shown.FormatRes(text, mark)) shown = mark;
    plat::MessageBox(shown.View(), RequireStr(kStrCaption).View(), plat::MB_OK | plat::MB_ICONWARNING);
}

}  // namespace

AddinManager& AddinManager::Instance() {
    static AddinManager manager;
    return manager;
}

void AddinManager::Load(uint32_t firstId) {
    shell_.Release();
    first_ = firstId;
    addins_ = ReadAddinTable();
    loaded_ = true;
}

void AddinManager::Unload() {
    shell_.Release();
    addins_.clear();
    loaded_ = false;
}

bool AddinManager::BuildMenu(MenuDescription& menu, std::span<const uint32_t> selected) {
    MenuItem popup;
    for (size_t i = 0; i < addins_.size(); ++i) {
        MenuItem item;
        item.id = first_ + static_cast<uint32_t>(i);
        item.text = addins_[i].menu;
        popup.submenu.push_back(std::move(item));
    }
    const uint32_t extensionsFirst = first_ + static_cast<uint32_t>(addins_.size());
    const bool extensions = loaded_ && shell_.Load(popup.submenu, extensionsFirst, first_ + addin::kLastCommandOffset, selected);
    if (addins_.empty() && !extensions) return false;
    popup.text = RequireStr(kStrOutlookPlugin);
    menu.AddSeparator();
    menu.push_back(std::move(popup));
    return true;
}

// Commands past F + 64 belong to other menus (the frame's own commands follow soon after F), so
// they are left to their owners rather than handed to the extensions.
bool AddinManager::Invoke(uint32_t command, std::span<const uint32_t> selected) {
    if (!loaded_ || command < first_ || command - first_ > addin::kLastCommandOffset) return false;
    const uint32_t index = command - first_;
    if (index >= addins_.size()) {
        (void)shell_.Invoke(command, selected);  // the extension that took it tells its own failures
    } else {
        RunAddin(addins_[index], selected);
    }
    return true;
}

// The command runs only while the object model is available, as add-ins rely on it. When it
// cannot run the user is told why: a library that does not load, or that has no command, would
// otherwise make a menu item that does nothing.
void AddinManager::RunAddin(const AddinEntry& addin, std::span<const uint32_t> selected) {
    const plat::DeviceLibrary library(addin.dll.View());
    if (!library.IsLoaded()) return TellAbout(kStrNotALibrary, AddinMark(addin));
    auto* command = library.Find<CePimCommandFunction>(PIM_ADDIN_COMMAND_EXPORT);
    if (command == nullptr) return TellAbout(kStrNoCommand, AddinMark(addin));
    if (ObjectModelConnection::Instance().Available() != 1) {
        return TellAbout(kStrStoreUnavailable, AddinMark(addin));
    }
    const plat::HWND owner = plat::CreateWindow(kOwnerClass, u"", [](plat::HWND, uint32_t, plat::WPARAM, plat::LPARAM) {
        return plat::LRESULT{0};
    });
    // A crash inside the add-in ends the program; the mark left here lets the next start say so.
    const bool marked = SettingsStore::WriteString(settings::kSettings, kRunningAddin, AddinMark(addin).View());
    command(owner, PIM_ADDIN_ITEM_CONTACTS, static_cast<uint32_t>(selected.size()),
            selected.empty() ? nullptr : selected.data(), nullptr);
    // A mark left says at the next start that the add-in may have failed.
    if (marked) (void)SettingsStore::DeleteValue(settings::kSettings, kRunningAddin);
    if (owner != 0) (void)plat::DestroyWindow(owner);  // the window goes either way
}

void AddinManager::ReportInterruptedCommand() {
    const Str mark = SettingsStore::ReadString(settings::kSettings, kRunningAddin, u"");
    if (mark.IsEmpty()) return;
    // A mark left is reported again; that is all.
    (void)SettingsStore::DeleteValue(settings::kSettings, kRunningAddin);
    TellAbout(kStrEndedTheProgram, mark);
}

int AddinManager::DialerIndex() const {
    for (size_t i = 0; i < addins_.size(); ++i) {
        Str path = addins_[i].dll;
        path.MakeLower();
        if (path.Find(kDialerLibrary) >= 0) return static_cast<int>(i);
    }
    return -1;
}

int AddinManager::DialerAddInCommand() const {
    const int index = DialerIndex();
    return index < 0 ? -1 : static_cast<int>(first_) + index;
}

Str AddinManager::DialerAddInDll() const {
    const int index = DialerIndex();
    return index < 0 ? Str() : addins_[static_cast<size_t>(index)].dll;
}
