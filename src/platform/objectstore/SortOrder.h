#pragma once
// Sort orders of a property database: one or more properties, each with its own flags, and flags
// of the order as a whole. docs/objectstore.md tells what each flag does.
#include <cstdint>
#include <vector>

namespace plat {

// Flags of one sort property.
inline constexpr uint32_t CEDB_SORT_DESCENDING = 0x1;
inline constexpr uint32_t CEDB_SORT_CASEINSENSITIVE = 0x2;
inline constexpr uint32_t CEDB_SORT_UNKNOWNFIRST = 0x4;

// Flags of a whole order.
inline constexpr uint16_t CEDB_SORT_UNIQUE = 0x0200;
inline constexpr uint16_t CEDB_SORT_NO_POSITIONAL = 0x1000;

struct SortProp {
    uint32_t propId = 0;
    uint32_t flags = 0;
    [[nodiscard]] bool operator==(const SortProp&) const = default;
};

struct SortOrderDescription {
    uint16_t keyFlags = 0;
    std::vector<SortProp> props;
    [[nodiscard]] bool operator==(const SortOrderDescription&) const = default;
};

// Most properties in one order, and most orders a database declares.
inline constexpr size_t kMaxSortProps = 16;
inline constexpr size_t kMaxSortOrders = 16;

}  // namespace plat
