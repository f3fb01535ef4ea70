#pragma once
// The order of a sort order: key values of records, compared property by property with the
// property's flags (text in the device locale's collation), ties broken by object identifier.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/objectstore/PropVal.h"
#include "platform/objectstore/SortOrder.h"

namespace plat::objstore {

// One key property of one record. Numbers of every type are brought to one signed scale that keeps
// their order; text is kept lower-cased when the property ignores case.
struct KeyValue {
    bool present = false;
    int64_t number = 0;
    std::u16string text;
};

struct ViewEntry {
    CeOid oid = 0;
    std::vector<KeyValue> keys;
};

class KeyOrder {
public:
    KeyOrder() = default;
    explicit KeyOrder(std::vector<SortProp> props) : props_(std::move(props)) {}

    const std::vector<SortProp>& Props() const { return props_; }

    // The key of a stored value of key property `index`; absent when the stored type is not of the
    // key's kind (number, text, file time).
    KeyValue FromStored(size_t index, uint16_t storedType, int64_t number, std::u16string text) const;

    // The key of a value given to a seek; ERROR_INVALID_PARAMETER when it is not of the key's kind.
    KeyValue FromProp(size_t index, const PropVal& prop) const;

    // <0, 0, >0 comparing the first `count` keys only.
    int ComparePrefix(const std::vector<KeyValue>& a, const std::vector<KeyValue>& b, size_t count) const;

    // The full order: every key, then the object identifier.
    [[nodiscard]] bool Less(const ViewEntry& a, const ViewEntry& b) const {
        return Less(a.oid, a.keys, b.oid, b.keys);
    }
    [[nodiscard]] bool Less(CeOid a, const std::vector<KeyValue>& aKeys, CeOid b,
                            const std::vector<KeyValue>& bKeys) const;

private:
    int CompareKey(size_t index, const KeyValue& a, const KeyValue& b) const;

    std::vector<SortProp> props_;
};

}  // namespace plat::objstore
