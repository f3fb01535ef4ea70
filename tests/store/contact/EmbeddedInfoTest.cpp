#include "store/contact/EmbeddedInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "store/contact/ContactRecordFormat.h"
#include "store/contact/Crc32.h"
#include "store/contact/CustPropsCodec.h"
#include "store/contact/Samples.h"

namespace {

const std::vector<uint8_t> kNote = {'H', 0, 'i', 0, '!', 0};

uint32_t Word(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

std::vector<uint8_t> Bytes(const ByteBlock& block) {
    return {block.Bytes().begin(), block.Bytes().end()};
}

}  // namespace

TEST(EmbeddedInfo, BlockFollowsTheNoteByteForByte) {
    const std::string_view check = "123456789";  // the checksum is the standard CRC-32
    ASSERT_EQ(Crc32({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0xCBF43926u);
    const ContactCustProps values = SampleCustProps();
    const auto record = EncodeCustProps(values);
    const auto property = JoinNoteProperty(kNote, values);
    ASSERT_EQ(property.size(), kNote.size() + 2 + record.size() + 20);
    EXPECT_TRUE(std::equal(kNote.begin(), kNote.end(), property.begin()));
    EXPECT_EQ(property[6], 0);  // the NUL unit that ends the note for text readers
    EXPECT_EQ(property[7], 0);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), property.begin() + 8));
    const size_t footer = property.size() - 20;
    EXPECT_EQ(Word(property, footer), record.size());
    EXPECT_EQ(Word(property, footer + 4), Crc32(record));
    EXPECT_EQ(Word(property, footer + 8), 1u);
    const std::vector<uint8_t> tag(property.begin() + static_cast<long>(footer) + 12, property.end());
    EXPECT_EQ(tag, (std::vector<uint8_t>{0x00, 'B', 'R', 'V', 'I', 'N', 'F', 0x1A}));

    EXPECT_EQ(JoinNoteProperty(kNote, ContactCustProps()), kNote);  // nothing to keep: no block
    ContactCustProps formatsOnly;
    formatsOnly.workAddressFormat = 41057;  // a format alone is worth keeping
    EXPECT_GT(JoinNoteProperty(kNote, formatsOnly).size(), kNote.size() + 56);
}

// A joined property splits back into its note and values; a property without a block of ours
// (empty, a plain note, a tag that differs in its last byte) is all note and leaves no values.
TEST(EmbeddedInfo, SplitRecoversNoteAndValuesAndPlainNotesAreAllNote) {
    const ContactCustProps values = SampleCustProps();
    for (const auto& note : {kNote, std::vector<uint8_t>{}}) {
        ContactCustProps read;
        read.categories.Add(3);
        const NoteProperty parts = SplitNoteProperty(JoinNoteProperty(note, values), read);
        EXPECT_EQ(parts.state, EmbeddedState::Valid);
        EXPECT_EQ(Bytes(parts.note), note);
        ContactCustProps expected = values;
        expected.categories.Add(3);
        EXPECT_TRUE(read.Equals(expected));
    }
    std::vector<uint8_t> almost = JoinNoteProperty(kNote, values);
    almost.back() ^= 1;
    for (const auto& property : {std::vector<uint8_t>{}, kNote, almost}) {
        ContactCustProps read = values;
        const NoteProperty parts = SplitNoteProperty(property, read);
        EXPECT_EQ(std::pair(parts.state, Bytes(parts.note)), std::pair(EmbeddedState::None, property));
        EXPECT_TRUE(read.ListsEmpty());  // values of an earlier contact do not linger
    }
}

TEST(EmbeddedInfo, DamagedBlocksAreIgnoredAndTheNoteKept) {
    const ContactCustProps values = SampleCustProps();
    const auto good = JoinNoteProperty(kNote, values);
    const size_t footer = good.size() - 20;
    const size_t recordLength = good.size() - 20 - 2 - kNote.size();
    struct Case {
        const char* name;
        size_t at;       // byte to change
        uint32_t word;   // written as a word at `at` unless `flip`
        bool flip;
        size_t noteLength;  // what is left as the note
    };
    const Case cases[] = {
        {"separator not NUL", kNote.size() + 1, 0, true, kNote.size()},
        {"checksum wrong", footer + 4, 0, true, kNote.size()},
        {"length beyond the property", footer, 0x7FFFFFFF, false, footer},
        {"length one short", footer, static_cast<uint32_t>(recordLength - 1), false, kNote.size() + 1},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> property = good;
        if (c.flip) property[c.at] ^= 0x40;
        else std::memcpy(property.data() + c.at, &c.word, 4);
        ContactCustProps read;
        const NoteProperty parts = SplitNoteProperty(property, read);
        EXPECT_EQ(parts.state, EmbeddedState::Damaged) << c.name;
        EXPECT_TRUE(read.NothingToStore()) << c.name;
        EXPECT_EQ(Bytes(parts.note), std::vector<uint8_t>(property.begin(), property.begin() + static_cast<long>(c.noteLength)))
            << c.name;
    }
}
