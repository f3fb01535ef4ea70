#include "screen/list/CallerLookup.h"

#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "store/contact/Contact.h"
#include "store/contact/Trim.h"

namespace {

std::u16string DigitsOf(std::u16string_view text) {
    std::u16string digits;
    for (const char16_t c : text) {
        if (c >= u'0' && c <= u'9') digits += c;
    }
    return digits;
}

bool NamedSo(ContactManager& manager, uint32_t oid, const Str& name) {
    Contact contact;
    if (name.IsEmpty() || !manager.ReadContact(oid, contact)) return false;
    return TrimBoth(contact.GetDisplayName()) == name || TrimBoth(contact.GetText(kFieldFileAs)) == name;
}

uint32_t NamedAmong(const OidVector& oids, ContactManager& manager, const Str& name) {
    for (const uint32_t oid : oids) {
        if (NamedSo(manager, oid, name)) return oid;
    }
    return 0;
}

}  // namespace

CallerRequest ParseCallerRequest(std::u16string_view text) {
    const size_t marker = text.find(kCallerMarker);
    if (marker == std::u16string_view::npos) return {TrimBoth(Str(text)), Str()};
    return {TrimBoth(Str(text.substr(0, marker))), TrimBoth(Str(text.substr(marker + kCallerMarker.size())))};
}

uint32_t FindCaller(const CallerRequest& request, ContactSearch& search, ContactManager& manager) {
    const std::u16string digits = DigitsOf(request.number.View());
    const OidVector byNumber =
        digits.size() >= ContactSearch::kMinLookupDigits ? search.Lookup(digits) : OidVector{};
    if (byNumber.size() == 1) return byNumber.front();
    if (!byNumber.empty()) {
        const uint32_t named = NamedAmong(byNumber, manager, request.name);
        return named != 0 ? named : byNumber.front();
    }
    if (request.name.IsEmpty()) return 0;
    return NamedAmong(search.Typed(request.name.View(), ListOrder::Name, {}).oids, manager, request.name);
}
