#include "ui/frame/CallerIdMenus.h"

#include "categories/ringtones/CallFilter.h"
#include "categories/ringtones/CallFilterMenu.h"
#include "core/res/ResourceStrings.h"
#include "core/result/StatusBox.h"
#include "phone/ring/ScriptManager.h"
#include "platform/window/Window.h"

namespace {

constexpr uint32_t kStrRingtones = 41434;
constexpr uint32_t kStrRingType = 41435;
constexpr uint32_t kStrRingVolume = 41436;
constexpr uint32_t kCmdRingTypeLast = kCmdRingTypeFirst + 99;
constexpr uint32_t kCmdRingVolumeLast = kCmdRingVolumeFirst + 99;

MenuItem Popup(uint32_t textId, MenuDescription items, bool enabled) {
    MenuItem popup;
    popup.text = RequireStr(textId);
    popup.enabled = enabled;
    popup.submenu = std::move(items.items);
    return popup;
}

MenuDescription RingSettingsMenu(const ScriptManager& ring) {
    MenuDescription menu;
    menu.push_back(Popup(kStrRingType, ring.RingTypeMenu(kCmdRingTypeFirst), true));
    menu.push_back(Popup(kStrRingVolume, ring.RingVolumeMenu(kCmdRingVolumeFirst), true));
    menu.Add(kCmdRingtones, RequireStr(kStrRingtones));
    return menu;
}

}  // namespace

bool CallerIdRunning() { return plat::FindWindow(kCallerIdWindowClass) != 0; }

void PostToCallerId(uint32_t message) {
    if (const plat::HWND window = plat::FindWindow(kCallerIdWindowClass); window != 0) {
        (void)plat::PostMessage(window, message, 0, 0);  // a program that went away reads anew when it starts
    }
}

void InsertCallerIdMenus(MenuDescription& popup, const CallFilter& filter, const Array<CategoryEntry>& categories,
                         const ScriptManager& ring, bool enabled) {
    std::vector<MenuItem>& items = popup.items;
    if (items.size() < 4) return;
    const size_t callFilterAt = items.size() - 4;
    items[callFilterAt] = Popup(kStrCallFilter, BuildCallFilterMenu(filter, categories), enabled);
    items[callFilterAt + 1] = Popup(kStrRingSettings, RingSettingsMenu(ring), enabled);
}

bool RunCallerIdCommand(uint32_t command, ScriptManager& ring, CallFilter& filter, const Array<CategoryEntry>& categories) {
    if (command >= kCmdRingTypeFirst && command <= kCmdRingTypeLast) {
        TellUser(ring.SetRingType(static_cast<int>(command - kCmdRingTypeFirst)));
        PostToCallerId(kCallerIdRingChanged);
        return true;
    }
    if (command >= kCmdRingVolumeFirst && command <= kCmdRingVolumeLast) {
        TellUser(ring.SetRingVolume(static_cast<int>(command - kCmdRingVolumeFirst)));
        PostToCallerId(kCallerIdRingChanged);
        return true;
    }
    if (command >= kCmdCallFilterEnableAll && command <= kCmdCallFilterLast) {
        TellUser(RunCallFilterCommand(filter, categories, command));
        PostToCallerId(kCallerIdFilterChanged);
        return true;
    }
    return false;
}
