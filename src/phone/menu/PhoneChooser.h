#pragma once
// The model of the full-screen phone chooser (PhoneSelectWnd with its PhoneList): whether it is
// offered, what it lists, which line is preselected, its title and its place on the screen.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/str/Str.h"

class Contact;
class PhoneTemplates;

// DialType values (section "Settings").
enum DialType : uint32_t { kDialTypeNever = 1, kDialTypeTwoOrMore = 2, kDialTypeAlways = 3 };
inline constexpr uint32_t kDefaultDialType = kDialTypeAlways;

struct ChooserEntry {
    uint32_t tag = 0;  // the field's tag or the custom phone's custom tag
    Str label;
    Str raw;
    Str display;  // through the phone formats
};

// Keys and commands the chooser answers, and what they make it do.
enum class ChooserKey { Enter, Action, Talk, End, Sms };
enum class ChooserCommand {
    None,
    Call,     // dial the selected number with the contact, then close
    Close,    // close without calling
    Message,  // send a message to the selected number, then close
    Pick,     // picking: hand the selected index to the caller, then close
    Cancel,   // picking: the caller's cancel
};

class PhoneChooser {
public:
    static constexpr uint32_t kStrUnnamed = 41280;
    // Within this time after being shown the chooser takes the front back from any window.
    static constexpr uint64_t kKeepFrontMs = 2000;

    // The stored DialType (values outside 1 to 3 count as 3).
    static uint32_t StoredDialType();
    // Whether the chooser is shown for a contact under a DialType value: only for 2 (and the
    // contact has two numbers or more) and 3 (and it has one at least).
    [[nodiscard]] static bool ShouldOffer(uint32_t dialType, const Contact& contact);

    // The numbers in chooser order (phone fields with MMS before Company, then custom phones),
    // the default preselected.
    void Build(const Contact& contact, const PhoneTemplates& formats);
    const std::vector<ChooserEntry>& Entries() const { return entries_; }
    int Selected() const { return selected_; }
    void Select(int index);
    // The selected number as it is dialled (its display form); empty when there is none.
    Str SelectedNumber() const;

    // What a key does: Enter, the action key and Talk call (in picking mode Enter picks), End
    // closes (cancels when picking), the SMS command writes; nothing without a selection.
    ChooserCommand OnKey(ChooserKey key, bool picking) const;

    // The contact's File As text when the list is in File As order (`sortType` 1), else its
    // display name; "Unnamed" when that is empty.
    static Str Title(const Contact& contact, uint32_t sortType);
    // The top band left free above the chooser, 26 pixels at 96 dpi scaled to `dpi`.
    static int TopBand(int dpi);
    // Whether losing activation to a window of `className`, `sinceShownMs` after being shown,
    // makes the chooser come back to the front.
    [[nodiscard]] static bool TakesFrontBack(uint64_t sinceShownMs, std::u16string_view className);

private:
    std::vector<ChooserEntry> entries_;
    int selected_ = -1;
};
