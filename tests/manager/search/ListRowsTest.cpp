// The name a list row shows in each order, and the order a list takes when none is asked for.
#include "manager/search/ListRows.h"

#include <gtest/gtest.h>

#include "core/settings/SettingsStore.h"
#include "store/contact/ContactFields.h"
#include "store/contact/StdContact.h"
#include "support/TempDevice.h"

namespace {

StdContact Person(std::initializer_list<std::pair<int, const char16_t*>> fields) {
    StdContact contact;
    for (const auto& [field, text] : fields) contact.SetText(field, text);
    return contact;
}

}  // namespace

TEST(ListRows, NameOrdersShowTheDisplayNameAndFileAsOrderTheFileAsText) {
    TempDevice device;
    const StdContact anna = Person({{kFieldFirst, u"Anna"}, {kFieldMiddle, u"M"}, {kFieldLast, u"Smith"},
                                    {kFieldCompany, u"Acme"}, {kFieldFileAs, u"Smith, Anna M"}});
    const StdContact firm = Person({{kFieldCompany, u" Acme "}});
    const StdContact nobody;
    const struct {
        const StdContact* contact;
        ListOrder order;
        std::u16string row;
    } cases[] = {
        {&anna, ListOrder::Name, u"Smith, Anna"},
        {&anna, ListOrder::Company, u"Smith, Anna"},
        {&anna, ListOrder::FileAs, u"Smith, Anna M"},
        {&firm, ListOrder::Name, u"Acme"},
        {&firm, ListOrder::FileAs, u"Unnamed"},
        {&nobody, ListOrder::Name, u"Unnamed"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RowName(*c.contact, c.order).View(), c.row) << static_cast<int>(c.order);
    }
}

TEST(ListRows, TheStoredOrderIsReadFromTheDeviceAndUnknownValuesMeanNameOrder) {
    TempDevice device;
    EXPECT_EQ(StoredListOrder(), ListOrder::Name);  // missing
    const std::pair<uint32_t, ListOrder> cases[] = {
        {1, ListOrder::FileAs}, {2, ListOrder::Company}, {0, ListOrder::Name},
        {7, ListOrder::Name},   {3, ListOrder::Name},
    };
    for (const auto& [stored, order] : cases) {
        ASSERT_TRUE(SettingsStore::WriteDword(u"Settings", u"SortType", stored));
        EXPECT_EQ(StoredListOrder(), order) << stored;
    }
}
