// param.tmp byte for byte, its size limit, its deletion, and a link planted at its name.
#include <gtest/gtest.h>

#include "core/startup/CommandLine.h"
#include "core/startup/SwitchText.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

class SwitchText : public ::testing::Test {
protected:
    TempDevice device_;
    std::filesystem::path file_ = device_.Host(u"\\Program Files\\Brevane\\param.tmp");
};

TEST_F(SwitchText, StoredAsUtf16WithOneNulAndTakenOnce) {
    ASSERT_TRUE(StoreSwitchText(u"Aé"));
    EXPECT_EQ(ReadHostBytes(file_), (std::vector<uint8_t>{'A', 0, 0xE9, 0, 0, 0}));
    Str text(u"old");
    EXPECT_TRUE(TakeSwitchText(text));
    EXPECT_EQ(text.View(), u"Aé");
    EXPECT_FALSE(std::filesystem::exists(file_));
    EXPECT_FALSE(TakeSwitchText(text));
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(SwitchText, ParsingKeepsTheCaseOfTheText) {
    CommandSwitch parsed;
    ASSERT_TRUE(ParseCommandLine(u"n John Smith", parsed));
    EXPECT_EQ(parsed.letter, u'n');
    Str text;
    ASSERT_TRUE(TakeSwitchText(text));
    EXPECT_EQ(text.View(), u"John Smith");
}

TEST_F(SwitchText, SizeLimitAndMissingTerminator) {
    const std::pair<size_t, bool> sizes[] = {{508, true}, {509, true}, {510, false}, {4096, false}};
    for (const auto& [size, read] : sizes) {
        SCOPED_TRACE(size);
        WriteHostFile(file_, std::vector<uint8_t>(size, 'x'));
        Str text;
        EXPECT_TRUE(TakeSwitchText(text));
        EXPECT_EQ(text.GetLength(), read ? static_cast<int>(size / 2) : 0);
        EXPECT_FALSE(std::filesystem::exists(file_));
    }
}

TEST_F(SwitchText, LinkAtTheNameIsReplacedNeverFollowed) {
    const std::filesystem::path target = device_.Root() / "victim.txt";
    WriteHostFile(target, {'k', 'e', 'e', 'p'});
    std::filesystem::create_symlink(target, file_);
    Str text;
    EXPECT_FALSE(TakeSwitchText(text));  // a link is not read
    ASSERT_TRUE(StoreSwitchText(u"n"));
    EXPECT_FALSE(std::filesystem::is_symlink(file_));
    EXPECT_EQ(ReadHostBytes(target), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_TRUE(TakeSwitchText(text));
    EXPECT_EQ(text.View(), u"n");
}

}  // namespace
