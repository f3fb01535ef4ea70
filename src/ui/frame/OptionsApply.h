#pragma once
// The options as the options dialog shows and returns them, and the steps that carry out what the
// dialog changed. The dialog itself is an interface (OptionsDialog), so the steps are the same
// whichever dialog runs. No display is needed here.
#include <cstdint>
#include <string>

#include "core/result/Status.h"
#include "core/settings/FontSettings.h"

struct AbcBarSettings {
    uint32_t type = 0;       // the alphabet, 0 to 4
    std::u16string custom;   // the user's own alphabet
    [[nodiscard]] bool operator==(const AbcBarSettings&) const = default;
};

struct OptionsState {
    bool hideSim = true;
    FontStyle listFont;
    FontStyle viewFont;
    AbcBarSettings abc;
    uint32_t incrH = 0;
    bool templatesActive = false;
};

struct OptionsResult {
    bool ok = false;             // the dialog ended with OK
    OptionsState state;          // the options as the user left them
    bool reindex = false;        // a rebuild of the index was asked for
    bool templatesEdited = false;  // the phone-format templates were edited (and stored)
};

class OptionsDialog {
public:
    virtual ~OptionsDialog() = default;
    virtual OptionsResult Run(const OptionsState& current) = 0;
};

// What the steps act on: the contacts frame, the index, the coordination flags, the caller-ID
// program and the phone-format templates.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    virtual void ApplyListFont(const FontStyle& font) = 0;
    virtual void ApplyViewFont(const FontStyle& font) = 0;
    virtual void ApplyAbcSettings(const AbcBarSettings& abc) = 0;
    virtual void SetRowHeightIncrement(int pixels) = 0;
    virtual void RebuildIndexWithProgress() = 0;
    virtual void RebuildList() = 0;
    virtual void RedrawList() = 0;
    virtual void SetChangeFlag(uint32_t code) = 0;
    virtual void PostToCallerId(uint32_t message) = 0;
    virtual void ReloadPhoneTemplates() = 0;
};

// The caller-ID program's message after a rebuild of the index.
inline constexpr uint32_t kCallerIdIndexRebuilt = 0x0400 + 303;

// The options in force: the settings (fonts at `dpi`) and whether phone templates are active.
OptionsState ReadOptionsState(bool templatesActive, int dpi);

// Carries out what the dialog changed, in order: hide-SIM, list font, view font, alphabet bar,
// reindex, row height (IncrH times the 2-pixel step at `dpiX`), templates; then rebuilds the list
// when hide-SIM changed, else redraws it. Every changed setting is written at once and its
// coordination flag set. A result that is not OK changes nothing. A setting that could not be
// written fails it with the text kStrOptionsNotSaved (the remaining steps still run).
inline constexpr uint32_t kStrOptionsNotSaved = 41432;
Status ApplyOptions(const OptionsState& before, const OptionsResult& result, int dpiX, OptionsHost& host);
