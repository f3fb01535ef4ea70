#include "ui/frame/MainMenu.h"

#include "core/startup/CommandLine.h"
#include "ui/frame/CallerIdMenus.h"

namespace {

struct Entry {
    uint32_t command;  // 0: a separator
    const char16_t* text;
};

void AddAll(MenuDescription& menu, std::initializer_list<Entry> entries) {
    for (const Entry& entry : entries) {
        if (entry.command == 0) {
            menu.AddSeparator();
        } else {
            menu.Add(entry.command, entry.text);
        }
    }
}

MenuItem Submenu(const char16_t* text, std::initializer_list<Entry> entries) {
    MenuDescription items;
    AddAll(items, entries);
    MenuItem popup;
    popup.text = text;
    popup.submenu = std::move(items.items);
    return popup;
}

MenuDescription MainPopup() {
    MenuDescription menu;
    AddAll(menu, {{41283, u"Edit"}, {41208, u"Delete"}, {41286, u"Beam..."}, {41211, u"Make Appointment..."},
                  {41433, u"Set Contact Ringtone"}, {0, nullptr}});
    menu.push_back(Submenu(u"View", {{41214, u"Show Only Name"}, {41428, u"Highlight found"}, {0, nullptr},
                                     {41266, u"1-line Display"}, {41264, u"2-line with Picture"}, {0, nullptr},
                                     {41369, u"Show Phone Panel"}, {41282, u"Preview"}, {41429, u"ABC Bar"}}));
    menu.push_back(Submenu(u"Sort By", {{41216, u"Name"}, {41217, u"File As"}, {41218, u"Company"}}));
    menu.push_back(Submenu(u"ABC Bar", {{41231, u"Hide ABC bar"}, {41232, u"Small ABC bar"}, {41233, u"Big ABC bar"}}));
    AddAll(menu, {{0, nullptr}, {41300, u"Category List"}, {41290, u"Reindex Contacts"},
                  {41291, u"Set Data Folder Location..."}, {kCmdEditTemplate, u"Edit Contact Template..."},
                  {kCmdOptions, u"Options..."}, {kCmdAbout, u"About..."}, {kCmdExit, u"Exit"}, {0, nullptr},
                  {kCmdCallFilterPlaceholder, u"Call Filter"}, {kCmdRingSettingsPlaceholder, u"Ring Settings"},
                  {0, nullptr}, {0, nullptr}});
    return menu;
}

}  // namespace

SoftKeyMenu MainMenuBar() {
    SoftKeyMenu bar;
    bar.left.text = u"New";
    bar.left.command = kCmdNewContact;
    bar.right.text = u"Menu";
    bar.right.popupId = kMainPopupId;
    bar.right.popup = MainPopup();
    return bar;
}
