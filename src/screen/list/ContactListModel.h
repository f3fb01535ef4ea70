#pragma once
// ContactListModel: the rows of the contact list. In name and File As order every row is one
// contact; in company order the contacts come in company groups, each led by a header row that
// shows "COMPANY (N)" and toggles the group. A row is known by (group, contact index), the
// contact index -1 marking a header. The model holds only object identifiers: a row's texts are
// read when it is drawn.
//
// Selection: one current row (-1 when the list is empty) and any number of marked contacts. A
// new list keeps the current contact when it is still listed (on its group's header when the
// group is collapsed), otherwise starts on the first contact, so the Talk key always has a
// contact to call after a search. Marks and collapsed companies are kept across new lists for
// what is still listed.
#include <cstdint>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/str/Str.h"
#include "manager/search/ContactSearch.h"

struct ListRow {
    int group = 0;
    int contact = 0;  // index within the group; -1 for the group's header
    [[nodiscard]] bool IsHeader() const { return contact < 0; }
    [[nodiscard]] bool operator==(const ListRow&) const = default;
};

// The icon of a header: collapse while the group's contacts are shown below it.
enum class HeaderIcon { Expand, Collapse };

class ContactListModel {
public:
    void SetList(const ContactList& list);

    [[nodiscard]] bool Grouped() const { return grouped_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The row at a position; a header of group 0 for a position out of range.
    ListRow RowAt(int row) const;
    // The contact of a row; 0 for a header and for a position out of range.
    uint32_t OidAt(int row) const;
    // The row showing the contact; -1 when it is not listed or its group is collapsed.
    int RowOf(uint32_t oid) const;
    // Expands the group of a listed contact and makes its row current; false when not listed.
    [[nodiscard]] bool Reveal(uint32_t oid);
    // Every listed contact, collapsed groups included, in list order.
    const std::vector<uint32_t>& Oids() const { return oids_; }

    int GroupCount() const { return static_cast<int>(groups_.size()); }
    const Str& Company(int group) const { return groups_.at(group).company; }
    int GroupSize(int group) const { return groups_.at(group).size; }
    [[nodiscard]] bool Expanded(int group) const { return groups_.at(group).expanded; }
    // The company and " (N)" with the number of its contacts.
    Str HeaderText(int group) const;
    HeaderIcon IconOf(int group) const;
    // Expands or collapses a group; a current row inside a collapsing group moves to its header.
    void Toggle(int group);

    int Selected() const { return selected_; }
    // Makes the row current, clamped to the rows; false when the current row stays the same.
    [[nodiscard]] bool Select(int row);
    // The current row's contact; 0 on a header or without a current row.
    uint32_t SelectedOid() const { return OidAt(selected_); }

    void SetMarked(int row, bool marked);
    [[nodiscard]] bool IsMarked(int row) const;
    void ClearMarks() { marks_.clear(); }
    // The marked contacts in list order, or the current contact alone when none is marked.
    std::vector<uint32_t> SelectedOids() const;

    // Takes contacts out (deleted from the frame); the current row keeps its position, clamped.
    void RemoveContacts(std::span<const uint32_t> oids);

private:
    struct Group {
        Str company;
        int first = 0;  // index of its first contact in oids_
        int size = 0;
        bool expanded = true;
    };

    void BuildRows();
    // The group holding the contact at `index` of oids_.
    int GroupOfIndex(int index) const;
    // The position of a (group, contact) pair; -1 for a contact of a collapsed group.
    int RowOfListRow(ListRow row) const;
    int HeaderRow(int group) const;
    int FirstContactRow() const;

    std::vector<uint32_t> oids_;
    std::vector<Group> groups_;
    std::vector<ListRow> rows_;
    std::vector<int> headerRows_;  // the row of each group's header (grouped lists)
    bool grouped_ = false;
    int selected_ = -1;
    std::unordered_set<uint32_t> marks_;
    std::unordered_set<std::u16string> collapsed_;  // companies collapsed by the user
};
