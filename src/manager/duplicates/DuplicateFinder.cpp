#include "manager/duplicates/DuplicateFinder.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <string_view>
#include <unordered_map>

namespace {

// Disjoint sets of contact positions: two contacts sharing a key end up in one set.
class Sets {
public:
    explicit Sets(size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), size_t{0}); }
    size_t Root(size_t at) {
        while (parent_[at] != at) at = parent_[at] = parent_[parent_[at]];
        return at;
    }
    // The lower position becomes the root, so that a group is named by its first contact.
    void Join(size_t a, size_t b) {
        a = Root(a);
        b = Root(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<size_t> parent_;
};

struct Linked {
    size_t at;
    DuplicateLink link;
};

// The first contact that had a key, and whether a later one was joined to it yet.
struct FirstHolder {
    size_t at;
    bool linked = false;
};

// Joins every contact to the first that had the same key; one link per key that joined any.
template <typename Key>
void JoinEqual(std::unordered_map<Key, FirstHolder>& first, const Key& key, size_t at, DuplicateReason reason,
               Sets& sets, std::vector<Linked>& links) {
    const auto [found, added] = first.try_emplace(key, FirstHolder{at});
    if (added || found->second.at == at) return;
    sets.Join(found->second.at, at);
    if (found->second.linked) return;
    found->second.linked = true;
    links.push_back({at, {reason, std::u16string(key.begin(), key.end())}});
}

// Equal numbers join through their digits; a number also joins the numbers that its last digits
// are (seven or more of them), found by looking each such ending up: no pair is compared.
void JoinNumbers(std::span<const DuplicateKeys> contacts, Sets& sets, std::vector<Linked>& links) {
    std::unordered_map<std::string, FirstHolder> whole;
    for (size_t at = 0; at < contacts.size(); ++at) {
        for (const std::string& number : contacts[at].numbers) {
            if (number.size() >= kNumberDigits)
                JoinEqual(whole, number, at, DuplicateReason::Number, sets, links);
        }
    }
    std::string ending;
    for (size_t at = 0; at < contacts.size(); ++at) {
        for (const std::string& number : contacts[at].numbers) {
            for (size_t cut = 1; cut + kNumberDigits <= number.size(); ++cut) {
                ending.assign(number, cut);
                const auto found = whole.find(ending);
                if (found == whole.end() || found->second.at == at) continue;
                sets.Join(found->second.at, at);
                links.push_back(
                    {at, {DuplicateReason::Number, std::u16string(ending.begin(), ending.end())}});
            }
        }
    }
}

}  // namespace

std::vector<DuplicateGroup> FindDuplicates(std::span<const DuplicateKeys> contacts) {
    Sets sets(contacts.size());
    std::vector<Linked> links;
    std::unordered_map<std::u16string, FirstHolder> names, emails;
    for (size_t at = 0; at < contacts.size(); ++at) {
        if (!contacts[at].name.empty())
            JoinEqual(names, contacts[at].name, at, DuplicateReason::Name, sets, links);
        for (const std::u16string& email : contacts[at].emails) {
            if (!email.empty()) JoinEqual(emails, email, at, DuplicateReason::Email, sets, links);
        }
    }
    JoinNumbers(contacts, sets, links);

    std::map<size_t, DuplicateGroup> groups;  // by the group's first contact
    for (Linked& linked : links) {
        std::vector<DuplicateLink>& kept = groups[sets.Root(linked.at)].links;
        if (std::find(kept.begin(), kept.end(), linked.link) == kept.end())
            kept.push_back(std::move(linked.link));
    }
    for (size_t at = 0; at < contacts.size(); ++at) {
        const auto group = groups.find(sets.Root(at));
        if (group != groups.end()) group->second.oids.push_back(contacts[at].oid);
    }
    std::vector<DuplicateGroup> ordered;
    ordered.reserve(groups.size());
    for (auto& [first, group] : groups) ordered.push_back(std::move(group));
    return ordered;
}

std::u16string DescribeLinks(const std::vector<DuplicateLink>& links) {
    std::u16string text;
    for (const DuplicateLink& link : links) {
        if (!text.empty()) text += u"; ";
        switch (link.reason) {
            case DuplicateReason::Name: text += u"same name: "; break;
            case DuplicateReason::Number: text += u"same number: "; break;
            case DuplicateReason::Email: text += u"same e-mail address: "; break;
        }
        text += link.value;
    }
    return text;
}
