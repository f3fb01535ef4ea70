// The byte form of the speed-dial buttons the trash keeps with a contact, to the byte; bytes that
// end early are refused.
#include "phone/speed/SpeedMoves.h"

#include <gtest/gtest.h>

TEST(SpeedMoves, KeptButtonsAreWordsThenCountedTexts) {
    SpeedRecord button;
    button.oid = 0x10203;
    button.btn = -1;
    button.link = 7;
    button.index = 4;
    button.first = u"An";
    button.phone = u"5";
    const std::vector<uint8_t> bytes = EncodeSpeedRecords(std::vector{button});
    const std::vector<uint8_t> expected = {
        0x03, 0x02, 0x01, 0, 0xFF, 0xFF, 0xFF, 0xFF,
        7,    0,    0,    0, 4,    0,    0,    0,  // oid, btn, link, index
        2,    0,    0,    0, 'A',  0,    'n',  0,  // first
        0,    0,    0,    0, 0,    0,    0,    0,
        0,    0,    0,    0, 0,    0,    0,    0,  // last, middle, company, display
        1,    0,    0,    0, '5',  0,              // phone
        0,    0,    0,    0,                       // type
    };
    EXPECT_EQ(bytes, expected);

    std::vector<SpeedRecord> read;
    ASSERT_TRUE(DecodeSpeedRecords(bytes, read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].oid, button.oid);
    EXPECT_EQ(read[0].btn, -1);
    EXPECT_EQ(read[0].first, u"An");
    EXPECT_EQ(read[0].phone, u"5");

    for (const size_t cut : {size_t{3}, size_t{18}, bytes.size() - 1}) {
        read.clear();
        EXPECT_FALSE(DecodeSpeedRecords(std::span(bytes).first(cut), read)) << cut;
    }
}
