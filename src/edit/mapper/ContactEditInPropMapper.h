#pragma once
// ContactEditInPropMapper: the translation between a contact and the blocks of the edit form.
// Loading builds one descriptor per block from the contact, in group order, with the empty
// slots that the template asks for; storing writes a block read back from the form into a
// contact, standard fields first and further values after them.
#include "core/array/Array.h"
#include "edit/mapper/BlockDescriptor.h"
#include "store/contact/ContactPicture.h"
#include "view/pane/ContactFieldBag.h"

class Contact;
class ContactTemplate;

class ContactEditInPropMapper {
public:
    // Fills the bag from `contact` and builds the descriptors, one per block, in group order.
    void Load(const Contact& contact, const ContactTemplate& tpl);
    void Clear();

    const Array<BlockDescriptor>& Descriptors() const { return blocks_; }
    // The picture the contact had, written back when the name block leaves it unchanged.
    const ContactPicture& StoredPicture() const { return storedPicture_; }

    // Writes one block into `contact` (a working copy emptied of the edited values).
    void Store(const BlockDescriptor& block, Contact& contact, const ContactTemplate& tpl) const;

    // The block that the Fields menu adds for `group`: the default entries of a template reset
    // to the defaults, with empty values.
    static BlockDescriptor DefaultBlock(int group);
    // Where that block goes: after the last block of a lower group.
    static int InsertPosition(const Array<BlockDescriptor>& blocks, int group);

private:
    ContactFieldBag bag_;
    ContactPicture storedPicture_;
    Array<BlockDescriptor> blocks_;
};
