#include "screen/list/FrameMenus.h"

#include "core/res/ResourceStrings.h"
#include "screen/list/FrameCommands.h"
#include "screen/list/ListStrings.h"

namespace {

using namespace framecmd;

MenuItem Item(uint32_t command, uint32_t text, MenuMark mark = MenuMark::None, bool enabled = true) {
    MenuItem item;
    item.id = command;
    item.text = RequireStr(text);
    item.mark = mark;
    item.enabled = enabled;
    return item;
}

MenuMark Radio(bool on) { return on ? MenuMark::Radio : MenuMark::None; }
MenuMark Check(bool on) { return on ? MenuMark::Check : MenuMark::None; }

}  // namespace

MenuDescription FrameViewMenu(const FrameSettings& s) {
    MenuDescription menu;
    MenuItem sort;
    sort.text = RequireStr(liststr::kSortBy);
    sort.submenu = {Item(kSortName, liststr::kSortName, Radio(s.sortType == ListOrder::Name)),
                    Item(kSortFileAs, liststr::kSortFileAs, Radio(s.sortType == ListOrder::FileAs)),
                    Item(kSortCompany, liststr::kSortCompany, Radio(s.sortType == ListOrder::Company))};
    menu.push_back(std::move(sort));
    menu.AddSeparator();
    menu.push_back(Item(kOneLine, liststr::kOneLine, Radio(!s.isDoubleSized)));
    menu.push_back(Item(kTwoLine, liststr::kTwoLine, Radio(s.isDoubleSized)));
    menu.push_back(Item(kShowOnlyName, liststr::kShowOnlyName, Check(s.nameOnly)));
    menu.push_back(Item(kHighlight, liststr::kHighlightFound, Check(s.highlight)));
    menu.AddSeparator();
    menu.push_back(Item(kHideAbcBar, liststr::kHideAbcBar, Radio(s.abcMode == kAbcHidden)));
    menu.push_back(Item(kSmallAbcBar, liststr::kSmallAbcBar, Radio(s.abcMode == kAbcSmall)));
    menu.push_back(Item(kBigAbcBar, liststr::kBigAbcBar, Radio(s.abcMode == kAbcBig)));
    menu.AddSeparator();
    menu.push_back(Item(kPreview, liststr::kPreview, Check(s.splitVisible)));
    menu.push_back(Item(kShowPhonePanel, liststr::kShowPhonePanel, Check(s.showDPan)));
    menu.AddSeparator();
    menu.push_back(Item(kCategoryList, liststr::kCategoryList));
    return menu;
}

MenuDescription FrameToolsMenu(bool oneContact, bool anyContact) {
    MenuDescription menu;
    menu.push_back(Item(kNewContact, liststr::kNewContact));
    menu.AddSeparator();
    menu.push_back(Item(kEdit, liststr::kEdit, MenuMark::None, oneContact));
    menu.push_back(Item(kDelete, liststr::kDelete, MenuMark::None, anyContact));
    menu.push_back(Item(kSetRingtone, liststr::kSetRingtone, MenuMark::None, oneContact));
    menu.push_back(Item(kBeam, liststr::kBeam, MenuMark::None, anyContact));
    menu.push_back(Item(kMakeAppointment, liststr::kMakeAppointment, MenuMark::None, oneContact));
    menu.AddSeparator();
    menu.push_back(Item(kEditTemplate, liststr::kEditTemplate));
    menu.push_back(Item(kSetDataFolder, liststr::kSetDataFolder));
    menu.push_back(Item(kReindex, liststr::kReindex));
    menu.AddSeparator();
    menu.push_back(Item(kOptions, liststr::kOptions));
    menu.push_back(Item(kAbout, liststr::kAbout));
    return menu;
}
