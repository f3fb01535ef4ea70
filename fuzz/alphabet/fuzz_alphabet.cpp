// Parses arbitrary UTF-16 text as an alphabet definition and keys the same text with it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "index/alphabet/AbcDefinition.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/alphabet/AbcResources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = DecodeUtf16Le(std::span<const uint8_t>(data, size));
    AbcDefinition definition;
    const bool parsed = ParseAbcDefinition(text, definition);
    if (parsed != (definition.GroupCount() > 0)) std::abort();
    if (definition.labels.GetSize() != definition.GroupCount() ||
        definition.secondLines.GetSize() != definition.GroupCount()) {
        std::abort();
    }
    AbcGroupTable table;
    table.Load(definition);
    const Str key = table.GroupKey(text);
    if (key.GetLength() > static_cast<int>(text.size())) std::abort();
    return 0;
}
