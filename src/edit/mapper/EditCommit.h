#pragma once
// What OK of the edit dialog does with the blocks read back from the form.
#include "core/array/Array.h"
#include "edit/mapper/BlockDescriptor.h"
#include "edit/mapper/CustomValueRef.h"

class Contact;
class ContactEditInPropMapper;
class ContactTemplate;

// The edited contact: a copy of `original` emptied of every value the form edits (those the field
// table marks Edited), each block stored into it in form order, the custom-value reference
// re-targeted, and File As computed from the names when it is empty. The values the table marks
// Kept (the record identity, the UID and revision, the reference identifier, the platform's
// carried-over texts and flags, the fourth address format word, the format words of addresses
// without a row) stay as they were.
Contact BuildEditedContact(const Contact& original, const Array<BlockDescriptor>& blocks,
                           const ContactEditInPropMapper& mapper, const CustomValueRef& ref,
                           const ContactTemplate& tpl);

// The form as it stands, as a contact: the edited contact without the File As that OK computes
// (a File As computed now would stay when the names are changed afterwards). The editor rebuilds
// its form from it when the template changes while it is open.
Contact ReadEditedForm(const Contact& original, const Array<BlockDescriptor>& blocks,
                       const ContactEditInPropMapper& mapper, const CustomValueRef& ref, const ContactTemplate& tpl);

// OK: when the edited contact differs from `contact`, `contact` takes it and the result is true
// (the contact is to be saved); an edit that changes nothing gives false and changes nothing.
[[nodiscard]] bool CommitEdit(Contact& contact, const Array<BlockDescriptor>& blocks,
                              const ContactEditInPropMapper& mapper, const CustomValueRef& ref,
                              const ContactTemplate& tpl);
