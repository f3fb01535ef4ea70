#pragma once
// The settings the contacts frame works with (section "Settings"), read with their defaults and
// with out-of-range values taken as the defaults say, and written back one value at a time the
// moment a command changes it.
#include <cstdint>
#include <string_view>

#include "core/str/Str.h"
#include "manager/search/ContactSearch.h"

// The alphabet bar's modes (AbcMode).
enum AbcMode : uint32_t { kAbcSmall = 0, kAbcBig = 1, kAbcHidden = 2 };

struct FrameSettings {
    ListOrder sortType = ListOrder::Name;  // other stored values read as name order
    uint32_t abcMode = kAbcBig;            // values outside 0..2 read as the big bar
    uint32_t abcModePrev = kAbcBig;        // the shown bar to come back to; never "hidden"
    bool splitVisible = false;
    bool showDPan = false;  // default: on for a phone device
    bool isDoubleSized = true;
    bool nameOnly = false;
    bool highlight = true;
    bool hideSim = true;  // the contacts from the SIM card are left out of the list
    bool listCyclic = false;
    uint32_t splitThousandths = 500;  // SplitPercent: thousandths of the frame given to the list (0..1000)
    uint32_t splitMode = 2;
    bool spltFix = false;
    uint32_t spltPosY = 1024;
    Str folderPath;  // as stored; empty means the default data folder

    static FrameSettings Load();
    // The stored HideSim alone (the options change it behind the frame's back).
    [[nodiscard]] static bool ReadHideSim();

    // Writes one DWORD of section "Settings"; false when the registry refuses it.
    [[nodiscard]] static bool Store(std::u16string_view name, uint32_t value);
    // Writes the splitter's values (the frame does this when the splitter goes away).
    [[nodiscard]] bool StoreSplitter() const;
};
