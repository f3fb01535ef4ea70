#include "platform/objectstore/KeyOrder.h"

#include "platform/locale/Locale.h"
#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"

namespace plat::objstore {

namespace {

enum class Kind { Number, Text, FileTime, Other };

Kind KindOf(uint16_t type) {
    switch (type) {
        case CEVT_I4:
        case CEVT_UI4:
        case CEVT_AUTO_I4: return Kind::Number;
        case CEVT_LPWSTR: return Kind::Text;
        case CEVT_FILETIME: return Kind::FileTime;
        default: return Kind::Other;
    }
}

// A 32-bit value read as the key's own type: signed for CEVT_I4, unsigned otherwise.
int64_t NumberKey(uint16_t keyType, uint32_t bits) {
    return keyType == CEVT_I4 ? int64_t{static_cast<int32_t>(bits)} : int64_t{bits};
}

// Unsigned 64-bit file times keep their order on the signed scale with the top bit flipped.
int64_t FileTimeKey(uint64_t value) { return static_cast<int64_t>(value ^ 0x8000000000000000ULL); }

}  // namespace

KeyValue KeyOrder::FromStored(size_t index, uint16_t storedType, int64_t number, std::u16string text) const {
    const SortProp& prop = props_[index];
    const uint16_t keyType = PropType(prop.propId);
    KeyValue key;
    if (KindOf(storedType) != KindOf(keyType)) return key;
    key.present = true;
    switch (KindOf(keyType)) {
        case Kind::Number: key.number = NumberKey(keyType, static_cast<uint32_t>(number)); break;
        case Kind::FileTime: key.number = FileTimeKey(static_cast<uint64_t>(number)); break;
        default:
            key.text = std::move(text);
            if ((prop.flags & CEDB_SORT_CASEINSENSITIVE) != 0) LowerInPlace(key.text);
            break;
    }
    return key;
}

KeyValue KeyOrder::FromProp(size_t index, const PropVal& prop) const {
    const uint16_t type = PropType(prop.propId);
    if (KindOf(type) != KindOf(PropType(props_[index].propId))) {
        Fail(ERROR_INVALID_PARAMETER, "a seek value is not of the sort property's type");
    }
    const int64_t number = KindOf(type) == Kind::FileTime ? static_cast<int64_t>(prop.filetime) : int64_t{prop.u32};
    return FromStored(index, type, number, prop.text.substr(0, prop.text.find(u'\0')));
}

int KeyOrder::CompareKey(size_t index, const KeyValue& a, const KeyValue& b) const {
    const uint32_t flags = props_[index].flags;
    if (!a.present || !b.present) {
        if (a.present == b.present) return 0;
        // A record without the property sorts after the others, or before them when asked.
        const bool unknownFirst = (flags & CEDB_SORT_UNKNOWNFIRST) != 0;
        return (a.present == unknownFirst) ? 1 : -1;
    }
    int result = 0;
    if (KindOf(PropType(props_[index].propId)) == Kind::Text) {
        result = CompareText(a.text, b.text);
    } else {
        result = a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }
    return (flags & CEDB_SORT_DESCENDING) != 0 ? -result : result;
}

int KeyOrder::ComparePrefix(const std::vector<KeyValue>& a, const std::vector<KeyValue>& b, size_t count) const {
    for (size_t i = 0; i < count; ++i) {
        const int result = CompareKey(i, a[i], b[i]);
        if (result != 0) return result;
    }
    return 0;
}

bool KeyOrder::Less(CeOid a, const std::vector<KeyValue>& aKeys, CeOid b,
                    const std::vector<KeyValue>& bKeys) const {
    const int result = ComparePrefix(aKeys, bKeys, props_.size());
    return result != 0 ? result < 0 : a < b;
}

}  // namespace plat::objstore
