#pragma once
// The template editor's form: a contact template shown as blocks of the edit form, and the blocks
// read back into a template. Each block lists the entries of one shown group by label, with
// empty values: the messaging rows carry their messenger type, the address rows their address
// format. Reading back gives the template exactly what the blocks list, in their order.
#include "core/array/Array.h"
#include "edit/mapper/BlockDescriptor.h"

class ContactTemplate;
class Str;

// Whether `label` can be kept as an entry's name in the template file: not empty, and not
// beginning with "[", which the file would read as the start of a section.
[[nodiscard]] bool CanBeTemplateName(const Str& label);

// One block per shown group in group order, the name block always; no note block.
Array<BlockDescriptor> TemplateBlocks(const ContactTemplate& tpl);

// Clears `tpl` and rebuilds its groups from `blocks`: a group is shown when it has a block (the
// office and the categories by their flag, the others by the entries listed), every row becomes
// an entry under the name of its label (a label that is no built-in one becomes a custom entry;
// one that cannot be a name is left out),
// and the name block gives the single full-name element. The name fields are not touched: the
// editor flips them in the template itself.
void ReadTemplateBlocks(const Array<BlockDescriptor>& blocks, ContactTemplate& tpl);
