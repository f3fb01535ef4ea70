// The list's rows: flat lists, company groups with their headers and toggling, the current row
// across new lists, marks and deletions.
#include "screen/list/ContactListModel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ContactList Flat(std::vector<uint32_t> oids) { return {std::move(oids), std::nullopt}; }

// Three groups: no company (11, 12), "Acme" (21), "Zeta" (31, 32, 33).
ContactList Companies() {
    CompanyOrder order{{2, 11, 12, 1, 21, 3, 31, 32, 33}, {Str(), Str(u"Acme"), Str(u"Zeta")}};
    return {{11, 12, 21, 31, 32, 33}, order};
}

std::vector<std::string> Shape(const ContactListModel& list) {
    std::vector<std::string> rows;
    for (int row = 0; row < list.RowCount(); ++row) {
        const ListRow at = list.RowAt(row);
        rows.push_back(at.IsHeader() ? list.HeaderText(at.group).ToUtf8() : std::to_string(list.OidAt(row)));
    }
    return rows;
}

TEST(ContactListModel, CompanyGroupsHaveHeadersThatCollapseAndExpand) {
    ContactListModel list;
    list.SetList(Companies());
    EXPECT_TRUE(list.Grouped());
    EXPECT_EQ(Shape(list),
              (std::vector<std::string>{" (2)", "11", "12", "Acme (1)", "21", "Zeta (3)", "31", "32", "33"}));
    EXPECT_EQ(list.RowAt(4), (ListRow{1, 0}));
    EXPECT_EQ(list.Selected(), 1) << "a new list starts on its first contact, not on a header";
    EXPECT_EQ(list.IconOf(2), HeaderIcon::Collapse);

    ASSERT_TRUE(list.Select(list.RowOf(32)));
    list.Toggle(2);
    EXPECT_EQ(Shape(list), (std::vector<std::string>{" (2)", "11", "12", "Acme (1)", "21", "Zeta (3)"}));
    EXPECT_EQ(list.IconOf(2), HeaderIcon::Expand);
    EXPECT_EQ(list.Selected(), 5) << "the current contact's group collapsed: its header is current";
    EXPECT_EQ(list.RowOf(32), -1);

    list.SetList(Companies());  // a rebuild keeps the company collapsed and the header current
    EXPECT_EQ(list.RowCount(), 6);
    EXPECT_EQ(list.Selected(), 5);
    ASSERT_TRUE(list.Reveal(33));
    EXPECT_EQ(std::pair(list.RowCount(), list.SelectedOid()), std::pair(9, 33u));

    (void)list.Select(list.RowOf(21));  // the selection is checked below
    list.Toggle(0);  // another group: the current contact stays current
    EXPECT_EQ(list.SelectedOid(), 21u);
    EXPECT_EQ(list.Selected(), 2);
}

TEST(ContactListModel, TheCurrentContactSurvivesNewListsAndDeletionsKeepThePosition) {
    ContactListModel list;
    list.SetList(Flat({}));
    EXPECT_EQ(std::tuple(list.RowCount(), list.Selected(), list.SelectedOid()), std::tuple(0, -1, 0u));
    EXPECT_TRUE(list.SelectedOids().empty());
    EXPECT_FALSE(list.Select(3));

    list.SetList(Flat({5, 6, 7, 8}));
    EXPECT_EQ(list.Selected(), 0);
    (void)list.Select(2);  // the selection is checked below
    list.SetList(Flat({1, 7, 9}));
    EXPECT_EQ(std::pair(list.Selected(), list.SelectedOid()), std::pair(1, 7u));
    list.SetList(Flat({1, 9}));
    EXPECT_EQ(list.SelectedOid(), 1u) << "the current contact went: the first one is current";

    list.SetList(Flat({5, 6, 7}));
    (void)list.Select(1);  // the selection is checked below
    list.RemoveContacts(std::vector<uint32_t>{6});
    EXPECT_EQ(list.SelectedOid(), 7u) << "the next contact takes the deleted one's place";
    list.RemoveContacts(std::vector<uint32_t>{7});
    EXPECT_EQ(list.SelectedOid(), 5u);
    list.RemoveContacts(std::vector<uint32_t>{5});
    EXPECT_EQ(list.Selected(), -1);

    list.SetList(Companies());
    list.RemoveContacts(std::vector<uint32_t>{21});
    EXPECT_EQ(Shape(list), (std::vector<std::string>{" (2)", "11", "12", "Zeta (3)", "31", "32", "33"}))
        << "a company without contacts loses its header";
}

TEST(ContactListModel, MarkedContactsAreTheSelectionInListOrder) {
    ContactListModel list;
    list.SetList(Companies());
    (void)list.Select(list.RowOf(12));  // the selection is checked below
    EXPECT_EQ(list.SelectedOids(), (std::vector<uint32_t>{12}));
    list.SetMarked(list.RowOf(31), true);
    list.SetMarked(list.RowOf(11), true);
    list.SetMarked(0, true);  // a header cannot be marked
    EXPECT_EQ(list.SelectedOids(), (std::vector<uint32_t>{11, 31}));
    EXPECT_TRUE(list.IsMarked(list.RowOf(31)));

    list.SetList(Flat({31, 40}));
    EXPECT_EQ(list.SelectedOids(), (std::vector<uint32_t>{31})) << "marks of contacts no longer listed drop";
    list.SetMarked(0, false);
    EXPECT_EQ(list.SelectedOids(), (std::vector<uint32_t>{list.SelectedOid()}));
}

}  // namespace
