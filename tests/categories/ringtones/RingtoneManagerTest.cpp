#include "categories/ringtones/RingtoneManager.h"

#include <gtest/gtest.h>

#include <map>

#include "categories/ringtones/CallerGroups.h"
#include "categories/ringtones/RingtoneBytes.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/Folders.h"
#include "platform/registry/Registry.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

using Map = std::map<std::u16string, std::u16string>;
constexpr std::u16string_view kSection = u"Software\\Velmora\\PIM\\Ringtone";
constexpr plat::Hive kHkcu = plat::Hive::CurrentUser;

Array<Str> Strs(std::initializer_list<std::u16string> texts) {
    Array<Str> out;
    for (const std::u16string& t : texts) out.Add(Str(t));
    return out;
}

class RingtoneManagerTest : public ::testing::Test {
protected:
    std::filesystem::path OldFile() { return device_.Host((DataFolder() + u"\\" + kRingtoneFileName).View()); }
    void WriteOldFile(const std::vector<uint8_t>& bytes) { ASSERT_TRUE(WriteHostFile(OldFile(), bytes)); }
    // The section's text values.
    Map Section() {
        Map values;
        for (const auto& [name, value] : plat::DeviceRegistry().Values(kHkcu, kSection)) {
            values[name] = value.AsString().value_or(u"<not text>");
        }
        return values;
    }
    Map Ringtones(const RingtoneManager& manager, std::initializer_list<std::u16string> names) {
        Array<Str> paths;
        manager.RingtonesFor(Strs(names), paths);
        Map found;
        for (int i = 0; const std::u16string& name : names) found[name] = paths[i++].View();
        return found;
    }
    static std::u16string Name(uint32_t id) { return std::u16string(RequireStr(id).View()); }

    TempDevice device_;
};

}  // namespace

// The old file is imported once and deleted, whether it could be used or not.
TEST_F(RingtoneManagerTest, FirstLoadImportsTheOldFileAndDeletesIt) {
    const struct {
        std::vector<uint8_t> bytes;
        Map section;
    } cases[] = {
        {RingtoneBytes()
             .Record(Name(kStrDefaultRingtone), u"\\ring.wav")
             .Record(Name(kStrNoNumber), u"\\private.wav")
             .Record(u"Work", u"\\work.wav")
             .Bytes(),
         {{u"#DEFAULT#", u"\\ring.wav"}, {u"#NOPHONE#", u"\\private.wav"}, {u"Work", u"\\work.wav"}}},
        {RingtoneBytes(0x12345678).Record(u"Work", u"\\a.wav").Bytes(), {}},  // a foreign magic
        {{}, {}},
    };
    for (const auto& c : cases) {
        (void)plat::DeviceRegistry().DeleteKey(kHkcu, kSection);  // there may be none yet
        WriteOldFile(c.bytes);
        RingtoneManager manager;
        manager.Load();
        EXPECT_FALSE(std::filesystem::exists(OldFile()));
        EXPECT_EQ(Section(), c.section);
    }
}

TEST_F(RingtoneManagerTest, ForeignValuesAreSkippedAndStopTheImport) {
    plat::Registry& registry = plat::DeviceRegistry();
    ASSERT_TRUE(registry.SetValue(kHkcu, kSection, u"Odd", plat::RegValue::Dword(7)));
    ASSERT_TRUE(registry.SetValue(kHkcu, kSection, std::u16string(513, u'k'), plat::RegValue::String(u"\\a.wav")));
    ASSERT_TRUE(registry.SetValue(kHkcu, kSection, u"Long", plat::RegValue::String(std::u16string(260, u'p'))));
    ASSERT_TRUE(registry.SetValue(kHkcu, kSection, u"Home", plat::RegValue::String(std::u16string(259, u'p'))));
    WriteOldFile(RingtoneBytes().Record(u"Work", u"\\a.wav").Bytes());
    RingtoneManager manager;
    manager.Load();
    ASSERT_EQ(manager.Keys().GetSize(), 1);
    EXPECT_EQ(manager.Keys()[0], u"Home");
    EXPECT_TRUE(std::filesystem::exists(OldFile()));  // the section was not empty: no import, the file stays
}

TEST_F(RingtoneManagerTest, SetRingtonesReplacesEverythingAndRenamedCategoriesLoseTheirs) {
    RingtoneManager manager;
    manager.Load();
    ASSERT_TRUE(manager.SetRingtones(Strs({Name(kStrNoCategory), u"Work", u"Home", u"Work"}),
                                     Strs({u"\\nocat.wav", u"\\old.wav", u"", u"\\work.wav"})));
    EXPECT_EQ(Section(), (Map{{u"#NOCAT#", u"\\nocat.wav"}, {u"Work", u"\\work.wav"}}));
    ASSERT_TRUE(manager.SetRingtones(Strs({u"Office"}), Strs({u"\\office.wav"})));
    RingtoneManager reloaded;
    reloaded.Load();
    EXPECT_EQ(Ringtones(reloaded, {u"Office", u"Office 2", u"Work"}),
              (Map{{u"Office", u"\\office.wav"}, {u"Office 2", u""}, {u"Work", u""}}));
}
