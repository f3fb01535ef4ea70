#pragma once
// PhoneTemplates: the layouts in which raw phone numbers are shown ("+# (###) ###-##-##" shows
// 74951234567 as +7 (495) 123-45-67), in priority order, with the two switches that govern them.
// A number is only ever reformatted when it carries no layout of its own; the stored number is
// never changed, formatting is a display step.
//
// Stored in settings section "Templates": "Count", "0", "1", ... (one template each),
// "IsIgnorePhoneFormat" and "IsActiveTemplate".
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/array/Array.h"
#include "core/str/Str.h"

class Contact;

// The working length of numbers and templates: their buffers hold this many characters with the
// terminator. A longer number is shown unchanged; a longer template is not kept.
inline constexpr int kPhoneBufferChars = 260;
inline constexpr int kPhoneMaxChars = kPhoneBufferChars - 1;

class PhoneTemplates {
public:
    // Reads the section; with no templates stored ("Count" missing or 0) the defaults are used
    // (and not written). Empty templates, those with a forbidden character and those longer than
    // kPhoneMaxChars are skipped.
    void Load();
    // Writes the section anew. True when every write succeeded.
    [[nodiscard]] bool Save() const;
    // Replaces the templates by the default list.
    void LoadDefaults();

    int GetCount() const { return templates_.GetSize(); }
    const Str& Template(int index) const { return templates_[index]; }
    int SlotCount(int index) const { return slotCounts_[index]; }
    void Insert(int index, const Str& layout);
    void Remove(int index);
    void Exchange(int a, int b);

    [[nodiscard]] bool IsActive() const { return active_; }
    void SetActive(bool on) { active_ = on; }
    [[nodiscard]] bool IgnoresHyphens() const { return ignoreHyphens_; }
    void SetIgnoreHyphens(bool on) { ignoreHyphens_ = on; }

    // `number` in the first template that fits it; nothing when formatting is off or no template
    // fits (then the number is used as it is).
    std::optional<Str> TryFormat(const Str& number) const;
    // `number` in the first template that fits it, else `number` as it is.
    Str Formatted(const Str& number) const { return TryFormat(number).value_or(number); }
    // Formats every phone number of a contact, its custom phones included, when formatting is on.
    void FormatContact(Contact& contact) const;

    // The substitution step: each "#" of `layout` takes the next digit when there are as many
    // digits as "#"; otherwise, when there are as many digits as slot characters ("#" and literal
    // digits), each slot character takes the next digit. False when neither count matches.
    [[nodiscard]] static bool Apply(std::u16string_view layout, std::u16string_view digits, Str& out);
    // Whether the digits part of a template takes the digits part of a number (see docs).
    [[nodiscard]] static bool Fits(std::u16string_view layoutMiddle, std::u16string_view numberMiddle);

    // Whether a text may be a template: no forbidden character "[]{}<>".
    [[nodiscard]] static bool IsAllowed(std::u16string_view layout);
    // The number of slot characters of a template.
    static int CountSlots(std::u16string_view layout);

private:
    Array<Str> templates_;
    Array<int> slotCounts_;
    bool active_ = false;
    bool ignoreHyphens_ = false;
};

// The default templates, in priority order.
inline constexpr std::u16string_view kDefaultPhoneTemplates[] = {
    u"##-##-##", u"+# (###) ###-##-##", u"#-###-###-##-##", u"###-###-####", u"800-###-####", u"212-#-##-##-##",
};
