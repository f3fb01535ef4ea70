#include <gtest/gtest.h>

#include <string>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "store/contact/Contact.h"

namespace {

PhoneTemplates Defaults(bool ignoreHyphens = false) {
    PhoneTemplates t = ActiveDefaultFormats();
    t.SetIgnoreHyphens(ignoreHyphens);
    return t;
}

struct FormatCase {
    const char16_t* number;
    bool ignoreHyphens;
    const char16_t* shown;  // null: unchanged
};

TEST(PhoneTemplates, DefaultsFormatNumbersWithoutLayout) {
    TempDevice device;
    const FormatCase cases[] = {
        {u"74951234567", false, u"+7 (495) 123-45-67"},
        {u"8005551234", false, u"800-555-1234"},
        {u"2125551234", false, u"212-5-55-12-34"},
        {u"212-555-1234", false, nullptr},
        {u"212-555-1234", true, u"212-5-55-12-34"},
        {u"555-1234", false, nullptr},
        {u"123456", false, u"12-34-56"},
        {u"1234567", false, nullptr},
        {u"(495)1234567", false, nullptr},
        {u"tel 123456 home", false, u"tel 12-34-56 home"},
        {u"no digits", false, nullptr},
    };
    for (const FormatCase& c : cases) {
        const PhoneTemplates t = Defaults(c.ignoreHyphens);
        Str number(c.number);
        EXPECT_EQ(t.Format(number), c.shown != nullptr) << number.ToUtf8();
        EXPECT_EQ(number, c.shown ? c.shown : c.number);
    }
}

TEST(PhoneTemplates, RunsAndTextAroundTheDigits) {
    TempDevice device;
    const struct {
        const char16_t* layout;
        const char16_t* number;
        const char16_t* shown;
    } cases[] = {
        // The template's own text in front and behind is added unless the number has it.
        {u"Tel.#-##ext", u"123", u"Tel. 1-23 ext"},
        {u"Tel.#-##ext", u"Tel.123ext", u"Tel.1-23ext"},
        // A number's opening run must be part of the template's.
        {u"+(#-##)", u"+(123)", u"+(1-23)"},
        {u"(#-##)", u"+123", nullptr},
        // Letters must stand in both middles, in any case.
        {u"#x##", u"1X23", u"1x23"},
        {u"#x##", u"1y23", nullptr},
        // As many "#" as digits: literal digits stay; as many slots: they are replaced.
        {u"##", u"12", u"12"},
        // Fewer digits than slots, or a fixed digit that differs: not this template.
        {u"8#-#", u"1", nullptr},
        {u"8##", u"912", nullptr},
    };
    for (const auto& c : cases) {
        PhoneTemplates t;
        t.Insert(0, c.layout);
        t.SetActive(true);
        Str number(c.number);
        EXPECT_EQ(t.Format(number), c.shown != nullptr) << Str(c.layout).ToUtf8();
        EXPECT_EQ(number, c.shown ? c.shown : c.number) << Str(c.layout).ToUtf8();
    }
}

TEST(PhoneTemplates, LongNumbersAndInactiveListsStayUnchanged) {
    TempDevice device;
    PhoneTemplates t;
    t.SetActive(true);
    t.Insert(0, Str(std::u16string(259, u'#')));
    Str fits(std::u16string(259, u'7'));
    EXPECT_TRUE(t.Format(fits));
    Str tooLong(std::u16string(260, u'7'));
    EXPECT_FALSE(t.Format(tooLong));
    EXPECT_EQ(tooLong, Str(std::u16string(260, u'7')));
    // A template whose text around the digits would make the result too long is not taken.
    PhoneTemplates wide;
    wide.SetActive(true);
    wide.Insert(0, Str(std::u16string(200, u'x') + u" ## " + std::u16string(58, u'y')));
    Str two(std::u16string(u"12"));
    EXPECT_FALSE(wide.Format(two));
    EXPECT_EQ(two, u"12");

    PhoneTemplates off = Defaults();
    off.SetActive(false);
    PhoneTemplates none;
    none.SetActive(true);
    Str number(u"123456");
    EXPECT_FALSE(off.Format(number) || none.Format(number));
}

TEST(PhoneTemplates, LoadSkipsBadTemplatesAndSaveRoundTrips) {
    TempDevice device;
    PhoneTemplates t;
    t.Load();
    EXPECT_EQ(t.GetCount(), 6);  // nothing stored: the defaults
    EXPECT_FALSE(t.IsActive());
    EXPECT_FALSE(SettingsStore::FlushSection(settings::kTemplates));  // defaults are not written

    const std::vector<Str> stored = {u"##-##", u"", u"<#>", u"###[#]", Str(std::u16string(260, u'#')), u"# #"};
    ASSERT_TRUE(SettingsStore::WriteStringList(settings::kTemplates, stored));
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kTemplates, settings::kIsActiveTemplate, 1));
    ASSERT_TRUE(SettingsStore::WriteString(settings::kTemplates, settings::kIsIgnorePhoneFormat, u"1"));
    t.Load();
    ASSERT_EQ(t.GetCount(), 2);
    EXPECT_EQ(std::tuple(t.Template(0), t.SlotCount(0), t.Template(1)), std::tuple(Str(u"##-##"), 4, Str(u"# #")));
    EXPECT_TRUE(t.IsActive());
    EXPECT_FALSE(t.IgnoresHyphens());  // a value of the wrong type reads as the default

    t.SetIgnoreHyphens(true);
    t.Remove(0);
    ASSERT_TRUE(t.Save());
    EXPECT_EQ(SettingsStore::ReadDword(settings::kTemplates, settings::kCount, 9), 1u);
    EXPECT_EQ(SettingsStore::ReadString(settings::kTemplates, u"0", u""), u"# #");
    EXPECT_EQ(SettingsStore::ReadString(settings::kTemplates, u"1", u"gone"), u"gone");
    PhoneTemplates again;
    again.Load();
    EXPECT_EQ(std::tuple(again.GetCount(), again.IgnoresHyphens(), again.IsActive()), std::tuple(1, true, true));
}

TEST(PhoneTemplates, FormatContactFormatsEveryPhoneOnly) {
    TempDevice device;
    Contact c;
    c.SetText(kFieldCompanyPhone, u"123456");
    c.SetText(kFieldNickname, u"123456");
    c.phones.Add({u"Dacha", u"8005551234"});
    const PhoneTemplates t = Defaults();
    t.FormatContact(c);
    EXPECT_EQ(std::tuple(c.GetText(kFieldCompanyPhone), c.GetText(kFieldNickname), c.phones[0].value),
              std::tuple(Str(u"12-34-56"), Str(u"123456"), Str(u"800-555-1234")));
}

}  // namespace
