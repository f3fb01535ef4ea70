// Sort orders and value seeks: the device collation for text, the property flags and several
// unsigned keys. Walking an order is checked through the database class and the refreshed orders.
#include "StoreFixture.h"

namespace {

using plat::MakePropId;
using plat::PropVal;
using plat::SeekType;

constexpr uint32_t kName = MakePropId(1, plat::CEVT_LPWSTR);

class Seeks : public StoreFixture {
protected:
    // A database ordered on text property 1 with these flags, holding the given names (an empty
    // name: a record without the property), in this order of creation.
    plat::DbHandle Names(uint32_t flags, const std::vector<std::u16string>& names) {
        plat::DatabaseDescription declared;
        declared.name = u"Names" + std::u16string(1, static_cast<char16_t>(u'a' + flags));
        declared.sortOrders = {{0, {{kName, flags}}}};
        Create(declared);
        const plat::DbHandle db = Open(declared.name, &declared.sortOrders[0]);
        for (const std::u16string& name : names) Add(db, {name.empty() ? UintProp(9, 0) : TextProp(1, name)});
        return db;
    }

    // The names met walking forward from the first record ("-" for a record without a name).
    std::vector<std::u16string> Walk(plat::DbHandle db) {
        std::vector<std::u16string> names;
        for (plat::CeOid oid = plat::SeekDatabase(db, SeekType::Beginning, 0); oid != 0;
             oid = plat::SeekDatabase(db, SeekType::Current, 1)) {
            std::vector<PropVal> props;
            plat::ReadRecordProps(db, std::vector{kName}, props);
            names.push_back(props[0].flags == plat::CEDB_PROPNOTFOUND ? u"-" : props[0].text);
        }
        EXPECT_EQ(plat::GetLastError(), plat::ERROR_NO_MORE_ITEMS);
        return names;
    }
};

TEST_F(Seeks, TextOrdersFollowTheFlags) {
    const std::vector<std::u16string> names = {u"banana", u"", u"Apple", u"cherry", u"apple", u"Écru"};
    struct Case {
        uint32_t flags;
        std::vector<std::u16string> expected;
    };
    const std::vector<Case> cases = {
        {0, {u"apple", u"Apple", u"banana", u"cherry", u"Écru", u"-"}},
        {plat::CEDB_SORT_UNKNOWNFIRST, {u"-", u"apple", u"Apple", u"banana", u"cherry", u"Écru"}},
        {plat::CEDB_SORT_DESCENDING, {u"Écru", u"cherry", u"banana", u"Apple", u"apple", u"-"}},
        // Ignoring case, "Apple" and "apple" are equal and keep the order of their identifiers.
        {plat::CEDB_SORT_CASEINSENSITIVE, {u"Apple", u"apple", u"banana", u"cherry", u"Écru", u"-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(Walk(Names(c.flags, names)), c.expected);
    }
}

TEST_F(Seeks, ValueSeeksOnSeveralKeys) {
    plat::DatabaseDescription declared;
    declared.name = u"Assoc";
    declared.sortOrders = {{plat::CEDB_SORT_UNIQUE | plat::CEDB_SORT_NO_POSITIONAL,
                        {{MakePropId(1, plat::CEVT_UI4), 0}, {MakePropId(2, plat::CEVT_I4), 0}}}};
    Create(declared);
    const plat::DbHandle db = Open(u"Assoc", &declared.sortOrders[0]);
    const plat::CeOid a3 = Add(db, {UintProp(1, 0x80000001), IntProp(2, 3)});
    const plat::CeOid a2 = Add(db, {UintProp(1, 0x80000001), IntProp(2, 2)});
    const plat::CeOid b1 = Add(db, {UintProp(1, 0x80000002), IntProp(2, 1)});
    Add(db, {UintProp(1, 0x40000001), IntProp(2, 5)});
    const plat::CeOid b1again = Add(db, {UintProp(1, 0x80000002), IntProp(2, 1)});
    struct Case {
        SeekType type;
        std::vector<PropVal> values;
        plat::CeOid expected;
    };
    const std::vector<Case> cases = {
        {SeekType::ValueGreater, {UintProp(1, 0x80000001), IntProp(2, 0)}, a2},
        {SeekType::ValueGreater, {UintProp(1, 0x80000001), IntProp(2, 2)}, a3},
        {SeekType::ValueGreater, {UintProp(1, 0x80000001)}, b1},
        {SeekType::ValueGreater, {UintProp(1, 0x80000002), IntProp(2, 1)}, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(plat::SeekDatabaseByValues(db, cases[i].type, cases[i].values), cases[i].expected) << "case " << i;
        if (cases[i].expected == 0) {
            EXPECT_EQ(plat::GetLastError(), plat::ERROR_NO_MORE_ITEMS);
        }
    }
    // The first of equal records, then the next one.
    EXPECT_EQ(plat::SeekDatabaseByValues(db, SeekType::ValueFirstEqual, std::vector{UintProp(1, 0x80000002)}), b1);
    EXPECT_EQ(plat::SeekDatabase(db, SeekType::Current, 1), b1again);

    // Values that do not fit the order are refused.
    EXPECT_EQ(plat::SeekDatabaseByValues(db, SeekType::ValueGreater, std::vector{TextProp(1, u"x")}), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_PARAMETER);
}

}  // namespace
