#pragma once
// Checks that stop the program: each logs its message and raises FatalError(kFatalMemory, 0).
#include <cstddef>
#include <string_view>

// A required allocation that returned nothing: logs "Memory not allocated!!!".
void RequireMemory(const void* block);

// A file mapping that did not give both a view and a size: logs "Unable open memory as mapped
// file!!!" under `module` and `line` (the mapping's owner; DebugUtils by default).
void RequireMapping(const void* view, size_t size, std::string_view module = "DebugUtils",
                    int line = 184);
