#pragma once
// The contacts frame's commands (the identifiers of its menus) and the display commands among
// them: each changes one setting, writes it back at once, announces a change of the order or the
// row form to the cooperating programs (coordination change flags 4, 5 and 6), and says what the
// frame must redo. Choosing what is already chosen changes, writes and announces nothing.
#include <cstdint>

#include "screen/list/FrameSettings.h"

namespace framecmd {

inline constexpr uint32_t kNewContact = 41209, kEdit = 41283, kDelete = 41208, kSetRingtone = 41433,
                          kBeam = 41286, kMakeAppointment = 41211, kShowOnlyName = 41214, kHighlight = 41428,
                          kOneLine = 41266, kTwoLine = 41264, kShowPhonePanel = 41369, kPreview = 41282,
                          kSortName = 41216, kSortFileAs = 41217, kSortCompany = 41218, kHideAbcBar = 41231,
                          kSmallAbcBar = 41232, kBigAbcBar = 41233, kAbcBar = 41429, kCategoryList = 41300,
                          kEditTemplate = 41147, kSetDataFolder = 41291, kReindex = 41290, kOptions = 41207,
                          kAbout = 41229, kDuplicate = 41284, kCallerIdContact = 41280;

// The coordination change flags the frame raises.
inline constexpr uint32_t kFlagIndexRebuilt = 0, kFlagSortOrder = 4, kFlagNameOnly = 5, kFlagDoubleSized = 6;

}  // namespace framecmd

// Tells the cooperating programs that a shared setting changed.
class ChangeAnnouncer {
public:
    virtual ~ChangeAnnouncer() = default;
    virtual void Announce(uint32_t flag) = 0;
};

// Raises the flag in the coordination block of the process's engine (nothing when it is not open).
class CoordinationAnnouncer : public ChangeAnnouncer {
public:
    void Announce(uint32_t flag) override;
};

struct SettingChange {
    bool handled = false;          // one of the display commands
    bool rebuildList = false;      // the order changed
    bool redrawList = false;       // the rows look different
    bool relayout = false;         // a child was shown or hidden
    bool lowerInputPanel = false;  // the big bar needs the room of the input panel
    int announce = -1;             // the change flag raised, -1 for none
};

// Carries out a display command on `settings` (written back at once; the flag announced).
SettingChange ApplySettingCommand(uint32_t command, FrameSettings& settings, ChangeAnnouncer& announcer);
