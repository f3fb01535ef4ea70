// ContactEditInPropMapper: writing blocks back into a contact.
#include <vector>

#include "core/res/ResourceStrings.h"
#include "core/str/CharClass.h"
#include "edit/mapper/ContactEditInPropMapper.h"
#include "store/contact/Contact.h"
#include "store/contact/ImText.h"
#include "store/contact/Trim.h"
#include "view/pane/FieldNames.h"
#include "view/template/ContactTemplate.h"

namespace {

// The further values a block collects, replacing the contact's list of its group.
struct CustomRows {
    Array<CustText> texts;
    Array<CustIm> ims;
    Array<CustAddress> addresses;
    Array<CustDate> dates;
};

BlockRow Trimmed(const BlockRow& row) {
    BlockRow out = row;
    out.text = TrimBoth(row.text);
    for (Str& part : out.parts) part = TrimBoth(part);
    return out;
}

// Stores a row into the first unfilled standard field named `name`; false when there is none.
bool StoreNamedText(int list, const Str& name, const Str& text, Contact& contact, std::vector<bool>& filled) {
    const std::span<const NamedField> fields = NamedFieldsOf(list);
    for (size_t i = 0; i < fields.size(); ++i) {
        if (filled[i] || RequireStr(fields[i].name) != name) continue;
        contact.SetText(fields[i].field, text);
        filled[i] = true;
        return true;
    }
    return false;
}

bool StoreNamedDate(const Str& name, uint64_t date, Contact& contact, std::vector<bool>& filled) {
    const uint32_t names[] = {kStrBirthday, kStrAnniversary};
    for (size_t i = 0; i < 2; ++i) {
        if (filled[i] || RequireStr(names[i]) != name) continue;
        if (i == 0) {
            contact.SetBirthday(date);
        } else {
            contact.SetAnniversary(date);
        }
        filled[i] = true;
        return true;
    }
    return false;
}

bool StoreNamedAddress(const Str& name, const BlockRow& row, Contact& contact, std::vector<bool>& filled) {
    const std::span<const NamedAddress> addresses = NamedAddresses();
    for (size_t i = 0; i < addresses.size(); ++i) {
        if (filled[i] || RequireStr(addresses[i].name) != name) continue;
        for (int slot = 0; slot < kAddressSlots; ++slot) contact.SetText(addresses[i].fields[slot], row.parts[slot]);
        contact.*addresses[i].format = static_cast<uint32_t>(row.format);
        filled[i] = true;
        return true;
    }
    return false;
}

// Stores a row in its standard field, or adds it to the further values under its label.
void StoreRow(int kind, int list, const Str& label, const Str& name, const BlockRow& row, Contact& contact,
              std::vector<bool>& filled, CustomRows& custom) {
    switch (kind) {
    case kBlockMessaging:
        if (!StoreNamedText(list, name, JoinIm(row.msgType, row.text), contact, filled)) {
            custom.ims.Add({label, row.text, row.msgType});
        }
        break;
    case kBlockDate:
        if (!StoreNamedDate(name, row.date, contact, filled)) custom.dates.Add({label, row.date});
        break;
    case kBlockAddress:
        if (!StoreNamedAddress(name, row, contact, filled)) {
            custom.addresses.Add({static_cast<uint32_t>(row.format), label, row.parts[kSlotStreet],
                                  row.parts[kSlotCity], row.parts[kSlotState], row.parts[kSlotPostalCode],
                                  row.parts[kSlotCountry]});
        }
        break;
    default:
        if (!StoreNamedText(list, name, row.text, contact, filled)) custom.texts.Add({label, row.text});
        break;
    }
}

void StoreRows(const BlockDescriptor& block, Contact& contact, const ContactTemplate& tpl) {
    const int list = ContactFieldBag::ListOfGroup(block.group);
    if (list < 0) return;
    std::vector<bool> filled(16, false);
    CustomRows custom;
    for (const BlockRow& original : block.rows) {
        const BlockRow row = Trimmed(original);
        if (row.IsEmpty(block.kind)) continue;
        const bool known = row.label >= 0 && row.label < block.labels.GetSize();
        const Str label = known ? block.labels[row.label] : Str();
        StoreRow(block.kind, list, label, tpl.NameOf(block.group, label), row, contact, filled, custom);
    }
    switch (block.kind) {
    case kBlockMessaging: contact.ims = custom.ims; break;
    case kBlockDate: contact.dates = custom.dates; break;
    case kBlockAddress: contact.addresses = custom.addresses; break;
    default: contact.*CustomTextsOf(list) = custom.texts; break;
    }
}

void StoreName(const BlockDescriptor& block, const ContactPicture& stored, Contact& contact) {
    const std::span<const NamedField> parts = NamedFieldsOf(kBagNameParts);
    for (int entry = kNameTitle; entry < kNameEntryCount; ++entry) {
        const Str value = TrimBoth(block.nameValues[entry]);
        if (!value.IsEmpty()) contact.SetText(parts[entry - kNameTitle].field, value);
    }
    contact.SetPicture(block.pictureChanged ? block.picture : stored);
}

// A note holds text when some unit of it is neither NUL nor white space.
bool NoteHasText(const ByteBlock& note) {
    const std::span<const uint8_t> bytes = note.Bytes();
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit != 0 && !IsSpaceChar(unit)) return true;
    }
    return false;
}

}  // namespace

void ContactEditInPropMapper::Store(const BlockDescriptor& block, Contact& contact, const ContactTemplate& tpl) const {
    switch (block.kind) {
    case kBlockName: StoreName(block, storedPicture_, contact); break;
    case kBlockSingle:
        if (!block.rows.IsEmpty()) {
            const Str office = TrimBoth(block.rows[0].text);
            if (!office.IsEmpty()) contact.SetText(kFieldOffice, office);
        }
        break;
    case kBlockCategories:
        contact.categories = block.categories;
        contact.categoriesLoaded = true;
        break;
    case kBlockNote: contact.SetNote(NoteHasText(block.note) ? block.note : ByteBlock()); break;
    default: StoreRows(block, contact, tpl); break;
    }
}
