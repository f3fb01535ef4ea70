#include "index/order/SortKeys.h"

namespace {

// "Last, First" when both are set, else whichever is set; empty when neither is.
Str LastFirst(const SortKeys& keys) {
    if (!keys.last.IsEmpty() && !keys.first.IsEmpty()) return keys.last + u", " + keys.first;
    return keys.last.IsEmpty() ? keys.first : keys.last;
}

}  // namespace

Str PersonKeyText(const SortKeys& keys) {
    Str text = LastFirst(keys);
    return text.IsEmpty() ? keys.title : text;
}

Str NameKeyText(const SortKeys& keys) {
    Str text = PersonKeyText(keys);
    return text.IsEmpty() ? keys.company : text;
}
