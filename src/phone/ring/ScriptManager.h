#pragma once
// ScriptManager: how the cooperating caller-ID program rings, as the user chose it in the "Ring
// Settings" popup: the ring type, the ring volume and the ring delay. The choice is kept in
// section "Settings" ("CID_Script", "CID_ScriptVer", "CID_Vol", "CID_Delay"), where the caller-ID
// program reads it.
#include <cstdint>

#include "core/menu/MenuDescription.h"
#include "core/result/Status.h"

// The first commands of the two menus in the main menu.
inline constexpr uint32_t kCmdRingTypeFirst = 25000;
inline constexpr uint32_t kCmdRingVolumeFirst = 25100;

class ScriptManager {
public:
    static constexpr int kUseSystem = -1;
    static constexpr int kRingTypes = 8;       // 0 "Ring" to 7 "Silent"
    static constexpr int kMaxVolume = 5;       // levels 0 to 5
    static constexpr int kDefaultDelay = 3;    // seconds
    static constexpr int kMaxDelay = 10;
    static constexpr uint32_t kStrNotSaved = 41433;

    // Reads the settings. Out-of-range values fall back to their defaults (delay 3, type and
    // volume "Use System"); a ring type stored in the older numbering ("CID_ScriptVer" 0) is
    // renumbered.
    void Load();

    int RingType() const { return type_; }
    int RingVolume() const { return volume_; }
    int RingDelay() const { return delay_; }

    // Items first + 0 to first + 7 (the ring types), a separator, "Use System" as first + 8; the
    // current choice is checked.
    MenuDescription RingTypeMenu(uint32_t first) const;
    // Items showing 5 down to 0 with the commands first + level, a separator, "Use System" as
    // first + 6; the current choice is checked.
    MenuDescription RingVolumeMenu(uint32_t first) const;

    // Store a choice: an index past the last type (or level past 5) is "Use System". Choosing
    // the current value writes nothing. Fails with kStrNotSaved when the settings could not be
    // written (the choice in memory is then not the one kept).
    Status SetRingType(int index);
    Status SetRingVolume(int level);

private:
    int volume_ = kUseSystem;
    int type_ = kUseSystem;
    int delay_ = kDefaultDelay;
};
