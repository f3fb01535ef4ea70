#include "ui/frame/MainMenu.h"

#include "core/res/ResourceStrings.h"
#include "core/startup/CommandLine.h"
#include "ui/frame/CallerIdMenus.h"
#include "ui/toolkit/UiStrings.h"

namespace {

struct Entry {
    uint32_t command;  // 0: a separator
    uint32_t text;     // the string's number
};

void AddAll(MenuDescription& menu, std::initializer_list<Entry> entries) {
    for (const Entry& entry : entries) {
        if (entry.command == 0) {
            menu.AddSeparator();
        } else {
            menu.Add(entry.command, RequireStr(entry.text));
        }
    }
}

MenuItem Submenu(uint32_t text, std::initializer_list<Entry> entries) {
    MenuDescription items;
    AddAll(items, entries);
    MenuItem popup;
    popup.text = RequireStr(text);
    popup.submenu = std::move(items.items);
    return popup;
}

MenuDescription MainPopup() {
    using namespace liststr;
    MenuDescription menu;
    AddAll(menu, {{41283, kEdit},
                  {41208, kDelete},
                  {41286, kBeam},
                  {41211, kMakeAppointment},
                  {41433, kSetRingtone},
                  {0, 0}});
    menu.push_back(Submenu(kView, {{41214, kShowOnlyName},
                                   {41428, kHighlightFound},
                                   {0, 0},
                                   {41266, kOneLine},
                                   {41264, kTwoLine},
                                   {0, 0},
                                   {41369, kShowPhonePanel},
                                   {41282, kPreview},
                                   {41429, kAbcBar}}));
    menu.push_back(Submenu(kSortBy, {{41216, kSortName}, {41217, kSortFileAs}, {41218, kSortCompany}}));
    menu.push_back(Submenu(kAbcBar, {{41231, kHideAbcBar}, {41232, kSmallAbcBar}, {41233, kBigAbcBar}}));
    AddAll(menu, {{0, 0},
                  {41300, kCategoryList},
                  {41290, kReindex},
                  {41291, kSetDataFolder},
                  {kCmdEditTemplate, kEditTemplate},
                  {kCmdOptions, kOptions},
                  {kCmdAbout, kAbout},
                  {kCmdKeys, uistr::kKeys},
                  {kCmdExit, uistr::kExit},
                  {0, 0},
                  {kCmdCallFilterPlaceholder, kStrCallFilter},
                  {kCmdRingSettingsPlaceholder, kStrRingSettings},
                  {0, 0},
                  {0, 0}});
    return menu;
}

}  // namespace

SoftKeyMenu MainMenuBar() {
    SoftKeyMenu bar;
    bar.left.text = RequireStr(uistr::kNew);
    bar.left.command = kCmdNewContact;
    bar.right.text = RequireStr(uistr::kMenu);
    bar.right.popupId = kMainPopupId;
    bar.right.popup = MainPopup();
    return bar;
}
