#pragma once
// The built-in alphabet definitions, resources of type "ABC": UTF-16LE texts that start with the
// byte-order mark. They are compiled in from res/abc/ (see docs/alphabets.md).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct AbcResourceEntry {
    uint32_t id;
    const uint8_t* data;
    size_t size;
};

// Every built-in definition, by rising number (generated at build time).
std::span<const AbcResourceEntry> AbcResourceEntries();

// The bytes of resource `id`; empty when there is no such resource.
std::span<const uint8_t> FindAbcResource(uint32_t id);

// UTF-16LE code units from bytes; an odd last byte is ignored.
std::u16string DecodeUtf16Le(std::span<const uint8_t> bytes);

// The text of a resource's bytes: nothing when they are shorter than 4 bytes or do not start with
// the byte-order mark FF FE. The mark is not part of the text; an odd last byte is ignored.
std::optional<std::u16string> DecodeAbcResource(std::span<const uint8_t> bytes);
