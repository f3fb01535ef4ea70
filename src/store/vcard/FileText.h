#pragma once
// The character encoding of imported files. Files arrive as UTF-8 (with or without a byte-order
// mark), as UTF-16 from some desktop exports, or in a single-byte code page; the readers work on
// 8-bit text and decode each value on its own, as a vCard may name a character set per value.
#include <string>
#include <string_view>

// The file as 8-bit text: a UTF-8 byte-order mark is dropped; UTF-16 (marked, or recognised by
// the zero bytes of its first ASCII characters) is converted to UTF-8; anything else is passed
// on unchanged.
std::string FileBytesToText(std::string_view bytes);

// The same without a copy where none is needed: a view of `bytes` themselves (past a UTF-8 mark),
// or of `converted`, which holds the UTF-8 of a UTF-16 file. A large file is then held once.
std::string_view FileTextOf(std::string_view bytes, std::string& converted);

// Decodes bytes of the file in the named character set, or, when `charset` is empty, as UTF-8
// falling back to windows-1252 when they are not valid UTF-8 (older exports use the code page).
// False, with `out` empty, for an unknown character set.
[[nodiscard]] bool DecodeFileText(std::string_view bytes, std::string_view charset, std::u16string& out);
