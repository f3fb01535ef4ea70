#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/locale/Locale.h"
#include "platform/text/Utf.h"
#include "support/TempDevice.h"

namespace {

std::vector<std::u16string> Sorted(std::vector<std::u16string> names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const std::u16string& a, const std::u16string& b) { return plat::CompareText(a, b) < 0; });
    return names;
}

std::string Utf8(const std::u16string& text) { return plat::ToUtf8(text); }

}  // namespace

TEST(Locale, NamesSortInTheDeviceLocalesOrder) {
    TempDevice device;
    const struct {
        const char* locale;
        std::vector<std::u16string> expected;
    } cases[] = {
        {"en_US", {u"alice", u"Alice", u"\u00c9mile", u"Emma", u"zoe", u"Zoe"}},
        {"de_DE", {u"Abend", u"\u00c4rger", u"Bauer", u"\u00d6l", u"Ost", u"Zahl"}},
        {"sv_SE", {u"Abend", u"Bauer", u"Zahl", u"\u00c4rger", u"\u00d6l"}},
        {"ru_RU", {u"\u0414\u0438\u043c\u0430", u"\u0415\u043b\u0435\u043d\u0430", u"\u0401\u043b\u043a\u0430",
                   u"\u0416\u0430\u043d\u043d\u0430", u"Anna"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(plat::SetDeviceLocale(c.locale));
        EXPECT_EQ(plat::LocaleName(), c.locale);
        std::vector<std::u16string> shuffled(c.expected.rbegin(), c.expected.rend());
        const auto sorted = Sorted(shuffled);
        for (size_t i = 0; i < sorted.size(); ++i) EXPECT_EQ(Utf8(sorted[i]), Utf8(c.expected[i])) << c.locale << " " << i;
    }
    {
        TempDevice other({true, "pl_PL"});  // a new current device is read afresh
        EXPECT_EQ(plat::LocaleName(), "pl_PL");
    }
    EXPECT_EQ(plat::LocaleName(), "ru_RU");
}
