#pragma once
// The field groups of the contact template and what one group holds.
#include "core/array/Array.h"
#include "core/str/Str.h"

enum TemplateGroupId : int {
    kGroupName = 0,
    kGroupPhone,
    kGroupEmail,
    kGroupMessaging,
    kGroupWeb,
    kGroupOffice,
    kGroupAddress,
    kGroupCategories,
    kGroupPeople,
    kGroupDates,
    kGroupLinks,
    kGroupOther,
};
inline constexpr int kTemplateGroupCount = 12;
// The note comes after the groups wherever a group number is given to it.
inline constexpr int kGroupNote = 12;

// The entries of the name group, in their built-in order.
enum NameEntry : int {
    kNameFull = 0,
    kNameTitle,
    kNameFirst,
    kNameMiddle,
    kNameLast,
    kNameSuffix,
    kNameJobTitle,
    kNameCompany,
    kNameDepartment,
    kNameFileAs,
};
inline constexpr int kNameEntryCount = 10;

struct TemplateGroup {
    Array<Str> names;      // the stored names: the built-in ones first, then custom ones
    int builtinCount = 0;  // how many of `names` are built in
    Array<int> order;      // the entries shown, in display order (indices into `names`)
    bool shown = true;     // the group is switched on
    Str hint;              // the editor's hint for the group's values
    Array<Str> labels;     // the labels of the built-in names, at the same positions

    // Instant messaging only: messenger types (built-in ones first) and, parallel to `order`,
    // the type of each entry.
    Array<Str> msgTypeNames;
    int msgTypeBuiltinCount = 0;
    Array<int> msgTypes;
    // Addresses only: parallel to `order`, the address format of each entry.
    Array<int> addrFormats;

    // The index of the first name equal to `name`, or -1.
    int IndexOfName(const Str& name) const;
    // The index of `name`, appended as a custom name when absent.
    int AddName(const Str& name);
    // The same for messenger type names.
    int AddMsgType(const Str& name);
};

// Finds `text` in `list` (exact match); -1 when absent.
int IndexIn(const Array<Str>& list, const Str& text);

// The two forms of a label: "Middle@Mid." has the full form "Middle" and the short form "Mid.";
// a label without "@" is both.
Str FullLabel(const Str& label);
Str ShortLabel(const Str& label);
