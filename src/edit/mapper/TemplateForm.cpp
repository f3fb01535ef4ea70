#include "edit/mapper/TemplateForm.h"

#include "edit/mapper/ContactEditInPropMapper.h"
#include "store/contact/Contact.h"
#include "view/template/ContactTemplate.h"

bool CanBeTemplateName(const Str& label) { return !label.IsEmpty() && label[0] != u'['; }

Array<BlockDescriptor> TemplateBlocks(const ContactTemplate& tpl) {
    // An empty contact loads into exactly the template's slots: a block for each shown group.
    ContactEditInPropMapper mapper;
    mapper.Load(Contact(), tpl);
    Array<BlockDescriptor> blocks;
    for (const BlockDescriptor& block : mapper.Descriptors()) {
        if (block.group != kGroupNote) blocks.Add(block);
    }
    return blocks;
}

void ReadTemplateBlocks(const Array<BlockDescriptor>& blocks, ContactTemplate& tpl) {
    tpl.Clear();
    tpl.SetGroupShown(kGroupOffice, false);
    tpl.SetGroupShown(kGroupCategories, false);
    for (const BlockDescriptor& block : blocks) {
        switch (block.group) {
        case kGroupName: tpl.SetNameColl(block.nameColl); continue;
        case kGroupOffice:
        case kGroupCategories: tpl.SetGroupShown(block.group, true); continue;
        case kGroupNote: continue;
        default: break;
        }
        for (const BlockRow& row : block.rows) {
            if (row.label < 0 || row.label >= block.labels.GetSize()) continue;
            const Str& label = block.labels[row.label];
            if (!CanBeTemplateName(label)) continue;
            if (block.group == kGroupMessaging) {
                tpl.AddMessagingEntry(label, row.msgType);
            } else if (block.group == kGroupAddress) {
                tpl.AddAddressEntry(label, row.format);
            } else {
                tpl.AddEntry(block.group, label);
            }
        }
    }
}
