#include "store/contact/ContactMerge.h"

#include <algorithm>
#include <array>

#include "store/contact/ContactFieldAccess.h"
#include "store/contact/ContactFields.h"
#include "store/vcard/NoteText.h"

namespace {

using Same = bool (*)(const Str&, const Str&);

std::u16string Digits(std::u16string_view text) {
    std::u16string digits;
    for (const char16_t unit : text) {
        if (unit >= u'0' && unit <= u'9') digits.push_back(unit);
    }
    return digits;
}

bool SameText(const Str& a, const Str& b) { return a == b; }

bool SameAddress(const Str& a, const Str& b) {
    Str x = a, y = b;
    x.MakeLower();
    y.MakeLower();
    return x == y;
}

Str LabelOf(int field) { return TextFieldLabel(field); }

// Phones of the same types (the two work phones, the two home phones) are one kind each.
std::vector<int> TwinsOf(int field) {
    std::vector<int> twins;
    if (!IsPhoneField(field)) return {field};
    for (const FieldInfo& info : ContactFieldTable()) {
        if (info.phone && info.phoneTypes == FieldInfoOf(field).phoneTypes) twins.push_back(info.id);
    }
    return twins;
}

class Merger {
public:
    Merger(Contact& target, const Contact& other) : target_(target), other_(other) {}

    MergeOutcome Run() {
        for (const int field : kPhoneFieldsNamedOrder)
            Place(field, TwinsOf(field), &ContactCustProps::phones, SameNumber);
        for (const int field : kEmailFields)
            Place(field, {kEmailFields.begin(), kEmailFields.end()}, &ContactCustProps::emails, SameAddress);
        Place(kFieldWeb, {kFieldWeb}, &ContactCustProps::webPages, SameText);
        for (const int field : {kFieldSpouse, kFieldChildren, kFieldAssistant, kFieldManager})
            Place(field, {field}, &ContactCustProps::people, SameText);
        Place(kFieldRingtone, {kFieldRingtone}, &ContactCustProps::ringtones, SameText);
        for (const int field :
             {kFieldNickname, kFieldCustomerId, kFieldGovernmentId, kFieldAccount, kFieldOffice})
            Place(field, {field}, &ContactCustProps::others, SameText);
        AppendList(&ContactCustProps::phones, SameNumber);
        AppendList(&ContactCustProps::emails, SameAddress);
        for (auto list : {&ContactCustProps::webPages, &ContactCustProps::people,
                          &ContactCustProps::ringtones, &ContactCustProps::others}) {
            AppendList(list, SameText);
        }
        PlaceIms();
        PlaceAddresses();
        PlaceDates();
        KeepSingleValues();
        JoinNotes();
        for (const uint32_t id : other_.categories) {
            if (std::find(target_.categories.begin(), target_.categories.end(), id) ==
                target_.categories.end())
                target_.categories.Add(id);
        }
        return std::move(outcome_);
    }

private:
    bool Held(const Str& value, const std::vector<int>& fields, Array<CustText> ContactCustProps::*list,
              Same same) const {
        for (const int field : fields) {
            if (same(target_.GetText(field), value)) return true;
        }
        for (const CustText& entry : target_.*list) {
            if (same(entry.value, value)) return true;
        }
        return false;
    }

    // The other's value of `field` goes to the first empty field of `kind`, else to the list.
    void Place(int field, const std::vector<int>& kind, Array<CustText> ContactCustProps::*list, Same same) {
        const Str& value = other_.GetText(field);
        if (value.IsEmpty()) return;
        std::vector<int> all = kind;
        if (list == &ContactCustProps::phones)
            all.assign(kPhoneFieldsNamedOrder.begin(), kPhoneFieldsNamedOrder.end());
        if (Held(value, all, list, same)) return;
        const auto free =
            std::find_if(kind.begin(), kind.end(), [&](int f) { return target_.GetText(f).IsEmpty(); });
        if (free != kind.end()) {
            target_.SetText(*free, value);
        } else {
            (target_.*list).Add({LabelOf(field), value});
        }
    }

    void AppendList(Array<CustText> ContactCustProps::*list, Same same) {
        const std::vector<int> none;
        for (const CustText& entry : other_.*list) {
            const bool phones = list == &ContactCustProps::phones;
            const std::vector<int> fields =
                phones ? std::vector<int>(kPhoneFieldsNamedOrder.begin(), kPhoneFieldsNamedOrder.end())
                : list == &ContactCustProps::emails
                    ? std::vector<int>(kEmailFields.begin(), kEmailFields.end())
                    : none;
            if (!Held(entry.value, fields, list, same)) (target_.*list).Add(entry);
        }
    }

    void PlaceIms() {
        constexpr std::array<int, 3> kIms = {kFieldIm1, kFieldIm2, kFieldIm3};
        const auto held = [&](const Str& value) {
            return std::any_of(kIms.begin(), kIms.end(),
                               [&](int f) { return target_.GetText(f) == value; }) ||
                   std::any_of(target_.ims.begin(), target_.ims.end(),
                               [&](const CustIm& im) { return im.value == value; });
        };
        for (const int field : kIms) {
            const Str& value = other_.GetText(field);
            if (value.IsEmpty() || held(value)) continue;
            const auto free =
                std::find_if(kIms.begin(), kIms.end(), [&](int f) { return target_.GetText(f).IsEmpty(); });
            if (free != kIms.end()) {
                target_.SetText(*free, value);
            } else {
                target_.ims.Add({LabelOf(field), value, Str()});
            }
        }
        for (const CustIm& im : other_.ims) {
            if (!held(im.value)) target_.ims.Add(im);
        }
    }

