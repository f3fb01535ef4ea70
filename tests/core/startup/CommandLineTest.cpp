// The command line: which texts ask for which switch, the "/NEW" request, the accelerator table.
#include <gtest/gtest.h>

#include <tuple>

#include "core/startup/Accelerators.h"
#include "core/startup/CommandLine.h"
#include "platform/window/Messages.h"

namespace {

struct Case {
    std::u16string_view text;
    char16_t letter;  // 0: no switch
    uint32_t value;
    std::optional<std::u16string_view> switchText;
};

TEST(CommandLine, SwitchesAndTheirArguments) {
    const Case cases[] = {
        {u"", 0, 0, std::nullopt},
        {u"v 1a2b", u'v', 0x1a2b, std::nullopt},
        {u"V 1A2B", u'v', 0x1a2b, std::nullopt},
        {u"e   0xFF", u'e', 0xff, std::nullopt},
        {u"v 12zz", u'v', 0x12, std::nullopt},
        {u"v", 0, 0, std::nullopt},
        {u"v 0", 0, 0, std::nullopt},
        {u"e zz", 0, 0, std::nullopt},
        {u"v 1ffffffff", 0, 0, std::nullopt},  // does not fit: never another contact
        {u"v ffffffff", u'v', 0xffffffff, std::nullopt},
        {u"dial", u'd', 0, std::nullopt},
        {u"f 12", u'f', 0, std::nullopt},
        {u"h", u'h', 0, std::nullopt},
        {u"/new", 0, 0, std::nullopt},
        {u"/NEW", 0, 0, std::nullopt},
        {u"x 12", 0, 0, std::nullopt},
        {u"n", u'n', 0, std::nullopt},
        // The text keeps its case and its blanks.
        {u"N Anna  Smith", u'n', 0, u"Anna  Smith"},
        {u"r John++--+++15551234", u'r', 0, u"John++--+++15551234"},
        {u"n ", u'n', 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const ParsedCommandLine parsed = SplitCommandLine(c.text);
        ASSERT_EQ(parsed.commandSwitch.has_value(), c.letter != 0);
        if (c.letter != 0) {
            EXPECT_EQ(parsed.commandSwitch->letter, c.letter);
            EXPECT_EQ(parsed.commandSwitch->value, c.value);
        }
        EXPECT_EQ(parsed.switchText, c.switchText);
    }
}

TEST(CommandLine, NewRequestIsExactAndBecomesTheNewContactCommand) {
    EXPECT_TRUE(IsNewRequest(u"/NEW"));
    EXPECT_FALSE(IsNewRequest(u"/new"));
    EXPECT_FALSE(IsNewRequest(u"/NEW "));
    const std::optional<WindowRequest> request = RequestFor(u"/NEW");
    ASSERT_TRUE(request);
    EXPECT_EQ(std::tuple(request->message, request->wParam, request->lParam),
              std::tuple(plat::WM_COMMAND, plat::WPARAM{kCmdNewContact}, plat::LPARAM{0}));
    const std::optional<WindowRequest> show = RequestFor(u"v 1a2b");
    ASSERT_TRUE(show);
    EXPECT_EQ(std::tuple(show->message, show->wParam, show->lParam),
              std::tuple(UM_COMMAND_SWITCH, plat::WPARAM{u'v'}, plat::LPARAM{0x1a2b}));
    EXPECT_FALSE(RequestFor(u"/new"));
    EXPECT_FALSE(RequestFor(u"q"));
}

TEST(CommandLine, AcceleratorTable) {
    EXPECT_EQ(TranslateAccelerator('A', true, false, false), 40003u);
    EXPECT_EQ(TranslateAccelerator('Q', true, false, false), 1u);
    EXPECT_FALSE(TranslateAccelerator('A', false, false, false));
    EXPECT_FALSE(TranslateAccelerator('Q', true, true, false));
    EXPECT_FALSE(TranslateAccelerator('Q', true, false, true));
    EXPECT_FALSE(TranslateAccelerator('B', true, false, false));
}

}  // namespace
