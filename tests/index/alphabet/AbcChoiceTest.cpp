#include <gtest/gtest.h>

#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/alphabet/AbcResources.h"
#include "platform/locale/Locale.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

TEST(AbcChoice, StoredTypeInRangeWinsElseTheUserLanguageDecides) {
    const struct { uint32_t setting; uint16_t language; int type; } cases[] = {
        {0, 0x0419, 0}, {4, 0x0409, 4},          {7, 0x0419, 2}, {0xFFFFFFFF, 0x0807, 4},
        {5, 0x0415, 1}, {5, 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveAbcType(c.setting, c.language), c.type) << c.setting << " " << c.language;
    }
}

TEST(AbcChoice, BuiltInResourcesParseToEightGroups) {
    for (uint32_t id : {kAbcResEnglish, kAbcResRussian, kAbcResEnglishRussian, kAbcResGerman, kAbcResPolish}) {
        const auto text = DecodeAbcResource(FindAbcResource(id));
        AbcDefinition d;
        ASSERT_TRUE(text && ParseAbcDefinition(*text, d)) << id;
        EXPECT_EQ(d.GroupCount(), 8) << id;
    }
    EXPECT_TRUE(FindAbcResource(197).empty());
}

TEST(AbcChoice, ResourceBytesNeedTheMarkAndFourBytes) {
    const struct { std::vector<uint8_t> bytes; bool ok; std::u16string text; } cases[] = {
        {{0xFF, 0xFE, 0x41}, false, u""},
        {{0xFE, 0xFF, 0x00, 0x41}, false, u""},
        {{0xFF, 0xFE, 0x41, 0x00}, true, u"A"},
        {{0xFF, 0xFE, 0x41, 0x00, 0x2F}, true, u"A"},
        {{0xFF, 0xFE, 0x10, 0x04, 0x2F, 0x00}, true, u"А/"},
    };
    for (const auto& c : cases) {
        const auto text = DecodeAbcResource(c.bytes);
        EXPECT_EQ(text.has_value(), c.ok) << c.bytes.size();
        if (text) {
            EXPECT_EQ(*text, c.text);
        }
    }
}

TEST(AbcChoice, UnusableChoiceFallsBackToEnglish) {
    const struct { int type; std::u16string custom; std::u16string firstLabel; } cases[] = {
        {kAbcCustom, u"12/12 34/34", u"12"},
        {kAbcCustom, u"garbage", u"ABC"},
        {kAbcGerman, u"", u"ABC"},
        {kAbcRussian, u"", u"АБВГ"},
        {-1, u"", u"ABC"},
    };
    for (const auto& c : cases) {
        const AbcDefinition d = LoadAbcDefinition(c.type, c.custom);
        ASSERT_GT(d.GroupCount(), 0) << c.type;
        EXPECT_EQ(d.labels[0], c.firstLabel) << c.type;
    }
    const AbcDefinition german = LoadAbcDefinition(kAbcGerman, {});
    EXPECT_GE(german.groups[0].Find(u'Ä'), 0);
    EXPECT_GE(german.groups[5].Find(u'ß'), 0);
}

TEST(AbcChoice, SettingsChooseTheTableOfTheDevice) {
    TempDevice::Options ru;
    ru.locale = "ru_RU";
    TempDevice device(ru);
    // No "Type": the Russian user language chooses the Russian alphabet.
    ReloadAbcGroupTable();
    EXPECT_EQ(AbcGroupTable::Instance().Group(0), u"абвг");

    // A custom text stored as UTF-16 units without terminator.
    ASSERT_TRUE(SettingsStore::WriteBinary(settings::kAbc, settings::kAbcCustom, Utf16Bytes(u"XY/xy Z/z")));
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kAbc, settings::kAbcType, kAbcCustom));
    ReloadAbcGroupTable();
    EXPECT_EQ(AbcGroupTable::Instance().GroupCount(), 2);
    EXPECT_EQ(AbcGroupTable::Instance().GroupKey(u"yz"), u"xz");

    // A "Type" stored as text counts as missing.
    ASSERT_TRUE(SettingsStore::WriteString(settings::kAbc, settings::kAbcType, u"1"));
    EXPECT_EQ(LoadChosenAbcDefinition().labels[0], u"АБВГ");
}

}  // namespace
