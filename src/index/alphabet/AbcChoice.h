#pragma once
// Which alphabet the bar and the group index use: the setting "Type" of section "ABC", or when it
// is out of range the type of the user's language; English whenever the chosen one cannot be
// loaded or does not parse.
#include <cstdint>
#include <string_view>

#include "index/alphabet/AbcDefinition.h"

enum AbcType : int {
    kAbcCustom = 0,  // the user's own text, setting "Custom" of section "ABC"
    kAbcEnglish = 1,
    kAbcRussian = 2,
    kAbcEnglishRussian = 3,
    kAbcGerman = 4,
};
inline constexpr int kAbcTypeCount = 5;

// The built-in resources of type "ABC". No type selects the Polish one.
inline constexpr uint32_t kAbcResEnglish = 198;
inline constexpr uint32_t kAbcResRussian = 199;
inline constexpr uint32_t kAbcResEnglishRussian = 215;
inline constexpr uint32_t kAbcResGerman = 220;
inline constexpr uint32_t kAbcResPolish = 256;

// The resource of a built-in type; 0 for the custom type and for any other number.
uint32_t AbcResourceOfType(int type);

// The type in force for a stored "Type" value: the value itself when it is 0 to 4, otherwise the
// type of the user's language (0 counts as US English): Russian 2, German 4, any other 1.
int ResolveAbcType(uint32_t setting, uint16_t languageId);

// The definition of `type`, with `customText` as the text of the custom type. English when the
// type's definition cannot be loaded or does not parse.
AbcDefinition LoadAbcDefinition(int type, std::u16string_view customText);

// The type the settings choose: the stored "Type", or the type of the user's language of the
// device locale when none (or none of 0 to 4) is stored.
int ChosenAbcType();

// The definition the settings choose (section "ABC" of the device's settings, the user's
// language of the device locale).
AbcDefinition LoadChosenAbcDefinition();

// Loads the process-wide AbcGroupTable from the chosen definition.
void ReloadAbcGroupTable();
