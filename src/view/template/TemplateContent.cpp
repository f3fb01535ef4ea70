#include "view/template/TemplateContent.h"

#include <array>
#include <vector>

#include "store/contact/ContactFields.h"
#include "view/template/TemplateGroup.h"

namespace {

// A built-in name that stands for no field of the contact: its group, its position among the
// group's names, its string resource and its label's.
struct FreeEntry {
    FieldGroup group;
    int entry;
    uint32_t name;
    uint32_t label;
};
constexpr FreeEntry kFreeEntries[] = {
    {FieldGroup::Name, 0, 41147, 41313},    // the full name, composed of the parts
    {FieldGroup::People, 3, 41179, 41351},  // Friend
    {FieldGroup::Links, 1, 41182, 41355},   // Linked file
};

struct GroupKeys {
    std::u16string_view fileKey;
    uint32_t hint;
};
constexpr GroupKeys kKeys[kTemplateGroupCount] = {
    {u"", 0},           {u"Phone", 41184},  {u"EMail", 41185}, {u"Msg", 41186},
    {u"Web", 41187},    {u"Office", 41188}, {u"Addr", 0},      {u"Category", 41189},
    {u"People", 41190}, {u"Date", 41191},   {u"Link", 41192},  {u"Other", 41276},
};

struct BuiltNames {
    std::vector<uint32_t> names;
    std::vector<uint32_t> labels;
};

// The name and label of each position of the group: the field table's, then the free entries.
BuiltNames BuildNames(int id) {
    BuiltNames built;
    const auto place = [&](int entry, uint32_t name, uint32_t label) {
        if (static_cast<size_t>(entry) >= built.names.size()) {
            built.names.resize(static_cast<size_t>(entry) + 1);
            built.labels.resize(static_cast<size_t>(entry) + 1);
        }
        built.names[static_cast<size_t>(entry)] = name;
        built.labels[static_cast<size_t>(entry)] = label;
    };
    for (const FieldInfo& info : ContactFieldTable()) {
        if (static_cast<int>(info.group) == id && info.entry >= 0)
            place(info.entry, info.name, info.templateLabel);
    }
    for (const FreeEntry& free : kFreeEntries) {
        if (static_cast<int>(free.group) == id) place(free.entry, free.name, free.label);
    }
    return built;
}

struct Contents {
    std::array<BuiltNames, kTemplateGroupCount> names;
    std::array<GroupContent, kTemplateGroupCount> content;
};

const Contents& AllContents() {
    static const Contents contents = [] {
        Contents built;
        for (int id = 0; id < kTemplateGroupCount; ++id) {
            built.names[id] = BuildNames(id);
            built.content[id] = {kKeys[id].fileKey, built.names[id].names, built.names[id].labels,
                                 kKeys[id].hint};
        }
        return built;
    }();
    return contents;
}

}  // namespace

const GroupContent& BuiltinContent(int id) { return AllContents().content[id]; }
