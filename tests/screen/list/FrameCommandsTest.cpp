// The contacts frame's settings and display commands on a device registry: defaults and
// out-of-range values, what each command changes, writes and announces, and the View menu's marks.
#include "screen/list/FrameCommands.h"

#include <gtest/gtest.h>

#include <vector>

#include "Announcements.h"
#include "core/settings/SettingsStore.h"
#include "screen/list/FrameMenus.h"
#include "support/TempDevice.h"

namespace {

uint32_t Stored(std::u16string_view name) { return SettingsStore::ReadDword(u"Settings", name, 99); }

TEST(FrameSettings, DefaultsAndOutOfRangeValues) {
    {
        TempDevice phone;
        const FrameSettings s = FrameSettings::Load();
        EXPECT_EQ(std::tuple(s.sortType, s.abcMode, s.abcModePrev, s.showDPan, s.isDoubleSized, s.highlight,
                             s.splitThousandths, s.splitMode, s.spltPosY),
                  std::tuple(ListOrder::Name, uint32_t{kAbcBig}, uint32_t{kAbcBig}, true, true, true, 500u,
                             2u, 1024u));
        for (const auto& [name, value] :
             {std::pair(u"SortType", 7u), std::pair(u"AbcMode", 5u), std::pair(u"AbcModePrev", 2u),
              std::pair(u"SplitPercent", 4000u), std::pair(u"SpltFix", 1u), std::pair(u"SplitMode", 0u)}) {
            ASSERT_TRUE(FrameSettings::Store(name, value));
        }
        const FrameSettings odd = FrameSettings::Load();
        EXPECT_EQ(std::tuple(odd.sortType, odd.abcMode, odd.abcModePrev, odd.splitThousandths, odd.spltFix,
                             odd.splitMode),
                  std::tuple(ListOrder::Name, uint32_t{kAbcBig}, uint32_t{kAbcBig}, 500u, true, 2u));
    }
    TempDevice noPhone(TempDevice::Options{.phone = false});
    EXPECT_FALSE(FrameSettings::Load().showDPan) << "the phone panel is off by default without a phone";
}

TEST(FrameCommands, EachDisplayCommandChangesWritesAndAnnouncesItsSetting) {
    using namespace framecmd;
    TempDevice device;
    Announcements announced;
    FrameSettings s = FrameSettings::Load();
    const struct {
        uint32_t command;
        const char16_t* value;  // the setting written
        uint32_t stored;
        int flag;
        bool rebuild, redraw, relayout;
    } cases[] = {
        {kShowOnlyName, u"NameOnly", 1, 5, false, true, false},
        {kHighlight, u"Highlight", 0, -1, false, true, false},
        {kOneLine, u"IsDoubleSized", 0, 6, false, true, false},
        {kTwoLine, u"IsDoubleSized", 1, 6, false, true, false},
        {kShowPhonePanel, u"ShowDPan", 0, -1, false, false, true},
        {kPreview, u"SplitVisible", 1, -1, false, false, true},
        {kSortCompany, u"SortType", 2, 4, true, false, false},
        {kSortFileAs, u"SortType", 1, 4, true, false, false},
        {kSmallAbcBar, u"AbcMode", 0, -1, false, false, true},
    };
    for (const auto& c : cases) {
        announced.flags.clear();
        const SettingChange change = ApplySettingCommand(c.command, s, announced);
        SCOPED_TRACE(c.command);
        EXPECT_EQ(std::tuple(change.handled, change.rebuildList, change.redrawList, change.relayout,
                             change.announce),
                  std::tuple(true, c.rebuild, c.redraw, c.relayout, c.flag));
        EXPECT_EQ(Stored(c.value), c.stored);
        EXPECT_EQ(announced.flags, c.flag < 0 ? std::vector<uint32_t>{}
                                              : std::vector<uint32_t>{static_cast<uint32_t>(c.flag)});
    }
    EXPECT_TRUE(ApplySettingCommand(kBigAbcBar, s, announced).lowerInputPanel);
    EXPECT_FALSE(ApplySettingCommand(kNewContact, s, announced).handled) << "not a display command";
}

TEST(FrameCommands, ChoosingWhatIsChosenDoesNothingAndAbcBarTwiceReturns) {
    using namespace framecmd;
    TempDevice device;
    Announcements announced;
    FrameSettings s = FrameSettings::Load();
    for (const uint32_t again : {kSortName, kTwoLine, kBigAbcBar}) {
        const SettingChange change = ApplySettingCommand(again, s, announced);
        EXPECT_TRUE(change.handled && !change.rebuildList && !change.redrawList && !change.relayout) << again;
    }
    EXPECT_TRUE(announced.flags.empty());
    EXPECT_EQ(Stored(u"SortType"), 99u) << "nothing written";

    ApplySettingCommand(kSmallAbcBar, s, announced);
    EXPECT_TRUE(ApplySettingCommand(kAbcBar, s, announced).relayout);
    EXPECT_EQ(std::tuple(s.abcMode, Stored(u"AbcMode"), Stored(u"AbcModePrev")),
              std::tuple(uint32_t{kAbcHidden}, 2u, 0u));
    ApplySettingCommand(kAbcBar, s, announced);
    EXPECT_EQ(std::pair(s.abcMode, Stored(u"AbcMode")), std::pair(uint32_t{kAbcSmall}, 0u));

    // Hidden through the View menu, the soft key brings back the bar that was shown.
    ApplySettingCommand(kBigAbcBar, s, announced);
    ApplySettingCommand(kHideAbcBar, s, announced);
    ApplySettingCommand(kAbcBar, s, announced);
    EXPECT_EQ(s.abcMode, uint32_t{kAbcBig});
}

TEST(FrameMenus, TheViewMenuMarksTheSettingsInForce) {
    using namespace framecmd;
    TempDevice device;
    FrameSettings s;
    s.sortType = ListOrder::Company;
    s.abcMode = kAbcSmall;
    s.nameOnly = true;
    s.isDoubleSized = false;
    s.splitVisible = true;
    const MenuDescription view = FrameViewMenu(s);
    const struct {
        uint32_t command;
        MenuMark mark;
    } marks[] = {
        {kSortName, MenuMark::None},       {kSortCompany, MenuMark::Radio},  {kOneLine, MenuMark::Radio},
        {kTwoLine, MenuMark::None},        {kShowOnlyName, MenuMark::Check}, {kHighlight, MenuMark::Check},
        {kSmallAbcBar, MenuMark::Radio},   {kBigAbcBar, MenuMark::None},     {kPreview, MenuMark::Check},
        {kShowPhonePanel, MenuMark::None}, {kCategoryList, MenuMark::None},
    };
    for (const auto& m : marks) {
        ASSERT_NE(view.Find(m.command), nullptr) << m.command;
        EXPECT_EQ(view.Find(m.command)->mark, m.mark) << m.command;
    }
    EXPECT_EQ(view[0].text, u"Sort By");

    const MenuDescription none = FrameToolsMenu(false, false);
    EXPECT_TRUE(none.Find(kNewContact)->enabled);
    EXPECT_FALSE(none.Find(kEdit)->enabled || none.Find(kDelete)->enabled || none.Find(kBeam)->enabled);
    const MenuDescription several = FrameToolsMenu(false, true);
    EXPECT_TRUE(several.Find(kDelete)->enabled && several.Find(kBeam)->enabled);
    EXPECT_FALSE(several.Find(kEdit)->enabled || several.Find(kMakeAppointment)->enabled);
}

}  // namespace
