#pragma once
// The format of the template file "Contact template.tpl" (docs/template-file.md): UTF-16LE code
// units without a byte-order mark, every line ending in CR LF, a sequence of sections each
// headed by its key in square brackets.
#include <cstdint>
#include <string_view>

inline constexpr std::u16string_view kTemplateFileName = u"Contact template.tpl";

// Section keys besides the groups' own list sections (TemplateContent.h).
inline constexpr std::u16string_view kKeyNameColl = u"NameColl";
inline constexpr std::u16string_view kKeyFieldFormat = u"Field%d";
inline constexpr std::u16string_view kKeyMsgType = u"MsgType";
inline constexpr std::u16string_view kKeyAddrFormat = u"AddrFormat";
inline constexpr std::u16string_view kKeyTrue = u"true";
inline constexpr std::u16string_view kKeyFalse = u"false";

// The name fields that the file stores ("Field1" ...); the others are always shown.
inline constexpr int kSwitchableNameFields[] = {1, 5, 6, 8, 9};

// A template file larger than this is not read (a real one is a few hundred bytes): it is taken
// as damaged and the defaults are used.
inline constexpr uint64_t kMaxTemplateFileBytes = 64u << 10;
// Lines of one list section past this many are ignored (a group has about ten entries).
inline constexpr size_t kMaxSectionLines = 1024;
