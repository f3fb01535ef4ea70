#pragma once
// The comparators that keep the stored orders: each compares the key text of one contact (set
// with SetKey) with that of others, read through a SortKeySource, by the device's collation, ties
// broken by OID so that the order is total. A contact that cannot be read marks the comparator
// failed and compares equal.
#include <cstdint>
#include <span>

#include "core/str/Str.h"
#include "index/order/SortKeys.h"
#include "index/store/Allocator.h"

class IndexComparator {
public:
    virtual ~IndexComparator() = default;

    void SetSource(SortKeySource* source) { source_ = source; }
    // Reads the key text of `oid`; false when it cannot be read.
    [[nodiscard]] virtual bool SetKey(uint32_t oid);
    // -1, 0 or 1: the key contact against `oid`. 0 and the failed flag when `oid` cannot be read.
    virtual int Compare(uint32_t oid);

    [[nodiscard]] bool Failed() const { return failed_; }
    void ClearFailed() { failed_ = false; }
    // The key text of a contact's sort texts.
    virtual Str KeyText(const SortKeys& keys) const = 0;
    // The order of two (text, OID) keys.
    static int CompareKeys(const Str& a, uint32_t aOid, const Str& b, uint32_t bOid);

protected:
    IndexComparator() = default;
    IndexComparator(const IndexComparator&) = default;
    IndexComparator& operator=(const IndexComparator&) = default;

private:
    SortKeySource* source_ = nullptr;
    bool failed_ = false;
    uint32_t keyOid_ = 0;
    Str keyText_;
};

class NameComparator : public IndexComparator {
public:
    Str KeyText(const SortKeys& keys) const override { return NameKeyText(keys); }
};

class FileAsComparator : public IndexComparator {
public:
    Str KeyText(const SortKeys& keys) const override { return keys.fileAs; }
};

// Inserts `oid` into the order list at `*listOffset` (0: none yet) at its place by `comparator`,
// in a new block. Entries found unreadable on the way are dropped (a list of one is replaced).
// False, the list unchanged, when the key contact cannot be read or a block cannot be had.
[[nodiscard]] bool InsertOrdered(Allocator& alloc, uint32_t& listOffset, uint32_t oid,
                                 IndexComparator& comparator);

// Whether the contact at `place` of `list` still sorts after the entry before it and before the
// entry after it by the texts `comparator` reads now: a changed contact that does keeps its place
// without a search. No when the contact or a neighbour cannot be read.
[[nodiscard]] bool StillInPlace(std::span<const uint32_t> list, size_t place, IndexComparator& comparator);
