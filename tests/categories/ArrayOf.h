#pragma once
// An Array holding the given items, for the calls of the category layer that take one.
#include <initializer_list>

#include "core/array/Array.h"

template <typename T>
Array<T> ArrayOf(std::initializer_list<T> items) {
    Array<T> out;
    for (const T& item : items) out.Add(item);
    return out;
}
