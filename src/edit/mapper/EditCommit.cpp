#include "edit/mapper/EditCommit.h"

#include "edit/mapper/ContactEditInPropMapper.h"
#include "store/contact/Contact.h"

namespace {

// Texts of the record that only the platform's own contacts program uses.
constexpr int kCarriedTexts[] = {kFieldText87, kFieldText88, kFieldText89, kFieldText101};

Contact EmptiedCopy(const Contact& original) {
    Contact copy;
    copy.SetOid(original.GetOid());
    copy.SetDefaultTag(original.GetDefaultTag());
    copy.SetRecordId(original.GetRecordId());
    copy.SetFlag102(original.GetFlag102());
    copy.SetNote(original.GetNote());
    for (int field : kCarriedTexts) copy.SetText(field, original.GetText(field));
    copy.homeAddressFormat = original.homeAddressFormat;
    copy.workAddressFormat = original.workAddressFormat;
    copy.otherAddressFormat = original.otherAddressFormat;
    copy.fourthFormat = original.fourthFormat;
    copy.categories = original.categories;
    copy.categoriesLoaded = original.categoriesLoaded;
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
