#include "manager/duplicates/DuplicateMatcher.h"

#include <algorithm>

#include "manager/duplicates/DuplicateScan.h"

namespace {

template <typename T>
bool Shares(const std::vector<T>& a, const std::vector<T>& b) {
    return std::any_of(a.begin(), a.end(),
                       [&](const T& x) { return std::find(b.begin(), b.end(), x) != b.end(); });
}

bool SharesNumber(const DuplicateKeys& a, const DuplicateKeys& b) {
    return std::any_of(a.numbers.begin(), a.numbers.end(), [&](const std::string& x) {
        return std::any_of(b.numbers.begin(), b.numbers.end(), [&](const std::string& y) {
            return x.size() <= y.size() ? y.ends_with(x) : x.ends_with(y);
        });
    });
}

}  // namespace

bool DuplicateMatcher::Load(ContactManager& manager) {
    std::vector<Str> uids;
    std::optional<std::vector<DuplicateKeys>> all = GatherKeys(manager, &uids);
    if (!all) return false;
    for (size_t i = 0; i < all->size(); ++i) Add((*all)[i], uids[i]);
    return true;
}

void DuplicateMatcher::Add(const DuplicateKeys& keys, const Str& uid) {
    const size_t at = keys_.size();
    keys_.push_back(keys);
    if (!uid.IsEmpty()) byUid_.try_emplace(std::u16string(uid.View()), at);
    if (!keys.name.empty()) byName_[keys.name].push_back(at);
}

std::optional<DuplicateMatch> DuplicateMatcher::Find(const Contact& incoming) const {
    if (!incoming.GetUid().IsEmpty()) {
        if (const auto found = byUid_.find(std::u16string(incoming.GetUid().View())); found != byUid_.end()) {
            return DuplicateMatch{keys_[found->second].oid, false};
        }
    }
    const DuplicateKeys keys = KeysOf(incoming);
    const auto named = byName_.find(keys.name);
    if (keys.name.empty() || named == byName_.end()) return std::nullopt;
    for (const size_t at : named->second) {
        if (SharesNumber(keys, keys_[at]) || Shares(keys.emails, keys_[at].emails))
            return DuplicateMatch{keys_[at].oid, false};
    }
    return DuplicateMatch{keys_[named->second.front()].oid, true};
}
