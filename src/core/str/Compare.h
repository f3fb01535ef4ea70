#pragma once
// The shared comparison of two texts: the device locale's collation, no flags.
#include <string_view>

// -1, 0 or 1 as `a` sorts before, with or after `b`; 0 also when the comparison cannot be made.
int CompareLocale(std::u16string_view a, std::u16string_view b);
