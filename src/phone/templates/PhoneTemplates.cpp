#include "phone/templates/PhoneTemplates.h"

#include <optional>
#include <utility>
#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/templates/PhoneText.h"
#include "store/contact/Contact.h"

namespace {

using namespace phonetext;

// A number taken apart around its digits.
struct NumberParts {
    std::u16string_view prefix, openRun;
    Str middle;  // first to last digit, without the removed hyphens and blanks
    std::u16string_view closeRun, suffix;
};

// A template taken apart around its slot characters.
struct LayoutParts {
    std::u16string_view prefix, openRun, middle, closeRun, suffix;
};

NumberParts SplitNumber(std::u16string_view number, bool ignoreHyphens) {
    const Around around = SplitAround(number, kDigits);
    const Opening opening = SplitOpening(around.before);
    const Closing closing = SplitClosing(around.behind);
    Str middle;
    for (char16_t ch : around.middle) {
        if ((ch == u'-' && ignoreHyphens) || ch == u' ') continue;
        middle += ch;
    }
    return {opening.text, opening.run, middle, closing.run, closing.text};
}

LayoutParts SplitLayout(std::u16string_view layout) {
    const Around around = SplitAround(layout, kSlots);
    const Opening opening = SplitOpening(around.before);
    const Closing closing = SplitClosing(around.behind);
    return {opening.text, opening.run, around.middle, closing.run, closing.text};
}

// A number's run must stand inside the template's run of the same side when it has one.
bool RunsCompatible(std::u16string_view numberRun, std::u16string_view layoutRun) {
    return numberRun.empty() || layoutRun.find(numberRun) != std::u16string_view::npos;
}

Str Rebuild(const LayoutParts& layout, const NumberParts& number, const Str& middle) {
    Str out;
    if (!layout.prefix.empty() && !EqualNoCase(layout.prefix, number.prefix)) {
        out += layout.prefix;
        out += u' ';
    }
    out += number.prefix;
    out += number.openRun.empty() ? layout.openRun : number.openRun;
    out += middle;
    out += number.closeRun.empty() ? layout.closeRun : number.closeRun;
    out += number.suffix;
    if (!layout.suffix.empty() && !EqualNoCase(layout.suffix, number.suffix)) {
        out += u' ';
        out += layout.suffix;
    }
    return out;
}

// The number rebuilt in `layoutText`, or nothing when that template does not take it.
std::optional<Str> TryLayout(std::u16string_view layoutText, const NumberParts& number) {
    const LayoutParts layout = SplitLayout(layoutText);
    if (!RunsCompatible(number.openRun, layout.openRun) || !RunsCompatible(number.closeRun, layout.closeRun)) {
        return std::nullopt;
    }
    Str middle;
    if (!PhoneTemplates::Fits(layout.middle, number.middle.View()) ||
        !PhoneTemplates::Apply(layout.middle, Only(number.middle.View(), kDigits).View(), middle)) {
        return std::nullopt;
    }
    return Rebuild(layout, number, middle);
}

// Whether a template may be kept: not empty, allowed, and within the working length.
bool Keepable(std::u16string_view layout) {
    return !layout.empty() && layout.size() <= static_cast<size_t>(kPhoneMaxChars) &&
           PhoneTemplates::IsAllowed(layout);
}

}  // namespace

void PhoneTemplates::Load() {
    templates_.RemoveAll();
    slotCounts_.RemoveAll();
    if (SettingsStore::ReadDword(settings::kTemplates, settings::kCount, 0) == 0) {
        LoadDefaults();
    } else {
        for (const Str& layout : SettingsStore::ReadStringList(settings::kTemplates)) {
            if (Keepable(layout.View())) Insert(GetCount(), layout);
        }
    }
    active_ = SettingsStore::ReadDword(settings::kTemplates, settings::kIsActiveTemplate, 0) != 0;
    ignoreHyphens_ = SettingsStore::ReadDword(settings::kTemplates, settings::kIsIgnorePhoneFormat, 0) != 0;
}