    struct AddressSlot {
        std::array<int, 5> fields;
        uint32_t ContactCustProps::*format;
        const char16_t* label;
    };
    static constexpr std::array<AddressSlot, 3> kAddresses = {{
        {{kFieldHomeStreet, kFieldHomeCity, kFieldHomeState, kFieldHomePostalCode, kFieldHomeCountry},
         &ContactCustProps::homeAddressFormat,
         u"Home address"},
        {{kFieldWorkStreet, kFieldWorkCity, kFieldWorkState, kFieldWorkPostalCode, kFieldWorkCountry},
         &ContactCustProps::workAddressFormat,
         u"Work address"},
        {{kFieldOtherStreet, kFieldOtherCity, kFieldOtherState, kFieldOtherPostalCode, kFieldOtherCountry},
         &ContactCustProps::otherAddressFormat,
         u"Other address"},
    }};

    static CustAddress AddressOf(const Contact& contact, const AddressSlot& slot) {
        return {contact.*slot.format,
                Str(slot.label),
                contact.GetText(slot.fields[0]),
                contact.GetText(slot.fields[1]),
                contact.GetText(slot.fields[2]),
                contact.GetText(slot.fields[3]),
                contact.GetText(slot.fields[4])};
    }

    static bool SamePlace(const CustAddress& a, const CustAddress& b) {
        return a.street == b.street && a.city == b.city && a.state == b.state &&
               a.postalCode == b.postalCode && a.country == b.country;
    }

    static bool Empty(const CustAddress& a) { return SamePlace(a, CustAddress{}); }

    bool AddressHeld(const CustAddress& address) const {
        return std::any_of(
                   kAddresses.begin(), kAddresses.end(),
                   [&](const AddressSlot& slot) { return SamePlace(AddressOf(target_, slot), address); }) ||
               std::any_of(target_.addresses.begin(), target_.addresses.end(),
                           [&](const CustAddress& kept) { return SamePlace(kept, address); });
    }

    void PlaceAddresses() {
        for (const AddressSlot& slot : kAddresses) {
            const CustAddress address = AddressOf(other_, slot);
            if (Empty(address) || AddressHeld(address)) continue;
            if (Empty(AddressOf(target_, slot))) {
                for (size_t i = 0; i < slot.fields.size(); ++i)
                    target_.SetText(slot.fields[i], other_.GetText(slot.fields[i]));
                target_.*slot.format = other_.*slot.format;
            } else {
                target_.addresses.Add(address);
            }
        }
        for (const CustAddress& address : other_.addresses) {
            if (!AddressHeld(address)) target_.addresses.Add(address);
        }
    }

    bool DateHeld(uint64_t date) const {
        return target_.GetBirthday() == date || target_.GetAnniversary() == date ||
               std::any_of(target_.dates.begin(), target_.dates.end(),
                           [&](const CustDate& d) { return d.date == date; });
    }

    void PlaceDates() {
        for (const int field : {kFieldBirthday, kFieldAnniversary}) {
            const uint64_t date = GetDateField(other_, field);
            if (date == 0 || DateHeld(date)) continue;
            if (GetDateField(target_, field) == 0) {
                SetDateField(target_, field, date);
            } else {
                target_.dates.Add({LabelOf(field), date});
            }
        }
        for (const CustDate& date : other_.dates) {
            if (!DateHeld(date.date)) target_.dates.Add(date);
        }
    }

    // Names, company, job, File As and the picture: the target's stay; the other's fill what the
    // target lacks, and a different one is named.
    void KeepSingleValues() {
        for (const int field : {kFieldTitle, kFieldFirst, kFieldMiddle, kFieldLast, kFieldSuffix,
                                kFieldCompany, kFieldDepartment, kFieldJobTitle, kFieldFileAs, kFieldText87,
                                kFieldText88, kFieldText89, kFieldText101}) {
            const Str& value = other_.GetText(field);
            if (value.IsEmpty() || value == target_.GetText(field)) continue;
            if (target_.GetText(field).IsEmpty()) {
                target_.SetText(field, value);
            } else {
                outcome_.notKept.push_back(LabelOf(field).ToUtf8() + " \"" + value.ToUtf8() +
                                           "\"");
            }
        }
        if (other_.GetPicture().IsEmpty() || other_.GetPicture() == target_.GetPicture()) return;
        if (target_.GetPicture().IsEmpty()) {
            target_.SetPicture(other_.GetPicture());
        } else {
            outcome_.notKept.push_back("its picture");
        }
    }

    void JoinNotes() {
        const Str other = other_.GetNoteText();
        if (other.IsEmpty()) return;
        const Str mine = target_.GetNoteText();
        if (mine.View().find(other.View()) != std::u16string_view::npos) return;
        const std::u16string joined =
            mine.IsEmpty() ? std::u16string(other.View())
                           : std::u16string(mine.View()) + u"\r\n" + std::u16string(other.View());
        target_.SetNote(NoteFromText(joined));
    }

    Contact& target_;
    const Contact& other_;
    MergeOutcome outcome_;
};

}  // namespace

bool SameNumber(const Str& a, const Str& b) {
    const std::u16string x = Digits(a.View()), y = Digits(b.View());
    if (x.empty() && y.empty()) return a == b;
    const std::u16string_view shorter = x.size() <= y.size() ? x : y, longer = x.size() <= y.size() ? y : x;
    return shorter == longer || (shorter.size() >= kSameNumberDigits && longer.ends_with(shorter));
}

MergeOutcome MergeContact(Contact& target, const Contact& other) { return Merger(target, other).Run(); }
