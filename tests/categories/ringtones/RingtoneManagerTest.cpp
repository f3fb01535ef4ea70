#include "categories/ringtones/RingtoneManager.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "categories/ringtones/CallerGroups.h"
#include "categories/ringtones/RingtoneBytes.h"
#include "core/settings/Folders.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

namespace {

constexpr std::u16string_view kSection = u"Software\\Velmora\\PIM\\Ringtone";

class RingtoneManagerTest : public ::testing::Test {
protected:
    plat::Registry& Registry() { return plat::DeviceRegistry(); }

    std::filesystem::path OldFile() { return device_.Host((DataFolder() + u"\\" + kRingtoneFileName).View()); }
    void WriteOldFile(const std::vector<uint8_t>& bytes) {
        std::ofstream(OldFile(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          static_cast<std::streamsize>(bytes.size()));
    }
    // The section as value name -> text (other types as "<type N>").
    std::map<std::u16string, std::u16string> Section() {
        std::map<std::u16string, std::u16string> values;
        for (const auto& [name, value] : Registry().Values(plat::Hive::CurrentUser, kSection)) {
            values[name] = value.AsString().value_or(u"<type " + std::u16string(1, u'0' + value.type) + u">");
        }
        return values;
    }
    Str Name(uint32_t id) {
        Str text;
        text.LoadString(id);
        return text;
    }

    TempDevice device_;
};

Array<Str> Strs(std::initializer_list<const char16_t*> texts) {
    Array<Str> out;
    for (const char16_t* t : texts) out.Add(Str(t));
    return out;
}

std::vector<std::u16string> Vec(const Array<Str>& texts) {
    std::vector<std::u16string> out;
    for (const Str& t : texts) out.emplace_back(t.View());
    return out;
}

}  // namespace

TEST_F(RingtoneManagerTest, FirstLoadImportsTheOldFileOnceAndDeletesIt) {
    WriteOldFile(RingtoneBytes()
                     .Record(Name(kStrDefaultRingtone).View().data(), u"\\Windows\\ring.wav")
                     .Record(Name(kStrNoNumber).View().data(), u"\\Windows\\private.wav")
                     .Record(u"Work", u"\\My Documents\\work.wav")
                     .Bytes());
    RingtoneManager manager;
    manager.Load();
    EXPECT_FALSE(std::filesystem::exists(OldFile()));
    EXPECT_EQ(Section(), (std::map<std::u16string, std::u16string>{{u"#DEFAULT#", u"\\Windows\\ring.wav"},
                                                                 {u"#NOPHONE#", u"\\Windows\\private.wav"},
                                                                 {u"Work", u"\\My Documents\\work.wav"}}));

    // A file that turns up again is not read while the section holds values.
    WriteOldFile(RingtoneBytes().Record(u"Home", u"\\home.wav").Bytes());
    RingtoneManager again;
    again.Load();
    EXPECT_TRUE(std::filesystem::exists(OldFile()));
    Array<Str> paths;
    again.RingtonesFor(Strs({u"Work", u"Home", Name(kStrDefaultRingtone).c_str()}), paths);
    EXPECT_EQ(Vec(paths), (std::vector<std::u16string>{u"\\My Documents\\work.wav", u"", u"\\Windows\\ring.wav"}));
}

TEST_F(RingtoneManagerTest, UnusableOldFilesAreDeletedWithoutImporting) {
    for (const auto& bytes : {RingtoneBytes(0x12345678).Record(u"Work", u"\\a.wav").Bytes(),
                              RingtoneBytes().Record(u"", u"\\a.wav").Bytes(), std::vector<uint8_t>{}}) {
        WriteOldFile(bytes);
        RingtoneManager manager;
        manager.Load();
        EXPECT_FALSE(std::filesystem::exists(OldFile()));
        EXPECT_TRUE(manager.Keys().IsEmpty());
        EXPECT_TRUE(Section().empty());
    }
}

TEST_F(RingtoneManagerTest, ForeignValuesAreSkippedAndStopTheImport) {
    ASSERT_TRUE(Registry().SetValue(plat::Hive::CurrentUser, kSection, u"Odd", plat::RegValue::Dword(7)));
    ASSERT_TRUE(Registry().SetValue(plat::Hive::CurrentUser, kSection, std::u16string(513, u'k'),
                                    plat::RegValue::String(u"\\long-name.wav")));
    ASSERT_TRUE(Registry().SetValue(plat::Hive::CurrentUser, kSection, u"Long path",
                                    plat::RegValue::String(std::u16string(260, u'p'))));
    ASSERT_TRUE(Registry().SetValue(plat::Hive::CurrentUser, kSection, u"Home",
                                    plat::RegValue::String(std::u16string(259, u'p'))));
    WriteOldFile(RingtoneBytes().Record(u"Work", u"\\a.wav").Bytes());
    RingtoneManager manager;
    manager.Load();
    EXPECT_EQ(Vec(manager.Keys()), (std::vector<std::u16string>{u"Home"}));
    EXPECT_TRUE(std::filesystem::exists(OldFile()));  // the section was not empty: no import
}

TEST_F(RingtoneManagerTest, SetRingtonesReplacesEverythingAndRenamedCategoriesLoseTheirs) {
    RingtoneManager manager;
    manager.Load();
    ASSERT_TRUE(manager.SetRingtones(Strs({Name(kStrNoCategory).c_str(), u"Work", u"Home", u"Work"}),
                                     Strs({u"\\nocat.wav", u"\\old.wav", u"", u"\\work.wav"})));
    EXPECT_EQ(Section(), (std::map<std::u16string, std::u16string>{{u"#NOCAT#", u"\\nocat.wav"},
                                                                 {u"Work", u"\\work.wav"}}));
    ASSERT_TRUE(manager.SetRingtones(Strs({u"Office"}), Strs({u"\\office.wav"})));
    EXPECT_EQ(Section(), (std::map<std::u16string, std::u16string>{{u"Office", u"\\office.wav"}}));

    RingtoneManager reloaded;
    reloaded.Load();
    Array<Str> paths;
    reloaded.RingtonesFor(Strs({u"Office", u"Office 2"}), paths);  // "Office" renamed "Office 2"
    EXPECT_EQ(Vec(paths), (std::vector<std::u16string>{u"\\office.wav", u""}));
}

TEST_F(RingtoneManagerTest, SystemRingtoneFallsBackPastEmptyAndStarredValues) {
    constexpr std::u16string_view kSounds = u"ControlPanel\\Sounds\\RingTone0";
    struct Case {
        std::optional<plat::RegValue> sound, saved;
        const char16_t* expected;
    };
    const Case cases[] = {
        {plat::RegValue::String(u"\\Windows\\a.wav"), plat::RegValue::String(u"\\b.wav"), u"\\Windows\\a.wav"},
        {plat::RegValue::String(u"*none*"), plat::RegValue::String(u"\\b.wav"), u"\\b.wav"},
        {plat::RegValue::String(u""), plat::RegValue::String(u"*x"), u"Windows Default .wav"},
        {plat::RegValue::Dword(3), std::nullopt, u"Windows Default .wav"},
        {std::nullopt, std::nullopt, u"Windows Default .wav"},
    };
    for (const Case& c : cases) {
        Registry().DeleteKey(plat::Hive::CurrentUser, kSounds);
        if (c.sound) Registry().SetValue(plat::Hive::CurrentUser, kSounds, u"Sound", *c.sound);
        if (c.saved) Registry().SetValue(plat::Hive::CurrentUser, kSounds, u"SavedSound", *c.saved);
        EXPECT_EQ(RingtoneManager::SystemRingtone(), c.expected);
    }
}
