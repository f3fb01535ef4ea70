#pragma once
// BlockDescriptor: what one block of the edit form is built from and read back into: its kind,
// its template group, the labels it offers and its rows of values.
#include <array>
#include <cstdint>

#include "core/array/Array.h"
#include "core/str/Str.h"
#include "store/contact/ByteBlock.h"
#include "store/contact/ContactPicture.h"
#include "view/address/AddressFormat.h"
#include "view/template/TemplateGroup.h"

enum BlockKind : int {
    kBlockList = 1,        // phones; e-mail, web, people and other as text lists
    kBlockSingle = 2,      // the office location
    kBlockDate = 3,
    kBlockMessaging = 8,
    kBlockName = 9,        // the name parts and the picture
    kBlockAddress = 10,
    kBlockNote = 11,
    kBlockCategories = 12,
    kBlockLinks = 13,
};

// One row of a block. Which fields a row uses depends on the block kind.
struct BlockRow {
    int label = 0;       // index into the block's labels
    Str text;            // text rows; messaging: the number
    Str msgType;         // messaging: the messenger type name
    uint64_t date = 0;   // dates: a file time, 0 for the empty date
    AddressParts parts;  // addresses
    int format = 0;      // addresses: the address format index
    int field = -1;      // the standard field the value was loaded from (ContactField), -1: none

    // No value: an empty text, an empty date, or an address with every part empty.
    [[nodiscard]] bool IsEmpty(int kind) const;
};

struct BlockDescriptor {
    int kind = kBlockList;
    int group = 0;          // the template group, 0 to 11, or kGroupNote
    Str hint;               // the group's hint
    Array<Str> labels;      // the labels offered: the template's, then any met in the contact
    int builtinCount = 0;   // how many of the labels are the template's built-in ones
    bool freeLabels = false;  // the block lets the user type labels of its own (people, other)
    Array<BlockRow> rows;
    Array<Str> msgTypes;    // messaging: the messenger types the template knows

    // The name block.
    std::array<Str, kNameEntryCount> nameValues;
    std::array<bool, kNameEntryCount> hidden{};
    bool nameColl = false;
    ContactPicture picture;
    bool pictureChanged = false;

    // The category block.
    Array<uint32_t> categories;

    // The note block.
    ByteBlock note;

    // The index of `label` among the labels, appended when absent.
    int LabelIndex(const Str& label);
};
