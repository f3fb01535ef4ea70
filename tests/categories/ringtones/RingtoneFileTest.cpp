#include "categories/ringtones/RingtoneFile.h"

#include <gtest/gtest.h>

#include "categories/ringtones/RingtoneBytes.h"

namespace {

using Records = std::vector<std::pair<std::u16string, std::u16string>>;

Records Flat(const std::vector<RingtoneRecord>& records) {
    Records flat;
    for (const RingtoneRecord& r : records) flat.emplace_back(r.name.View(), r.path.View());
    return flat;
}

}  // namespace

TEST(RingtoneFile, ReadsTheExactLayout) {
    // Written out byte by byte once, so the layout itself is pinned and not only the builder.
    const std::vector<uint8_t> bytes = {
        'R', 'G', 'T', 'N', 1, 0, 1, 0,     // magic, version 1, one record
        2, 0, 'W', 0, 'k', 0, 0, 0,         // name "Wk" and its terminator
        1, 0, 'a', 0, 0, 0,                 // path "a" and its terminator
    };
    const auto records = ParseRingtoneFile(bytes);
    ASSERT_TRUE(records);
    EXPECT_EQ(Flat(*records), (Records{{u"Wk", u"a"}}));
}

TEST(RingtoneFile, DamagedFilesKeepWhatCameBeforeTheDamage) {
    const std::u16string longest(kRingtoneFileMaxLength, u'x');
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::optional<Records> expected;
    };
    const std::vector<Case> cases = {
        {"two records", RingtoneBytes().Record(u"Work", u"\\a.wav").Record(u"Home", u"\\b.wav").Bytes(),
         Records{{u"Work", u"\\a.wav"}, {u"Home", u"\\b.wav"}}},
        {"wrong magic", RingtoneBytes(0x4E544753).Record(u"Work", u"\\a.wav").Bytes(), std::nullopt},
        {"version 2", RingtoneBytes(kRingtoneFileMagic, 2).Record(u"Work", u"\\a.wav").Bytes(), std::nullopt},
        {"count 0", RingtoneBytes().Record(u"Work", u"\\a.wav").Count(0).Bytes(), std::nullopt},
        {"header cut", {'R', 'G', 'T', 'N', 1, 0, 1}, std::nullopt},
        {"empty file", {}, std::nullopt},
        {"length 259 is kept", RingtoneBytes().Record(longest, longest).Bytes(), Records{{longest, longest}}},
        {"name length 260 ends the reading",
         RingtoneBytes().Record(u"Work", u"\\a.wav").Record(longest + u"x", u"\\b.wav").Record(u"C", u"c").Bytes(),
         Records{{u"Work", u"\\a.wav"}}},
        {"path length 260 ends the reading",
         RingtoneBytes().Record(u"Work", u"\\a.wav").Record(u"Home", longest + u"x").Bytes(),
         Records{{u"Work", u"\\a.wav"}}},
        {"cut inside the second path",
         RingtoneBytes().Record(u"Work", u"\\a.wav").Record(u"Home", u"\\b.wav").Cut(3).Bytes(),
         Records{{u"Work", u"\\a.wav"}}},
        {"cut before the second path's length",
         RingtoneBytes().Record(u"Work", u"\\a.wav").Record(u"Home", u"").Cut(3).Bytes(),
         Records{{u"Work", u"\\a.wav"}}},
        {"count larger than the records", RingtoneBytes().Record(u"Work", u"\\a.wav").Count(5).Bytes(),
         Records{{u"Work", u"\\a.wav"}}},
        {"count smaller than the records",
         RingtoneBytes().Record(u"Work", u"\\a.wav").Record(u"Home", u"\\b.wav").Count(1).Bytes(),
         Records{{u"Work", u"\\a.wav"}}},
        {"empty name or path skipped",
         RingtoneBytes().Record(u"", u"\\a.wav").Record(u"Home", u"").Record(u"Club", u"\\c.wav").Bytes(),
         Records{{u"Club", u"\\c.wav"}}},
        {"text ends at a NUL", RingtoneBytes().Record(std::u16string(u"Wo\0rk", 5), u"\\a.wav").Bytes(),
         Records{{u"Wo", u"\\a.wav"}}},
        {"a NUL first makes the name empty",
         RingtoneBytes().Record(std::u16string(u"\0rk", 3), u"\\a.wav").Bytes(), Records{}},
    };
    for (const Case& c : cases) {
        const auto records = ParseRingtoneFile(c.bytes);
        ASSERT_EQ(records.has_value(), c.expected.has_value()) << c.what;
        if (records) {
            EXPECT_EQ(Flat(*records), *c.expected) << c.what;
        }
    }
}
