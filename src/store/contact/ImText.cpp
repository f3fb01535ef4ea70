#include "store/contact/ImText.h"

#include "store/contact/Trim.h"

ImParts SplitIm(const Str& text) {
    const int colon = text.Find(u':');
    if (colon < 0) return {Str(), TrimBoth(text)};
    return {TrimBoth(text.Left(colon)), TrimBoth(text.Mid(colon + 1))};
}

Str JoinIm(const Str& service, const Str& address) {
    if (service.IsEmpty()) return address;
    return service + u": " + address;
}
