#pragma once
// The texts of a contact that its place in the stored orders depends on, and where they come
// from. The comparators read them through a SortKeySource (the contacts database in the program,
// a table in tests and benchmarks); the bulk rebuild takes them from the contacts it indexes.
#include <cstdint>

#include "core/str/Str.h"

// Property numbers of the texts the orders use (all of string type).
inline constexpr uint16_t kPropFileAs = 0x80;
inline constexpr uint16_t kPropTitle = 0x81;
inline constexpr uint16_t kPropFirst = 0x82;
inline constexpr uint16_t kPropLast = 0x84;
inline constexpr uint16_t kPropCompany = 0x8A;

struct SortKeys {
    Str fileAs;   // 0x80
    Str title;    // 0x81
    Str first;    // 0x82
    Str last;     // 0x84
    Str company;  // 0x8A
};

class SortKeySource {
public:
    virtual ~SortKeySource() = default;
    // The sort texts of record `oid`; false when the record cannot be read.
    [[nodiscard]] virtual bool ReadSortKeys(uint32_t oid, SortKeys& out) = 0;

protected:
    SortKeySource() = default;
    SortKeySource(const SortKeySource&) = default;
    SortKeySource& operator=(const SortKeySource&) = default;
};

// The name order's text: "Last, First" when both are set, else whichever is set, else the title,
// else the company, else empty.
Str NameKeyText(const SortKeys& keys);
// The person part of the company order's text: as NameKeyText without the company fallback.
Str PersonKeyText(const SortKeys& keys);
