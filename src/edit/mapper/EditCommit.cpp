#include "edit/mapper/EditCommit.h"

#include "edit/mapper/ContactEditInPropMapper.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFieldAccess.h"

namespace {

// The contact emptied of every value a block writes back (the field table's Edited values); the
// rest, identity and values the form does not show, stay as they are.
Contact EmptiedCopy(const Contact& original) {
    Contact copy = original;
    for (const FieldInfo& info : ContactFieldTable()) {
        if (info.editor == EditorRole::Edited) ClearField(copy, info.id);
    }
    return copy;
}

}  // namespace

Contact ReadEditedForm(const Contact& original, const Array<BlockDescriptor>& blocks,
                       const ContactEditInPropMapper& mapper, const CustomValueRef& ref, const ContactTemplate& tpl) {
    Contact edited = EmptiedCopy(original);
    for (const BlockDescriptor& block : blocks) mapper.Store(block, edited, tpl);
    RetargetCustomValueRef(ref, edited);
    return edited;
}

Contact BuildEditedContact(const Contact& original, const Array<BlockDescriptor>& blocks,
                           const ContactEditInPropMapper& mapper, const CustomValueRef& ref,
                           const ContactTemplate& tpl) {
    Contact edited = ReadEditedForm(original, blocks, mapper, ref, tpl);
    if (edited.GetText(kFieldFileAs).IsEmpty()) edited.SetText(kFieldFileAs, edited.GetDisplayName());
    return edited;
}

bool CommitEdit(Contact& contact, const Array<BlockDescriptor>& blocks, const ContactEditInPropMapper& mapper,
                const CustomValueRef& ref, const ContactTemplate& tpl) {
    const Contact edited = BuildEditedContact(contact, blocks, mapper, ref, tpl);
    if (edited.Equals(contact)) return false;
    contact.Assign(edited);
    return true;
}
