#pragma once
// The tag of a custom phone or e-mail entry, computed from its name and value so that a custom
// default survives a restart without being stored anywhere else. It is the editor's custom-value
// identifier (edit/mapper/CustomValueRef.h): the phone menu and the editor must agree on it. A
// custom tag always has 0xF in its top four bits; no standard property tag has.
#include <cstdint>
#include <string_view>

#include "edit/mapper/CustomValueRef.h"

inline uint32_t CustomTag(std::u16string_view name, std::u16string_view value) { return CustomValueId(name, value); }

[[nodiscard]] inline bool IsCustomTag(uint32_t tag) { return IsCustomValueId(tag); }
