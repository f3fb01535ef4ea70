#pragma once
// The vocabulary of searches and listings of the word index.
#include <cstdint>
#include <vector>

// Object identifiers of contacts.
using OidVector = std::vector<uint32_t>;

// The stored orders: by name and by File As. The company order is derived from the name order.
enum class IndexOrder : int { Name = 0, FileAs = 1 };

// The word trees: the lower-cased words, and their alphabet-group keys.
enum class SearchTree : int { Text = 0, Group = 1 };
