#include <gtest/gtest.h>

#include <vector>

#include "phone/dial/CallPolBlock.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/DialString.h"
#include "platform/programs/CallPolicyBlock.h"

namespace {

TEST(ComposeDialString, CardFormatsAroundTheNumber) {
    const struct {
        const char16_t* format;
        const char16_t* number;
        const char16_t* expected;
    } cases[] = {
        {u"9,,@", u"5551234", u"9,,5551234"},
        {u"--@#", u"+15551234", u"5551234#"},
        {u"1234", u"5551234", u"1234"},        // no "@": the card's own text
        {u"--@--", u"123", u""},               // more removed than there is
        {u"0-@-9", u"12345", u"02349"},        // one character off each end
        {u"a@b@c", u"77", u"a77b@c"},          // only the first "@"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeDialString(c.format, c.number).View(), std::u16string_view(c.expected))
            << Str(c.format).ToUtf8() << " / " << Str(c.number).ToUtf8();
    }
}

TEST(CallPolBlock, LayoutAndSizeByteForByte) {
    // "*#06#": 5 characters, (10 + 25) & ~3 = 32 bytes.
    const std::vector<uint8_t> five = BuildCallPolBlock(u"*#06#");
    const std::vector<uint8_t> expected = {1, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                           0, 0, 0, 0, '*', 0, '#', 0, '0', 0, '6', 0, '#', 0, 0, 0};
    EXPECT_EQ(five, expected);
    // Text beyond Latin keeps both bytes of each unit.
    const std::vector<uint8_t> wide = BuildCallPolBlock(u"\u0661#");
    ASSERT_EQ(wide.size(), 28u);
    EXPECT_EQ(wide[20], 0x61);
    EXPECT_EQ(wide[21], 0x06);
    for (size_t len = 0; len < 40; ++len) {  // whole words, room for the NUL, read back by the receiver
        const std::u16string number(len, u'1');
        const std::vector<uint8_t> block = BuildCallPolBlock(number);
        EXPECT_EQ(block.size() % 4, 0u);
        EXPECT_GE(block.size(), 20 + 2 * len + 2);
        EXPECT_EQ(plat::ReadCallPolicyBlock(block), number);
    }
    EXPECT_TRUE(IsServiceCode(u"*#06#"));
    EXPECT_FALSE(IsServiceCode(u"#31#5551234"));
}

TEST(ResolveDialMethod, PhoneAndNonPhoneDevicesWithAndWithoutAddIn) {
    const struct {
        uint32_t method, stored;
        bool phone, addIn;
        uint32_t expected;
    } cases[] = {
        {0, 0, true, false, kDialJustCall},
        {0, kDialAddIn, true, false, kDialJustCall},  // stored add-in without one
        {0, kDialAddIn, false, false, kDialNone},     // no phone service without a phone
        {0, kDialAddIn, true, true, kDialAddIn},
        {0, kDialNone, true, false, kDialJustCall},   // a phone always dials
        {kDialSound, kDialJustCall, true, false, kDialSound},  // the given method wins
        {0, kDialJustCall, false, true, kDialAddIn},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveDialMethod(c.method, c.stored, c.phone, c.addIn), c.expected)
            << c.method << " " << c.stored << " " << c.phone << " " << c.addIn;
    }
}

}  // namespace
