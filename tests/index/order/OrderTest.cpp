#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "index/order/CompanyOrder.h"
#include "index/order/IndexComparator.h"
#include "index/store/IndexStore.h"
#include "index/words/OidList.h"
#include "support/SortKeyTable.h"
#include "support/TempDevice.h"

namespace {

SortKeys Keys(const char16_t* last, const char16_t* first = u"", const char16_t* title = u"",
              const char16_t* company = u"") {
    SortKeys keys;
    keys.last = last;
    keys.first = first;
    keys.title = title;
    keys.company = company;
    return keys;
}

class OrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store.Create());
        comparator.SetSource(&source);
    }
    std::vector<uint32_t> List() const {
        const auto view = OidList::View(const_cast<IndexStore&>(store), list);
        return {view.begin(), view.end()};
    }
    bool Insert(uint32_t oid) { return InsertOrdered(store, list, oid, comparator); }

    TempDevice device;
    IndexStore store;
    SortKeyTable source;
    NameComparator comparator;
    uint32_t list = 0;
};

}  // namespace

TEST(SortKeyText, NameFallsBackThroughSurnameFirstNameTitleAndCompany) {
    const struct { SortKeys keys; const char16_t* name; const char16_t* person; } cases[] = {
        {Keys(u"Smith", u"Anna", u"Dr", u"Acme"), u"Smith, Anna", u"Smith, Anna"},
        {Keys(u"Smith", u"", u"Dr", u"Acme"), u"Smith", u"Smith"},
        {Keys(u"", u"Anna", u"Dr", u"Acme"), u"Anna", u"Anna"},
        {Keys(u"", u"", u"Dr", u"Acme"), u"Dr", u"Dr"},
        {Keys(u"", u"", u"", u"Acme"), u"Acme", u""},
        {Keys(u""), u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameKeyText(c.keys), Str(c.name)) << Str(c.name).ToUtf8();
        EXPECT_EQ(PersonKeyText(c.keys), Str(c.person)) << Str(c.name).ToUtf8();
    }
}

// Binary insertion must agree with a plain sort for every size and every place of insertion,
// with equal names ordered by OID.
TEST_F(OrderTest, BinaryInsertionMatchesASortOfRandomNames) {
    std::mt19937 random(7);
    const char16_t* names[] = {u"Adams", u"Berg", u"berg", u"Cohen", u"Émile", u"Zorn", u"", u"Ärger"};
    std::vector<uint32_t> oids;
    for (uint32_t oid = 1; oid <= 300; ++oid) {
        source.keys[oid] = Keys(names[random() % std::size(names)], names[random() % std::size(names)]);
        oids.push_back(oid);
    }
    std::shuffle(oids.begin(), oids.end(), random);
    for (const uint32_t oid : oids) ASSERT_TRUE(Insert(oid));
    std::vector<uint32_t> expected = oids;
    std::sort(expected.begin(), expected.end(), [this](uint32_t a, uint32_t b) {
        return IndexComparator::CompareKeys(NameKeyText(source.keys[a]), a, NameKeyText(source.keys[b]), b) < 0;
    });
    EXPECT_EQ(List(), expected);
}

TEST_F(OrderTest, UnreadableEntriesAreReplacedOrDroppedAndAnUnreadableKeyChangesNothing) {
    source.keys[5] = Keys(u"Moss");
    ASSERT_TRUE(Insert(5));
    source.keys.erase(5);
    source.keys[6] = Keys(u"Abel");
    ASSERT_TRUE(Insert(6));
    EXPECT_EQ(List(), (std::vector<uint32_t>{6})) << "a list of one unreadable entry is replaced";

    for (uint32_t oid = 10; oid < 17; ++oid) {
        source.keys[oid] = Keys(std::u16string(1, static_cast<char16_t>(u'B' + oid - 10)).c_str());
        ASSERT_TRUE(Insert(oid));
    }
    source.keys.erase(13);  // the middle entry, the first probe
    source.keys[20] = Keys(u"Z");
    ASSERT_TRUE(Insert(20));
    EXPECT_EQ(List(), (std::vector<uint32_t>{6, 10, 11, 12, 14, 15, 16, 20}));

    const std::vector<uint32_t> before = List();
    EXPECT_FALSE(Insert(99)) << "the key contact itself cannot be read";
    EXPECT_EQ(List(), before);
}

TEST_F(OrderTest, CompanyOrderGroupsByCompanyWithTheNamelessGroupFirst) {
    source.keys = {{1, Keys(u"Young", u"", u"", u"Beta")}, {2, Keys(u"Adams", u"", u"", u"Alpha")},
                   {3, Keys(u"Brown")},                      {4, Keys(u"Adams", u"", u"", u"Beta")},
                   {5, Keys(u"Adams", u"", u"", u"beta")},   {6, Keys(u"Adams", u"", u"", u"Beta")}};
    const std::vector<uint32_t> nameOrder{2, 4, 6, 5, 3, 1, 77};  // 77 cannot be read: no name
    const CompanyOrder order = BuildCompanyOrder(nameOrder, source);
    EXPECT_EQ(order.flat, (std::vector<uint32_t>{2, 77, 3, 1, 2, 1, 5, 3, 4, 6, 1}));
    EXPECT_EQ(order.companies, (std::vector<Str>{u"", u"Alpha", u"beta", u"Beta"}));
}
