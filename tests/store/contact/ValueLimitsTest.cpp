// The limits every add and update applies: what is over its limit is cut (never inside a surrogate
// pair) or scaled and named once; what is within them is left exactly as it is.
#include <gtest/gtest.h>

#include <random>

#include "platform/imaging/Imaging.h"
#include "store/contact/Contact.h"
#include "store/contact/ValueLimits.h"

namespace {

constexpr size_t kUnits = limits::kTextUnits;

Str Units(size_t count, char16_t unit = u'a') { return Str(std::u16string(count, unit)); }

}  // namespace

TEST(ValueLimits, TextsAndTheNoteAreCutAtTheirLimitsAndNamed) {
    std::u16string straddling(kUnits - 1, u'b');
    straddling += u"\xD83D\xDE00tail";  // a pair whose second unit would be the first cut off
    const struct {
        const char* what;
        Str text;
        size_t kept;  // units kept; the text unchanged and nothing named when it is its length
    } cases[] = {
        {"within", Units(kUnits), kUnits},
        {"over", Units(kUnits + 7000), kUnits},
        {"a pair at the limit", Str(straddling), kUnits - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Contact contact;
        contact.SetText(kFieldCompany, c.text);
        contact.others.Add({Str(u"X-LONG"), c.text});
        const std::vector<std::string> named = ApplyValueLimits(contact);
        EXPECT_EQ(size_t(contact.GetText(kFieldCompany).GetLength()), c.kept);
        EXPECT_EQ(size_t(contact.others[0].value.GetLength()), c.kept);
        EXPECT_EQ(contact.GetText(kFieldCompany).View(), c.text.View().substr(0, c.kept));
        EXPECT_EQ(named.size(), size_t(c.text.GetLength()) == c.kept ? 0u : 2u);
    }

    // A data: value is whole or useless: over the limit it goes, the values after it stay in order.
    Contact logo;
    logo.others.Add({Str(u"LOGO"), Str(u"data:image/png;base64," + std::u16string(kUnits, u'A'))});
    logo.others.Add({Str(u"X-SMALL"), Str(u"data:text/plain,kept")});
    logo.others.Add({Str(u"X-AFTER"), Str(u"after")});
    const std::vector<std::string> dropped = ApplyValueLimits(logo);
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_NE(dropped[0].find("\"LOGO\""), std::string::npos) << dropped[0];
    ASSERT_EQ(logo.others.GetSize(), 2);
    EXPECT_EQ(logo.others[0].value.View(), u"data:text/plain,kept");
    EXPECT_EQ(logo.others[1].value.View(), u"after");

    Contact noted;
    noted.SetNote(ByteBlock(std::vector<uint8_t>(limits::kNoteBytes + 4096, 0x41)));
    ASSERT_EQ(ApplyValueLimits(noted).size(), 1u);
    EXPECT_EQ(noted.GetNote().Size(), limits::kNoteBytes);
}

TEST(ValueLimits, ALargePictureIsScaledDownUntilItFits) {
    plat::RgbBitmap noise{900, 700, std::vector<uint8_t>(900 * 700 * 3)};
    std::mt19937 random(5);
    for (uint8_t& byte : noise.rgb) byte = static_cast<uint8_t>(random());
    Contact contact;
    contact.SetPicture(ContactPicture::FromImageBytes(*plat::EncodeImage(noise, plat::ImageFormat::Png)));
    ASSERT_GT(contact.GetPicture().ImageBytes().Size(), limits::kPictureBytes);
    const std::vector<std::string> named = ApplyValueLimits(contact);
    ASSERT_EQ(named.size(), 1u);
    EXPECT_NE(named[0].find("made smaller to fit"), std::string::npos) << named[0];
    EXPECT_FALSE(contact.GetPicture().IsEmpty());
    EXPECT_LE(contact.GetPicture().ImageBytes().Size(), limits::kPictureBytes);
    EXPECT_LE(contact.GetPicture().Width(), 900);
    EXPECT_TRUE(ApplyValueLimits(contact).empty());  // within the limit now: left as it is
}
