#include "edit/mapper/ContactEditInPropMapper.h"

#include <optional>

#include "core/res/ResourceStrings.h"
#include "store/contact/Contact.h"
#include "view/template/ContactTemplate.h"
#include "view/template/TemplateContent.h"

namespace {

int KindOf(int group) {
    switch (group) {
    case kGroupName: return kBlockName;
    case kGroupMessaging: return kBlockMessaging;
    case kGroupOffice: return kBlockSingle;
    case kGroupAddress: return kBlockAddress;
    case kGroupCategories: return kBlockCategories;
    case kGroupDates: return kBlockDate;
    case kGroupLinks: return kBlockLinks;
    case kGroupNote: return kBlockNote;
    default: return kBlockList;
    }
}

BlockDescriptor NewBlock(int group, const ContactTemplate& tpl) {
    BlockDescriptor block;
    block.kind = KindOf(group);
    block.group = group;
    block.freeLabels = group == kGroupPeople || group == kGroupOther;
    if (const TemplateGroup* entries = tpl.Group(group)) {
        block.hint = entries->hint;
        block.builtinCount = entries->builtinCount;
        for (const Str& name : entries->names) block.labels.Add(tpl.LabelOf(group, name));
        if (group == kGroupMessaging) block.msgTypes = entries->msgTypeNames;
    }
    return block;
}

BlockDescriptor NameBlock(const ContactFieldBag& bag, const Contact& contact, const ContactTemplate& tpl) {
    BlockDescriptor block = NewBlock(kGroupName, tpl);
    block.labels[kNameFull] = RequireStr(kStrNameLabel);
    for (int i = 0; i < kNameEntryCount; ++i) block.hidden[i] = !tpl.IsFieldShown(i);
    block.nameColl = tpl.NameColl();
    for (const BagValue& pair : bag.List(kBagNameParts)) {
        const int index = IndexIn(block.labels, tpl.LabelOf(kGroupName, pair.name));
        if (index > kNameFull) block.nameValues[index] = pair.text;
    }
    block.picture = contact.GetPicture();
    return block;
}

// The value of a bag pair put into a row.
void SetRowValue(BlockRow& row, const BagValue& pair) {
    row.text = pair.text;
    row.msgType = pair.msgType;
    row.date = pair.date;
    row.parts = pair.parts;
    row.format = pair.format;
    row.field = pair.field;
}

// Fills the first empty row with that label, or adds a row.
void PlaceValue(BlockDescriptor& block, int label, const BagValue& pair) {
    for (BlockRow& row : block.rows) {
        if (row.label == label && row.IsEmpty(block.kind)) {
            SetRowValue(row, pair);
            return;
        }
    }
    BlockRow row;
    row.label = label;
    SetRowValue(row, pair);
    block.rows.Add(row);
}

// A block of rows: one empty row per template entry (when the group is shown, or `seedHidden`),
// then the contact's values in bag order.
std::optional<BlockDescriptor> ValueBlock(int group, const ContactFieldBag& bag, const ContactTemplate& tpl,
                                          bool seedHidden) {
    BlockDescriptor block = NewBlock(group, tpl);
    const TemplateGroup& entries = *tpl.Group(group);
    const int slots = seedHidden || tpl.IsGroupShown(group) ? entries.order.GetSize() : 0;
    for (int k = 0; k < slots; ++k) {
        const int entry = entries.order[k];
        if (entry < 0 || entry >= entries.names.GetSize()) continue;
        BlockRow row;
        row.label = block.LabelIndex(tpl.LabelOf(group, entries.names[entry]));
        if (group == kGroupMessaging) row.msgType = entries.msgTypeNames[tpl.MsgTypeOf(k)];
        if (group == kGroupAddress) row.format = tpl.AddrFormatOf(k);
        block.rows.Add(row);
    }
    for (const BagValue& pair : bag.List(ContactFieldBag::ListOfGroup(group))) {
        PlaceValue(block, block.LabelIndex(tpl.LabelOf(group, pair.name)), pair);
    }
    if (block.rows.IsEmpty()) return std::nullopt;
    return block;
}

std::optional<BlockDescriptor> BuildBlock(int group, const Contact& contact, const ContactFieldBag& bag,
                                          const ContactTemplate& tpl, bool seedHidden = false) {
    BlockDescriptor block = NewBlock(group, tpl);
    switch (group) {
    case kGroupName: return NameBlock(bag, contact, tpl);
    case kGroupOffice: {
        const Str& office = contact.GetText(kFieldOffice);
        if (!tpl.IsGroupShown(group) && office.IsEmpty()) return std::nullopt;
        BlockRow row;
        row.text = office;
        block.rows.Add(row);
        return block;
    }
    case kGroupCategories:
        if (!tpl.IsGroupShown(group) && contact.categories.IsEmpty()) return std::nullopt;
        block.categories = contact.categories;
        return block;
    case kGroupNote:
        block.note = contact.GetNote();
        return block;
    default: return ValueBlock(group, bag, tpl, seedHidden);
    }
}

}  // namespace

void ContactEditInPropMapper::Clear() {
    bag_.Clear();
    storedPicture_ = ContactPicture();
    blocks_.RemoveAll();
}

void ContactEditInPropMapper::Load(const Contact& contact, const ContactTemplate& tpl) {
    Clear();
    bag_.Fill(contact);
    storedPicture_ = contact.GetPicture();
    for (int group = kGroupName; group <= kGroupNote; ++group) {
        if (std::optional<BlockDescriptor> block = BuildBlock(group, contact, bag_, tpl)) blocks_.Add(*block);
    }
}

BlockDescriptor ContactEditInPropMapper::DefaultBlock(int group) {
    ContactTemplate defaults;
    defaults.ResetToDefaults();
    const Contact empty;
    ContactFieldBag bag;
    std::optional<BlockDescriptor> block = BuildBlock(group, empty, bag, defaults, true);
    return block ? *block : NewBlock(group, defaults);
}

int ContactEditInPropMapper::InsertPosition(const Array<BlockDescriptor>& blocks, int group) {
    int position = 0;
    for (int i = 0; i < blocks.GetSize(); ++i) {
        if (blocks[i].group < group) position = i + 1;
    }
    return position;
}