bool PhoneTemplates::Save() const {
    const std::vector<Str> list(templates_.begin(), templates_.end());
    bool ok = SettingsStore::WriteStringList(settings::kTemplates, list);
    ok = SettingsStore::WriteDword(settings::kTemplates, settings::kIsIgnorePhoneFormat, ignoreHyphens_, false) && ok;
    ok = SettingsStore::WriteDword(settings::kTemplates, settings::kIsActiveTemplate, active_, true) && ok;
    return SettingsStore::FlushSection(settings::kTemplates) && ok;
}

void PhoneTemplates::LoadDefaults() {
    templates_.RemoveAll();
    slotCounts_.RemoveAll();
    for (std::u16string_view layout : kDefaultPhoneTemplates) Insert(GetCount(), Str(layout));
}

void PhoneTemplates::Insert(int index, const Str& layout) {
    templates_.InsertAt(index, layout);
    slotCounts_.InsertAt(index, CountSlots(layout.View()));
}

void PhoneTemplates::Remove(int index) {
    templates_.RemoveAt(index);
    slotCounts_.RemoveAt(index);
}

void PhoneTemplates::Exchange(int a, int b) {
    if (a < 0 || b < 0 || a >= GetCount() || b >= GetCount()) return;
    std::swap(templates_[a], templates_[b]);
    std::swap(slotCounts_[a], slotCounts_[b]);
}

bool PhoneTemplates::IsAllowed(std::u16string_view layout) {
    return layout.find_first_of(kForbidden) == std::u16string_view::npos;
}

int PhoneTemplates::CountSlots(std::u16string_view layout) { return CountOf(layout, kSlots); }

bool PhoneTemplates::Apply(std::u16string_view layout, std::u16string_view digits, Str& out) {
    const int n = static_cast<int>(digits.size());
    std::u16string_view takes;
    if (n == CountOf(layout, u"#")) {
        takes = u"#";
    } else if (n == CountOf(layout, kSlots)) {
        takes = kSlots;
    } else {
        return false;
    }
    out.Empty();
    size_t next = 0;
    for (char16_t ch : layout) out += IsIn(ch, takes) ? digits[next++] : ch;
    return true;
}

bool PhoneTemplates::Fits(std::u16string_view layoutMiddle, std::u16string_view numberMiddle) {
    if (layoutMiddle.empty() || numberMiddle.empty()) return false;
    if (numberMiddle.find_first_of(kSeparators) != std::u16string_view::npos) return false;
    const Str slots = Only(layoutMiddle, kSlots);
    const Str digits = Only(numberMiddle, kDigits);
    if (slots.GetLength() != digits.GetLength()) return false;
    for (int i = 0; i < slots.GetLength(); ++i) {
        if (slots[i] != u'#' && slots[i] != digits[i]) return false;
    }
    return EqualNoCase(Without(Without(layoutMiddle, kSlots).View(), kSeparators).View(),
                       Without(numberMiddle, kDigits).View());
}

std::optional<Str> PhoneTemplates::TryFormat(const Str& number) const {
    if (!active_ || templates_.IsEmpty() || number.IsEmpty()) return std::nullopt;
    if (number.GetLength() > kPhoneMaxChars) return std::nullopt;
    const int n = CountOf(number.View(), kDigits);
    if (n == 0) return std::nullopt;
    const NumberParts parts = SplitNumber(number.View(), ignoreHyphens_);
    // First the templates with literal digits (the more particular ones), then all of them.
    for (bool literalPass : {true, false}) {
        for (int i = 0; i < GetCount(); ++i) {
            if (slotCounts_[i] != n) continue;
            if (literalPass && CountOf(templates_[i].View(), kDigits) == 0) continue;
            if (std::optional<Str> rebuilt = TryLayout(templates_[i].View(), parts)) {
                if (rebuilt->GetLength() > kPhoneMaxChars) return std::nullopt;
                return rebuilt;
            }
        }
    }
    return std::nullopt;
}

void PhoneTemplates::FormatContact(Contact& contact) const {
    if (!active_ || templates_.IsEmpty()) return;
    for (int field = 0; field < kTextFieldCount; ++field) {
        if (!IsPhoneField(field)) continue;
        if (const std::optional<Str> number = TryFormat(contact.GetText(field)))
            contact.SetText(field, *number);
    }
    // A number no template fits stays as it is.
    for (CustText& phone : contact.phones) phone.value = Formatted(phone.value);
}
