#include <gtest/gtest.h>

#include <optional>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "store/contact/Contact.h"

namespace {

// The defaults format bare digits; a number with a layout of its own is left alone, apart from
// hyphens when they are to be ignored. Of a contact only the phone values are formatted.
TEST(PhoneTemplates, DefaultsFormatNumbersWithoutLayoutAndAContactsPhonesOnly) {
    TempDevice device;
    const struct {
        const char16_t* number;
        bool ignoreHyphens;
        const char16_t* shown;  // null: unchanged
    } cases[] = {
        {u"74951234567", false, u"+7 (495) 123-45-67"},
        {u"212-555-1234", false, nullptr},
        {u"212-555-1234", true, u"212-5-55-12-34"},
        {u"123456", false, u"12-34-56"},
        {u"1234567", false, nullptr},
        {u"(495)1234567", false, nullptr},
        {u"tel 123456 home", false, u"tel 12-34-56 home"},
        {u"no digits", false, nullptr},
    };
    for (const auto& c : cases) {
        PhoneTemplates t = ActiveDefaultFormats();
        t.SetIgnoreHyphens(c.ignoreHyphens);
        const Str number(c.number);
        EXPECT_EQ(t.TryFormat(number).has_value(), c.shown != nullptr) << number.ToUtf8();
        EXPECT_EQ(t.Formatted(number), c.shown ? c.shown : c.number);
    }
    Contact contact;
    contact.SetText(kFieldCompanyPhone, u"123456");
    contact.SetText(kFieldNickname, u"123456");
    contact.phones.Add({u"Dacha", u"8005551234"});
    ActiveDefaultFormats().FormatContact(contact);
    EXPECT_EQ(std::tuple(contact.GetText(kFieldCompanyPhone), contact.GetText(kFieldNickname), contact.phones[0].value),
              std::tuple(Str(u"12-34-56"), Str(u"123456"), Str(u"800-555-1234")));
}

TEST(PhoneTemplates, RunsTextAroundTheDigitsAndLengthLimits) {
    TempDevice device;
    const std::u16string longest(259, u'7');
    const struct {
        std::u16string layout, number;
        std::optional<std::u16string> shown;  // nothing: unchanged
    } cases[] = {
        // The template's own text in front and behind is added unless the number has it.
        {u"Tel.#-##ext", u"123", u"Tel. 1-23 ext"},
        {u"Tel.#-##ext", u"Tel.123ext", u"Tel.1-23ext"},
        // A number's opening run must be part of the template's.
        {u"+(#-##)", u"+(123)", u"+(1-23)"},
        {u"(#-##)", u"+123", std::nullopt},
        // Letters must stand in both middles, in any case.
        {u"#x##", u"1X23", u"1x23"},
        {u"#x##", u"1y23", std::nullopt},
        // As many "#" as digits: literal digits stay; as many slots: they are replaced.
        {u"##", u"12", u"12"},
        // Fewer digits than slots, or a fixed digit that differs: not this template.
        {u"8#-#", u"1", std::nullopt},
        {u"8##", u"912", std::nullopt},
        // The longest number that fits, one beyond, and text around that would make it too long.
        {std::u16string(259, u'#'), longest, longest},
        {std::u16string(259, u'#'), longest + u"7", std::nullopt},
        {std::u16string(200, u'x') + u" ## " + std::u16string(58, u'y'), u"12", std::nullopt},
    };
    for (const auto& c : cases) {
        PhoneTemplates t;
        t.Insert(0, Str(c.layout));
        t.SetActive(true);
        const Str number(c.number);
        EXPECT_EQ(t.TryFormat(number).has_value(), c.shown.has_value()) << Str(c.layout).ToUtf8();
        EXPECT_EQ(t.Formatted(number), Str(c.shown.value_or(c.number))) << Str(c.layout).ToUtf8();
    }
    PhoneTemplates off = ActiveDefaultFormats();
    off.SetActive(false);
    PhoneTemplates none;
    none.SetActive(true);
    const Str number(u"123456");
    EXPECT_FALSE(off.TryFormat(number) || none.TryFormat(number));
}

TEST(PhoneTemplates, LoadSkipsBadTemplatesAndSaveRoundTrips) {
    TempDevice device;
    PhoneTemplates t;
    t.Load();
    EXPECT_EQ(std::pair(t.GetCount(), t.IsActive()), std::pair(6, false));  // nothing stored: the defaults
    EXPECT_FALSE(SettingsStore::FlushSection(settings::kTemplates));  // defaults are not written

    const std::vector<Str> stored = {u"##-##", u"", u"<#>", u"###[#]", Str(std::u16string(260, u'#')), u"# #"};
    ASSERT_TRUE(SettingsStore::WriteStringList(settings::kTemplates, stored));
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kTemplates, settings::kIsActiveTemplate, 1));
    ASSERT_TRUE(SettingsStore::WriteString(settings::kTemplates, settings::kIsIgnorePhoneFormat, u"1"));
    t.Load();
    ASSERT_EQ(t.GetCount(), 2);
    EXPECT_EQ(std::tuple(t.Template(0), t.SlotCount(0), t.Template(1)), std::tuple(Str(u"##-##"), 4, Str(u"# #")));
    EXPECT_EQ(std::pair(t.IsActive(), t.IgnoresHyphens()), std::pair(true, false));  // a text "1" is of the wrong type

    t.SetIgnoreHyphens(true);
    t.Remove(0);
    ASSERT_TRUE(t.Save());
    EXPECT_EQ(SettingsStore::ReadString(settings::kTemplates, u"1", u"gone"), u"gone");  // no stale second entry
    PhoneTemplates again;
    again.Load();
    EXPECT_EQ(std::tuple(again.GetCount(), again.IgnoresHyphens(), again.IsActive()), std::tuple(1, true, true));
}

}  // namespace
