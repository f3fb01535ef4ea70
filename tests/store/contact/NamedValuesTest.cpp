#include "store/contact/NamedValues.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/pom/VolumeDevice.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"

namespace {

struct Row {
    uint32_t key;
    uint32_t kind;
    std::u16string text;
    bool operator==(const Row&) const = default;
};

class NamedValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const plat::SortProp order[] = {{kNamedKeyProp, 0}, {kNamedKindProp, 0}};
        ASSERT_TRUE(named_.Open(kNamedPropsDbName, order, 2));
    }

    // Every record of the table, in identifier order.
    std::vector<Row> Rows() {
        CCeDBDatabase all;
        EXPECT_TRUE(all.Open(kNamedPropsDbName));
        std::vector<Row> rows;
        for (bool more = all.SeekFirst(); more; more = all.SeekNext()) {
            CCeDBRecord record;
            all.Read(record);
            const CCeDBProp* text = record.Find(3);
            std::u16string value(reinterpret_cast<const char16_t*>(text->GetBlobData()), text->GetBlobSize() / 2);
            rows.push_back({record.Find(1)->GetULong(), record.Find(2)->GetULong(), value});
        }
        return rows;
    }

    void WriteOther(uint32_t key, uint32_t kind) {
        CCeDBRecord record;
        record.Add(new CCeDBProp(1, key));
        record.Add(new CCeDBProp(2, kind));
        const char16_t text[] = u"keep";
        record.Add(new CCeDBProp(3, reinterpret_cast<const uint8_t*>(text), sizeof text, true));
        ASSERT_NE(named_.Write(record, CCeDBDatabase::kWriteNew), 0u);
    }

    VolumeDevice device_;
    CCeDBDatabase named_;
};

StdContact Person(uint32_t recordId) {
    StdContact c;
    c.SetRecordId(recordId);
    c.SetText(kFieldMobile, u"+1 555");
    c.SetText(kFieldWorkPhone, u"123-45");
    c.SetText(kFieldMms, u"9");
    c.SetText(kFieldEmail2, u"anna@example.org");
    return c;
}

}  // namespace

TEST_F(NamedValuesTest, PhonesReversedInTheirOrderThenAddresses) {
    ASSERT_TRUE(SaveNamedValues(named_, Person(7)));
    const uint32_t key = 0x80000007;
    // Each text is stored with its terminating NUL.
    const std::vector<Row> expected = {
        {key, kNamedPhone, std::u16string(u"54-321\0", 7)},
        {key, kNamedPhone, std::u16string(u"555 1+\0", 7)},
        {key, kNamedPhone, std::u16string(u"9\0", 2)},
        {key, kNamedEmail, std::u16string(u"anna@example.org\0", 17)},
    };
    EXPECT_EQ(Rows(), expected);
}

TEST_F(NamedValuesTest, DeletingTakesOnlyThisContactsNumbersAndAddresses) {
    ASSERT_TRUE(SaveNamedValues(named_, Person(7)));
    ASSERT_TRUE(SaveNamedValues(named_, Person(8)));
    WriteOther(0x80000007, 0x12340013);  // another kind of value of the same contact
    WriteOther(7, kNamedPhone);          // a key without the high bit is not this contact's
    ASSERT_TRUE(DeleteNamedValues(named_, Person(7)));
    for (const Row& row : Rows()) {
        EXPECT_TRUE(row.key == 0x80000008 || row.kind == 0x12340013 || row.key == 7)
            << std::hex << row.key << " " << row.kind;
    }
    EXPECT_EQ(Rows().size(), 4u + 2u);

    StdContact changed = Person(8);  // an update deletes all and writes what is there now
    changed.SetText(kFieldWorkPhone, u"");
    changed.SetText(kFieldEmail2, u"");
    ASSERT_TRUE(UpdateNamedValues(named_, changed));
    const auto rows = Rows();
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const Row& row) { return row.key == 0x80000008; }), 2);
}
