#include "screen/list/ContactListModel.h"

#include <algorithm>
#include <string>

namespace {

constexpr ListRow kNoRow{0, -1};

}  // namespace

void ContactListModel::SetList(const ContactList& list) {
    const uint32_t current = SelectedOid();
    const bool onHeader = selected_ >= 0 && RowAt(selected_).IsHeader();
    const Str currentCompany = onHeader ? Company(RowAt(selected_).group) : Str();

    oids_.clear();
    groups_.clear();
    grouped_ = list.companies.has_value();
    if (grouped_) {
        const std::vector<uint32_t>& flat = list.companies->flat;
        for (size_t at = 0, group = 0; at < flat.size(); at += flat[at] + 1, ++group) {
            const Str& company = list.companies->companies.at(group);
            const bool expanded = !collapsed_.contains(std::u16string(company.View()));
            groups_.push_back(
                {company, static_cast<int>(oids_.size()), static_cast<int>(flat[at]), expanded});
            oids_.insert(oids_.end(), flat.begin() + static_cast<long>(at) + 1,
                         flat.begin() + static_cast<long>(at + 1 + flat[at]));
        }
    } else {
        oids_ = list.oids;
        groups_.push_back({Str(), 0, static_cast<int>(oids_.size()), true});
    }
    if (!marks_.empty()) {
        const std::unordered_set<uint32_t> listed(oids_.begin(), oids_.end());
        std::erase_if(marks_, [&](uint32_t oid) { return !listed.contains(oid); });
    }
    BuildRows();

    selected_ = FirstContactRow();
    const auto oid = std::find(oids_.begin(), oids_.end(), current);
    if (current != 0 && oid != oids_.end()) {
        const int row = RowOf(current);
        selected_ = row >= 0 ? row : HeaderRow(GroupOfIndex(static_cast<int>(oid - oids_.begin())));
    } else if (onHeader) {
        for (int g = 0; g < GroupCount(); ++g) {
            if (groups_[g].company == currentCompany) selected_ = HeaderRow(g);
        }
    }
}

ListRow ContactListModel::RowAt(int row) const {
    if (row < 0 || row >= RowCount()) return kNoRow;
    return rows_[row];
}

uint32_t ContactListModel::OidAt(int row) const {
    const ListRow at = RowAt(row);
    return at.IsHeader() ? 0 : oids_[groups_[at.group].first + at.contact];
}

int ContactListModel::RowOf(uint32_t oid) const {
    const auto found = std::find(oids_.begin(), oids_.end(), oid);
    if (found == oids_.end()) return -1;
    const int index = static_cast<int>(found - oids_.begin());
    const int group = GroupOfIndex(index);
    return RowOfListRow({group, index - groups_[group].first});
}

bool ContactListModel::Reveal(uint32_t oid) {
    const auto found = std::find(oids_.begin(), oids_.end(), oid);
    if (found == oids_.end()) return false;
    const int group = GroupOfIndex(static_cast<int>(found - oids_.begin()));
    if (grouped_ && !groups_[group].expanded) Toggle(group);
    selected_ = RowOf(oid);
    return true;
}

Str ContactListModel::HeaderText(int group) const {
    return Company(group) + Str::FromUtf8(" (" + std::to_string(GroupSize(group)) + ")");
}

HeaderIcon ContactListModel::IconOf(int group) const {
    return Expanded(group) && GroupSize(group) > 0 ? HeaderIcon::Collapse : HeaderIcon::Expand;
}

void ContactListModel::Toggle(int group) {
    if (!grouped_ || group < 0 || group >= GroupCount()) return;
    ListRow current = RowAt(selected_);
    Group& toggled = groups_[group];
    toggled.expanded = !toggled.expanded;
    const std::u16string company(toggled.company.View());
    if (toggled.expanded) {
        collapsed_.erase(company);
    } else {
        collapsed_.insert(company);
        if (current.group == group) current.contact = -1;
    }
    const bool hadSelection = selected_ >= 0;
    BuildRows();
    if (hadSelection) selected_ = RowOfListRow(current);
}

bool ContactListModel::Select(int row) {
    const int clamped = rows_.empty() ? -1 : std::clamp(row, 0, RowCount() - 1);
    if (clamped == selected_) return false;
    selected_ = clamped;
    return true;
}

void ContactListModel::SetMarked(int row, bool marked) {
    const uint32_t oid = OidAt(row);
    if (oid == 0) return;
    if (marked) {
        marks_.insert(oid);
    } else {
        marks_.erase(oid);
    }
}

bool ContactListModel::IsMarked(int row) const {
    const uint32_t oid = OidAt(row);
    return oid != 0 && marks_.contains(oid);
}

std::vector<uint32_t> ContactListModel::SelectedOids() const {
    std::vector<uint32_t> selected;
    if (marks_.empty()) {
        if (SelectedOid() != 0) selected.push_back(SelectedOid());
        return selected;
    }
    for (const uint32_t oid : oids_) {
        if (marks_.contains(oid)) selected.push_back(oid);
    }
    return selected;
}

void ContactListModel::RemoveContacts(std::span<const uint32_t> oids) {
    const std::unordered_set<uint32_t> removed(oids.begin(), oids.end());
    std::vector<uint32_t> kept;
    std::vector<Group> groups;
    for (const Group& group : groups_) {
        Group left = group;
        left.first = static_cast<int>(kept.size());
        for (int i = group.first; i < group.first + group.size; ++i) {
            if (!removed.contains(oids_[i])) kept.push_back(oids_[i]);
        }
        left.size = static_cast<int>(kept.size()) - left.first;
        if (left.size > 0 || !grouped_) groups.push_back(left);
    }
    oids_ = std::move(kept);
    groups_ = std::move(groups);
    for (const uint32_t oid : oids) marks_.erase(oid);
    BuildRows();
    selected_ = rows_.empty() ? -1 : std::min(selected_, RowCount() - 1);
}

void ContactListModel::BuildRows() {
    rows_.clear();
    headerRows_.assign(groups_.size(), -1);
    for (int g = 0; g < GroupCount(); ++g) {
        if (grouped_) {
            headerRows_[g] = RowCount();
            rows_.push_back({g, -1});
        }
        if (!grouped_ || groups_[g].expanded) {
            for (int c = 0; c < groups_[g].size; ++c) rows_.push_back({g, c});
        }
    }
}

int ContactListModel::GroupOfIndex(int index) const {
    const auto after = std::upper_bound(groups_.begin(), groups_.end(), index,
                                        [](int i, const Group& group) { return i < group.first; });
    return static_cast<int>(after - groups_.begin()) - 1;
}

int ContactListModel::RowOfListRow(ListRow row) const {
    if (row.group < 0 || row.group >= GroupCount()) return rows_.empty() ? -1 : 0;
    if (row.IsHeader()) return HeaderRow(row.group);
    if (grouped_ && !groups_[row.group].expanded) return -1;
    return (grouped_ ? HeaderRow(row.group) + 1 : 0) + row.contact;
}

int ContactListModel::HeaderRow(int group) const { return headerRows_.at(group); }

int ContactListModel::FirstContactRow() const {
    for (int row = 0; row < RowCount(); ++row) {
        if (!rows_[row].IsHeader()) return row;
    }
    return rows_.empty() ? -1 : 0;
}
