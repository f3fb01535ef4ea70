// The further values' record and the block that carries it behind the note.
#include "store/contact/CustPropsCodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "store/contact/ContactRecordFormat.h"
#include "store/contact/Crc32.h"
#include "store/contact/EmbeddedInfo.h"
#include "store/contact/Samples.h"
#include "support/HostFiles.h"

namespace {

uint32_t Word(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

void SetWord(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

std::vector<uint8_t> Bytes(const ByteBlock& block) { return {block.Bytes().begin(), block.Bytes().end()}; }

const std::vector<uint8_t> kNote = {'H', 0, 'i', 0, '!', 0};

// An entry of the record: its length word, `head`, then each text with its terminating NUL,
// zero-filled to the length.
std::vector<uint8_t> Entry(uint8_t length, std::vector<uint8_t> head, std::initializer_list<std::u16string> texts) {
    std::vector<uint8_t> entry;
    entry.reserve(length);  // one allocation for the whole entry
    entry.insert(entry.end(), {length, 0, 0, 0});
    entry.insert(entry.end(), head.begin(), head.end());
    for (const std::u16string& text : texts) {
        const auto units = Utf16Bytes(text + u'\0');
        entry.insert(entry.end(), units.begin(), units.end());
    }
    entry.resize(length, 0);
    return entry;
}

// Values with the four format words and one entry in the named section only.
ContactCustProps OneEntry(int section) {
    ContactCustProps v;
    v.homeAddressFormat = 1;
    v.workAddressFormat = 2;
    v.otherAddressFormat = 3;
    v.fourthFormat = 4;
    switch (section) {
    case custrec::kPhones: v.phones.Add({u"Work", u"123"}); break;
    case custrec::kAddresses: v.addresses.Add({9, u"L", u"S", u"", u"C", u"", u"XY"}); break;
    case custrec::kDates: v.dates.Add({u"Day", 0x0102030405060708ull}); break;
    default: break;
    }
    return v;
}

}  // namespace

TEST(CustPropsCodec, EntryLayoutsAreExact) {
    const struct {
        int section;
        std::vector<uint8_t> entry;  // expected bytes of the one entry
    } cases[] = {
        {-1, {}},  // no entries: the 56-byte header alone
        // two texts: (4 + 3) * 2 + 13 = 27, rounded down to 24
        {custrec::kPhones, Entry(24, {}, {u"Work", u"123"})},
        // address: (1 + 1 + 0 + 1 + 0 + 2) * 2 + 45 = 55 -> 52; the format, the offsets of the five
        // texts after the label, then the texts from byte 28
        {custrec::kAddresses, Entry(52, {9, 0, 0, 0, 32, 0, 0, 0, 36, 0, 0, 0, 38, 0, 0, 0, 42, 0, 0, 0, 44, 0, 0, 0},
                                    {u"L", u"S", u"", u"C", u"", u"XY"})},
        // date: 3 * 2 + 19 = 25 -> 24; low word, high word, text at 12
        {custrec::kDates, Entry(24, {8, 7, 6, 5, 4, 3, 2, 1}, {u"Day"})},
    };
    for (const auto& c : cases) {
        const auto bytes = EncodeCustProps(OneEntry(c.section));
        ASSERT_EQ(bytes.size(), 56 + c.entry.size()) << "section " << c.section;
        // The header: length, the fourth format word, then the home, work and other formats.
        const std::vector<uint32_t> header = {Word(bytes, 0), Word(bytes, 4), Word(bytes, 8), Word(bytes, 12),
                                              Word(bytes, 16)};
        EXPECT_EQ(header, (std::vector<uint32_t>{static_cast<uint32_t>(bytes.size()), 4, 1, 2, 3}));
        for (int s = 0; s < 9; ++s) {
            EXPECT_EQ(Word(bytes, 20 + 4 * static_cast<size_t>(s)), s <= c.section ? 56u : bytes.size())
                << "section start " << s;
        }
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 56, bytes.end()), c.entry)
            << "section " << c.section;
    }
}

TEST(CustPropsCodec, DamagedRecordsAreRefusedAndChangeNothing) {
    const auto good = EncodeCustProps(SampleCustProps());
    const size_t firstEntry = 56;
    using Edit = void (*)(std::vector<uint8_t>&, size_t);
    struct Case {
        const char* name;
        Edit edit;
        RecordError error;
        int section;
    };
    const Case cases[] = {
        {"shorter than the header", [](auto& b, size_t) { b.resize(40); },
         RecordError::TooShort, -1},
        {"length word too big", [](auto& b, size_t) { SetWord(b, 0, Word(b, 0) + 4); },
         RecordError::LengthMismatch, -1},
        {"section before the previous", [](auto& b, size_t) { SetWord(b, 28, 56); },
         RecordError::BadSectionTable, -1},
        {"text without its NUL", [](auto& b, size_t e) {
             const size_t end = e + Word(b, e);
             for (size_t i = e + 4; i < end; ++i) b[i] = 'z';
         }, RecordError::BadEntry, 0},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.edit(bytes, firstEntry);
        ContactCustProps out;
        out.phones.Add({u"keep", u"me"});
        const RecordStatus status = DecodeCustProps(bytes, out);
        EXPECT_EQ(status.error, c.error) << c.name;
        EXPECT_EQ(status.section, c.section) << c.name;
        ASSERT_EQ(out.phones.GetSize(), 1) << c.name;
        EXPECT_EQ(out.phones[0].label, u"keep") << c.name;
    }
}

TEST(CustPropsCodec, EveryPrefixAndEveryByteFlipIsHandled) {
    // Run under the address sanitizer, this shows that no damaged record makes a read leave it.
    const auto good = EncodeCustProps(SampleCustProps());
    for (size_t n = 0; n < good.size(); ++n) {
        const std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(n));
        ContactCustProps out;
        EXPECT_FALSE(DecodeCustProps(prefix, out).ok()) << n;
    }
    for (size_t i = 0; i < good.size(); ++i) {
        for (uint8_t mask : {0x01, 0x80, 0xFF}) {
            std::vector<uint8_t> bytes = good;
            bytes[i] ^= mask;
            ContactCustProps out;
            if (DecodeCustProps(bytes, out).ok()) {
                EXPECT_EQ(EncodeCustProps(out).size(), bytes.size()) << i;
            }
        }
    }
}

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
