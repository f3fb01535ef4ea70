#pragma once
// The options dialog's pages and what they share: the remembered page, the page texts, the
// scrolling step, and the "Skin" page's list of caller-ID skins.
#include <array>
#include <cstdint>
#include <vector>

#include "core/str/Str.h"

namespace options {

inline constexpr int kPageCount = 4;
enum Page : int { kGeneral = 0, kView = 1, kPhone = 2, kSkin = 3 };
inline constexpr std::array<uint32_t, kPageCount> kPageTexts = {41379, 41380, 41381, 41384};
inline constexpr uint32_t kStrDefaultSkin = 41388;
// The caller-ID program's message after a new skin was chosen.
inline constexpr uint32_t kCallerIdSkinChanged = 0x0400 + 304;

// "OptionPage" of section "Settings"; values outside the pages give the first.
int ReadOptionPage();
[[nodiscard]] bool WriteOptionPage(int page);

// A page scrolls in steps of 5 pixels at 96 dpi, scaled by the horizontal dpi.
int ScrollStep(int dpiX);

// The skins of the skin folder ("*.cid", sorted by name), after "<Default Skin>" (the stored
// default "standard.cid").
struct SkinChoices {
    std::vector<Str> files;  // the file of each line; the first is the default skin's
    std::vector<Str> texts;  // what each line shows
    int selected = 0;        // the line of the stored "CIDSkin"
};
SkinChoices ReadSkins();
// Writes "CIDSkin" as the file of `line` and tells the caller-ID program. False when the value
// could not be written or `line` is none of them.
[[nodiscard]] bool ApplySkin(const SkinChoices& skins, int line);

}  // namespace options
