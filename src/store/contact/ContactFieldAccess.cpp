#include "store/contact/ContactFieldAccess.h"

namespace {

template <typename T>
void ClearMember(T& member) {
    member = T();
}

}  // namespace

uint64_t GetDateField(const ContactBase& contact, int field) {
    if (field == kFieldBirthday) return contact.GetBirthday();
    if (field == kFieldAnniversary) return contact.GetAnniversary();
    return 0;
}

void SetDateField(ContactBase& contact, int field, uint64_t fileTime) {
    if (field == kFieldBirthday) contact.SetBirthday(fileTime);
    if (field == kFieldAnniversary) contact.SetAnniversary(fileTime);
}

Array<CustText> ContactCustProps::*CustomTextListOf(int field) {
    switch (field) {
        case kFieldCustomPhones: return &ContactCustProps::phones;
        case kFieldCustomEmails: return &ContactCustProps::emails;
        case kFieldCustomWebPages: return &ContactCustProps::webPages;
        case kFieldCustomPeople: return &ContactCustProps::people;
        case kFieldCustomRingtones: return &ContactCustProps::ringtones;
        case kFieldCustomOthers: return &ContactCustProps::others;
        default: return nullptr;
    }
}

uint32_t ContactCustProps::*FormatWordOf(int field) {
    switch (field) {
        case kFieldHomeAddressFormat: return &ContactCustProps::homeAddressFormat;
        case kFieldWorkAddressFormat: return &ContactCustProps::workAddressFormat;
        case kFieldOtherAddressFormat: return &ContactCustProps::otherAddressFormat;
        case kFieldFourthFormat: return &ContactCustProps::fourthFormat;
        default: return nullptr;
    }
}

void ClearField(Contact& contact, int field) {
    if (field >= 0 && field < kTextFieldCount) return contact.SetText(field, Str());
    if (auto list = CustomTextListOf(field)) return ClearMember(contact.*list);
    if (auto word = FormatWordOf(field)) return ClearMember(contact.*word);
    switch (static_cast<ContactField>(field)) {
        case kFieldBirthday:
        case kFieldAnniversary: return SetDateField(contact, field, 0);
        case kFieldPicture: return contact.SetPicture(ContactPicture());
        case kFieldNote: return contact.SetNote(ByteBlock());
        case kFieldDefaultTag: return contact.SetDefaultTag(0);
        case kFieldFlag102: return contact.SetFlag102(false);
        case kFieldSimEntry: return contact.SetFromSim(false);
        case kFieldRecordId: return contact.SetRecordId(0);
        case kFieldOid: return contact.SetOid(0);
        case kFieldUid: return contact.SetUid(Str());
        case kFieldRevision: return contact.SetRevision(0);
        case kFieldCustomIms: return ClearMember(contact.ims);
        case kFieldCustomAddresses: return ClearMember(contact.addresses);
        case kFieldCustomDates: return ClearMember(contact.dates);
        case kFieldCategories:
            ClearMember(contact.categories);
            contact.categoriesLoaded = false;
            return;
        default: return;  // the texts, the text lists and the format words, above
    }
}

bool SameField(const Contact& a, const Contact& b, int field) {
    if (field >= 0 && field < kTextFieldCount) return a.GetText(field) == b.GetText(field);
    if (auto list = CustomTextListOf(field)) return SameElements(a.*list, b.*list);
    if (auto word = FormatWordOf(field)) return a.*word == b.*word;
    switch (static_cast<ContactField>(field)) {
        case kFieldBirthday:
        case kFieldAnniversary: return GetDateField(a, field) == GetDateField(b, field);
        case kFieldPicture: return a.GetPicture() == b.GetPicture();
        case kFieldNote: return a.GetNote() == b.GetNote();
        case kFieldDefaultTag: return a.GetDefaultTag() == b.GetDefaultTag();
        case kFieldFlag102: return a.GetFlag102() == b.GetFlag102();
        case kFieldSimEntry: return a.IsFromSim() == b.IsFromSim();
        case kFieldRecordId: return a.GetRecordId() == b.GetRecordId();
        case kFieldOid: return a.GetOid() == b.GetOid();
        case kFieldUid: return a.GetUid() == b.GetUid();
        case kFieldRevision: return a.GetRevision() == b.GetRevision();
        case kFieldCustomIms: return SameElements(a.ims, b.ims);
        case kFieldCustomAddresses: return SameElements(a.addresses, b.addresses);
        case kFieldCustomDates: return SameElements(a.dates, b.dates);
        case kFieldCategories: return SameElements(a.categories, b.categories);
        default: return false;
    }
}
