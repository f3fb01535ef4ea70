#include "categories/ringtones/RingtoneFile.h"

#include <gtest/gtest.h>

#include "categories/ringtones/RingtoneBytes.h"

namespace {

using Records = std::vector<std::pair<std::u16string, std::u16string>>;

std::optional<Records> Parse(const std::vector<uint8_t>& bytes) {
    const auto records = ParseRingtoneFile(bytes);
    if (!records) return std::nullopt;
    Records flat;
    for (const RingtoneRecord& r : *records) flat.emplace_back(r.name.View(), r.path.View());
    return flat;
}

}  // namespace

TEST(RingtoneFile, ReadsTheExactLayout) {
    const std::vector<uint8_t> bytes = {'R', 'G', 'T', 'N', 1, 0, 1, 0,  // magic, version 1, one record
                                        2, 0, 'W', 0, 'k', 0, 0, 0,     // name "Wk" and its NUL
                                        1, 0, 'a', 0, 0, 0};            // path "a" and its NUL
    EXPECT_EQ(Parse(bytes), (Records{{u"Wk", u"a"}}));
    EXPECT_EQ(RingtoneBytes().Record(u"Wk", u"a").Bytes(), bytes);
}

TEST(RingtoneFile, DamagedFilesKeepWhatCameBeforeTheDamage) {
    const std::u16string longest(kRingtoneFileMaxLength, u'x');
    const RingtoneBytes two = RingtoneBytes().Record(u"Work", u"\\a.wav").Record(u"Home", u"\\b.wav");
    const Records first = {{u"Work", u"\\a.wav"}};
    struct Case { const char* what; std::vector<uint8_t> bytes; std::optional<Records> expected; };
    const std::vector<Case> cases = {
        {"wrong magic", RingtoneBytes(0x4E544753).Record(u"Work", u"\\a.wav").Bytes(), std::nullopt},
        {"version 2", RingtoneBytes(kRingtoneFileMagic, 2).Record(u"Work", u"\\a.wav").Bytes(), std::nullopt},
        {"count 0", RingtoneBytes().Record(u"Work", u"\\a.wav").Count(0).Bytes(), std::nullopt},
        {"header cut", RingtoneBytes().Cut(1), std::nullopt},
        {"length 259", RingtoneBytes().Record(longest, longest).Bytes(), Records{{longest, longest}}},
        {"name length 260", RingtoneBytes(two).Record(longest + u"x", u"c").Record(u"C", u"c").Bytes(),
         Records{{u"Work", u"\\a.wav"}, {u"Home", u"\\b.wav"}}},
        {"cut inside a path", two.Cut(3), first},
        {"count below the records", RingtoneBytes(two).Count(1).Bytes(), first},
        {"empty name or path", RingtoneBytes().Record(u"", u"\\a").Record(u"B", u"").Record(u"C", u"\\c").Bytes(),
         Records{{u"C", u"\\c"}}},
        {"text ends at a NUL", RingtoneBytes().Record(std::u16string(u"Wo\0rk", 5), u"\\a.wav").Bytes(),
         Records{{u"Wo", u"\\a.wav"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Parse(c.bytes), c.expected) << c.what;
}
