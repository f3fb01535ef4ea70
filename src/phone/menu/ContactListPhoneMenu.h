#pragma once
// The popup the contact list shows when the phone column of a row is tapped: the contact's
// numbers and addresses with the default marked, and one action line that calls or writes to
// the default. Rebuilt for every tap; the screen draws Describe() and hands back the command.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/menu/MenuDescription.h"
#include "core/str/Str.h"

class Contact;
class PhoneTemplates;

struct PhoneMenuEntry {
    uint32_t tag = 0;        // the standard field's tag; 0 for a custom entry
    uint32_t customTag = 0;  // the custom entry's tag; 0 for a standard field
    Str label;
    Str raw;      // the value as stored
    Str display;  // numbers formatted for display; addresses as stored
    bool email = false;

    uint32_t DefaultTag() const { return tag != 0 ? tag : customTag; }
};

// What the user's choice asks the caller to do.
struct PhoneMenuChoice {
    enum class Kind { Nothing, NewDefault, Call, Email } kind = Kind::Nothing;
    uint32_t newDefaultTag = 0;  // NewDefault: the tag to store as the contact's default
    Str text;                    // Call: the number to dial; Email: the address to write to
};

// Where the popup opens: right-aligned with the row and below it, or above it when the space
// below the row is smaller than the menu.
struct MenuPlacement {
    int right = 0;
    int top = 0;  // the menu's top edge when below, its bottom edge when above
    bool above = false;
};

// The font of the menu's lines.
struct PhoneMenuFont {
    int height;
    int weight;
};

class ContactListPhoneMenu {
public:
    static constexpr uint32_t kFirstEntryCommand = 1;
    static constexpr uint32_t kActionCommand = 0x7FFF;
    static constexpr uint32_t kStrDialTo = 41217;
    static constexpr uint32_t kStrEmailTo = 41211;

    // Collects the entries: the phone fields in menu order, the custom phones, the e-mail
    // fields, the custom e-mail addresses (empty values give no entry).
    void Build(const Contact& contact, const PhoneTemplates& formats);

    const std::vector<PhoneMenuEntry>& Entries() const { return entries_; }
    // The entry whose tag equals the contact's default dial tag, else the first; -1 when empty.
    int DefaultIndex() const { return defaultIndex_; }
    // A menu is shown only with at least one entry (entries plus the action line).
    [[nodiscard]] bool ShouldShow() const { return !entries_.empty(); }
    // "Dial to..." when the default is a number, "E-mail to..." when it is an address.
    Str ActionText() const;
    // The entries (the default with the radio mark), a separator, the action line.
    MenuDescription Describe() const;
    // What choosing that command means; an entry never calls, the action line never changes the
    // default.
    PhoneMenuChoice Choose(uint32_t command) const;

    // The lines the popup draws (entries and the action line).
    int LineCount() const { return entries_.empty() ? 0 : static_cast<int>(entries_.size()) + 1; }
    static MenuPlacement Place(int rowTop, int rowBottom, int rowRight, int screenBottom, int lines,
                               int lineHeight);

    // Height 14 (28 on a double-resolution screen), weight 200.
    static PhoneMenuFont LineFont(bool doubleResolution) { return {doubleResolution ? 28 : 14, 200}; }
    // How many leading characters of a line's display value are drawn: as many as fit between
    // the left margin (6 pixels at 96 dpi, scaled to `dpi`) and the label, which is right-aligned
    // before the right margin (4 pixels, scaled). `width` measures a text in the line's font.
    static int VisibleChars(std::u16string_view display, int lineWidth, int labelWidth, int dpi,
                            const std::function<int(std::u16string_view)>& width);

private:
    void Add(uint32_t tag, uint32_t customTag, const Str& label, const Str& raw, bool email,
             const PhoneTemplates* formats);

    std::vector<PhoneMenuEntry> entries_;
    int defaultIndex_ = -1;
};
