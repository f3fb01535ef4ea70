// ContactEditInPropMapper: writing blocks back into a contact.
#include <vector>

#include "core/str/CharClass.h"
#include "edit/mapper/ContactEditInPropMapper.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFieldAccess.h"
#include "store/contact/ImText.h"
#include "store/contact/Trim.h"
#include "view/pane/FieldNames.h"
#include "view/template/ContactTemplate.h"
#include "view/template/TemplateContent.h"

namespace {

// The further values a block collects, replacing the contact's list of its group.
struct CustomRows {
    Array<CustText> texts;
    Array<CustIm> ims;
    Array<CustAddress> addresses;
    Array<CustDate> dates;
};

// A standard place of a group that one row fills: a text field, a date, or an address.
struct Slot {
    uint32_t name;  // the string resource of its built-in name
    int field;      // the field (for an address its street)
    const NamedAddress* address = nullptr;
    bool filled = false;
};

std::vector<Slot> SlotsOf(int kind, int list) {
    std::vector<Slot> slots;
    if (kind == kBlockAddress) {
        for (const NamedAddress& address : NamedAddresses())
            slots.push_back({address.name, address.fields[kSlotStreet], &address});
    } else {
        for (const NamedField& named : NamedFieldsOf(list)) slots.push_back({named.name, named.field});
    }
    return slots;
}

// The string resource of the built-in name a label stands for in the template's group; 0 for a
// label of the user's own.
uint32_t BuiltinNameOf(const ContactTemplate& tpl, int group, const Str& label) {
    const TemplateGroup* entries = tpl.Group(group);
    if (entries == nullptr) return 0;
    const int index = entries->IndexOfName(tpl.NameOf(group, label));
    const std::span<const uint32_t> names = BuiltinContent(group).names;
    return index >= 0 && index < entries->builtinCount && static_cast<size_t>(index) < names.size()
               ? names[index]
               : 0;
}

BlockRow Trimmed(const BlockRow& row) {
    BlockRow out = row;
    out.text = TrimBoth(row.text);
    for (Str& part : out.parts) part = TrimBoth(part);
    return out;
}

// A row read back, with its label and the built-in name that label stands for.
struct ReadRow {
    BlockRow row;
    Str label;
    uint32_t name = 0;
};

void StoreInSlot(int kind, const ReadRow& read, const Slot& slot, Contact& contact) {
    switch (kind) {
        case kBlockMessaging: contact.SetText(slot.field, JoinIm(read.row.msgType, read.row.text)); break;
        case kBlockDate: SetDateField(contact, slot.field, read.row.date); break;
        case kBlockAddress:
            for (int part = 0; part < kAddressSlots; ++part)
                contact.SetText(slot.address->fields[part], read.row.parts[part]);
            contact.*slot.address->format = static_cast<uint32_t>(read.row.format);
            break;
        default: contact.SetText(slot.field, read.row.text); break;
    }
}

void AddCustom(int kind, const ReadRow& read, CustomRows& custom) {
    const BlockRow& row = read.row;
    switch (kind) {
        case kBlockMessaging: custom.ims.Add({read.label, row.text, row.msgType}); break;
        case kBlockDate: custom.dates.Add({read.label, row.date}); break;
        case kBlockAddress:
            custom.addresses.Add({static_cast<uint32_t>(row.format), read.label, row.parts[kSlotStreet],
                                  row.parts[kSlotCity], row.parts[kSlotState], row.parts[kSlotPostalCode],
                                  row.parts[kSlotCountry]});
            break;
        default: custom.texts.Add({read.label, row.text}); break;
    }
}

// The slot a row goes to: the field it was loaded from while its label still names that field,
// else the first free slot of its name; null when it is a further value.
Slot* SlotFor(const ReadRow& read, std::vector<Slot>& slots, bool ownFieldOnly) {
    if (read.name == 0) return nullptr;
    for (Slot& slot : slots) {
        if (slot.filled || slot.name != read.name) continue;
        if (!ownFieldOnly || slot.field == read.row.field) return &slot;
    }
    return nullptr;
}

void StoreRows(const BlockDescriptor& block, Contact& contact, const ContactTemplate& tpl) {
    const int list = ContactFieldBag::ListOfGroup(block.group);
    if (list < 0) return;
    std::vector<ReadRow> rows;
    for (const BlockRow& original : block.rows) {
        ReadRow read{Trimmed(original)};
        if (read.row.IsEmpty(block.kind)) continue;
        const bool known = read.row.label >= 0 && read.row.label < block.labels.GetSize();
        read.label = known ? block.labels[read.row.label] : Str();
        read.name = BuiltinNameOf(tpl, block.group, read.label);
        rows.push_back(read);
    }
    // A value goes back to the field it came from first, so that it never moves to another field
    // of the same name (a second work number to the first) when an edit leaves it alone; the
    // other rows then fill the free fields of their names in row order.
    std::vector<Slot> slots = SlotsOf(block.kind, list);
    std::vector<bool> stored(rows.size(), false);
    for (bool ownFieldOnly : {true, false}) {
        for (size_t i = 0; i < rows.size(); ++i) {
            Slot* slot = stored[i] ? nullptr : SlotFor(rows[i], slots, ownFieldOnly);
            if (slot == nullptr) continue;
            StoreInSlot(block.kind, rows[i], *slot, contact);
            slot->filled = stored[i] = true;
        }
    }
    CustomRows custom;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!stored[i]) AddCustom(block.kind, rows[i], custom);
    }
    switch (block.kind) {
    case kBlockMessaging: contact.ims = custom.ims; break;
    case kBlockDate: contact.dates = custom.dates; break;
    case kBlockAddress: contact.addresses = custom.addresses; break;
    default: contact.*CustomTextsOf(list) = custom.texts; break;
    }
}

void StoreName(const BlockDescriptor& block, const ContactPicture& stored, Contact& contact) {
    for (int entry = kNameTitle; entry < kNameEntryCount; ++entry) {
        const Str value = TrimBoth(block.nameValues[entry]);
        if (!value.IsEmpty()) contact.SetText(NameEntryField(entry), value);
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
