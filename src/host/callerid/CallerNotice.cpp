#include "host/callerid/CallerNotice.h"

#include "categories/manager/CategoryManager.h"
#include "categories/ringtones/CallFilter.h"
#include "categories/ringtones/CallerGroups.h"
#include "categories/ringtones/RingtoneManager.h"
#include "core/res/ResourceStrings.h"
#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "manager/search/ListRows.h"

namespace {

struct Group {
    int32_t id;
    std::u16string key;
};

std::u16string Digits(std::u16string_view number) {
    std::u16string digits;
    for (const char16_t c : number) {
        if (c >= u'0' && c <= u'9') digits.push_back(c);
    }
    return digits;
}

// The ringtone of the first group that has one, else the default group's.
std::u16string RingtoneOf(const std::vector<Group>& groups) {
    RingtoneManager ringtones;
    ringtones.Load();
    const auto find = [&](std::u16string_view key) -> std::u16string {
        for (int i = 0; i < ringtones.Keys().GetSize(); ++i) {
            if (ringtones.Keys()[i].View() == key) return std::u16string(ringtones.Paths()[i].View());
        }
        return {};
    };
    for (const Group& group : groups) {
        if (std::u16string path = find(group.key); !path.empty()) return path;
    }
    return find(SpecialGroups()[0].key);
}

// Kept out when no group of the caller is let through.
bool KeptOut(const std::vector<Group>& groups) {
    CallFilter filter;
    filter.Load();
    for (const Group& group : groups) {
        if (filter.IsEnabled(group.id)) return false;
    }
    return true;
}

std::u16string_view KeyOf(int32_t id) {
    for (const SpecialGroup& group : SpecialGroups()) {
        if (group.id == id) return group.key;
    }
    return {};
}

// The contact's groups: its categories, or the group of contacts without one. Fills the body.
std::vector<Group> ContactGroups(const Contact& contact, CallerNotice& notice) {
    std::vector<Group> groups;
    CategoryManager* categories = CategoryManager::Instance();
    Array<uint32_t> ids;
    Array<Str> names;
    if (categories != nullptr && categories->GetContactCategories(contact, ids) &&
        categories->GetContactCategoryNames(contact, names)) {
        for (int i = 0; i < names.GetSize() && i < ids.GetSize(); ++i) {
            groups.push_back({static_cast<int32_t>(ids[i]), std::u16string(names[i].View())});
            notice.body += (i == 0 ? u"" : u", ") + std::u16string(names[i].View());
        }
    }
    if (groups.empty()) groups.push_back({kGroupNoCategory, std::u16string(KeyOf(kGroupNoCategory))});
    return groups;
}

}  // namespace

CallerNotice IdentifyCaller(ContactManager& manager, ContactSearch& search, std::u16string_view number) {
    CallerNotice notice;
    const std::u16string digits = Digits(number);
    std::vector<Group> groups;
    if (digits.empty()) {
        notice.summary = std::u16string(RequireStr(kStrPrivateNumber).View());
        groups.push_back({kGroupNoNumber, std::u16string(KeyOf(kGroupNoNumber))});
    } else {
        notice.summary = std::u16string(number);
        const std::u16string tail =
            digits.substr(digits.size() > kCallerDigits ? digits.size() - kCallerDigits : 0);
        const OidVector found =
            tail.size() >= ContactSearch::kMinLookupDigits ? search.Lookup(tail) : OidVector();
        Contact contact;
        if (!found.empty() && manager.ReadContact(found.front(), contact)) {
            notice.oid = found.front();
            notice.summary = std::u16string(RowName(contact, ListOrder::Name).View());
            const std::span<const uint8_t> picture = contact.GetPicture().ImageBytes().Bytes();
            notice.picture.assign(picture.begin(), picture.end());
            groups = ContactGroups(contact, notice);
        } else {
            groups.push_back({kGroupNoContact, std::u16string(KeyOf(kGroupNoContact))});
        }
    }
    notice.ringtone = RingtoneOf(groups);
    notice.hangUp = KeptOut(groups);
    return notice;
}
