#pragma once
// AddressElement: the model of one address of the editor's address block. It shows one edit line
// per part that its format uses, in written order, with the part's label as the placeholder of
// an empty line. A part that the format does not use keeps its text, unseen, so switching to a
// format that uses it shows it again.
#include <string_view>

#include "core/array/Array.h"
#include "core/str/Str.h"
#include "view/address/AddressFormat.h"

class AddressFormatTable;

class AddressElement {
public:
    // Takes the format at `index`, or the table's default one when the index is outside the
    // table; with neither the element keeps the format it had. The element remembers `index`
    // itself, which is what is stored with the address. Giving it the index it has changes
    // nothing. True when the element took a format.
    [[nodiscard]] bool SetFormat(int index, const AddressFormatTable& table);
    int FormatIndex() const { return index_; }
    [[nodiscard]] bool HasFormat() const { return hasFormat_; }

    // The slots shown, one edit line each, in written order.
    const Array<int>& Lines() const { return lines_; }
    // The placeholder of an empty line: the slot's label in the format.
    Str Placeholder(int slot) const;

    // The user left the edit line of `slot` with `typed` in it: the text becomes the part, except
    // that the slot's label (the placeholder taken as typed) stores an empty part.
    void LeaveLine(int slot, std::u16string_view typed);

    const AddressParts& Parts() const { return parts_; }
    void SetParts(const AddressParts& parts) { parts_ = parts; }

private:
    int index_ = -1;
    bool hasFormat_ = false;
    AddressFormat format_;
    Array<int> lines_;
    AddressParts parts_;
};
