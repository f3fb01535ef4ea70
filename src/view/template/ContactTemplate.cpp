#include "view/template/ContactTemplate.h"

#include <utility>

#include "core/res/ResourceStrings.h"
#include "core/settings/Folders.h"
#include "view/address/AddressFormatTable.h"
#include "view/template/TemplateContent.h"
#include "view/template/TemplateFileFormat.h"

namespace {

constexpr int kAlwaysShownFields[] = {kNameFull, kNameFirst, kNameMiddle, kNameLast, kNameCompany};

bool IsSwitchableGroup(int id) { return id >= 1 && id < kTemplateGroupCount; }

// Groups whose visibility is their flag alone: they show one value and have no entries to list.
bool IsFlagOnlyGroup(int id) { return id == kGroupOffice || id == kGroupCategories; }

int DefaultAddressFormat() { return AddressFormatTable::Instance().DefaultFormat(); }

void Truncate(Array<Str>& list, int size) {
    if (list.GetSize() > size) list.SetSize(size);
}

}  // namespace

ContactTemplate::ContactTemplate() {
    SetDefaultFields();
    for (int id = 0; id < kTemplateGroupCount; ++id) {
        const GroupContent& content = BuiltinContent(id);
        TemplateGroup& group = groups_[id];
        for (uint32_t name : content.names) group.names.Add(RequireStr(name));
        for (uint32_t label : content.labels) group.labels.Add(RequireStr(label));
        group.builtinCount = group.names.GetSize();
        if (content.hint != 0) group.hint = RequireStr(content.hint);
    }
    TemplateGroup& messaging = groups_[kGroupMessaging];
    for (uint32_t type : kMsgTypeStrings) messaging.msgTypeNames.Add(RequireStr(type));
    messaging.msgTypeBuiltinCount = messaging.msgTypeNames.GetSize();
}

const TemplateGroup* ContactTemplate::Group(int id) const {
    return id >= 0 && id < kTemplateGroupCount ? &groups_[id] : nullptr;
}

TemplateGroup* ContactTemplate::Group(int id) {
    return const_cast<TemplateGroup*>(std::as_const(*this).Group(id));
}

bool ContactTemplate::IsGroupShown(int id) const {
    if (id == kGroupName) return true;
    if (!IsSwitchableGroup(id)) return false;
    const TemplateGroup& group = groups_[id];
    return IsFlagOnlyGroup(id) ? group.shown : group.shown && !group.order.IsEmpty();
}

void ContactTemplate::SetGroupShown(int id, bool on) {
    if (!IsSwitchableGroup(id)) return;
    groups_[id].shown = on;
    if (on && groups_[id].order.IsEmpty() && !IsFlagOnlyGroup(id)) Seed(id);
}

// The default entries of a group.
void ContactTemplate::Seed(int id) {
    TemplateGroup& group = groups_[id];
    switch (id) {
    case kGroupPhone:
        for (int entry : {0, 1, 2}) group.order.Add(entry);
        break;
    case kGroupPeople:
        group.order.Add(2);
        break;
    case kGroupOther:
        for (int entry = 0; entry < group.names.GetSize(); ++entry) group.order.Add(entry);
        break;
    default:
        group.order.Add(0);
        break;
    }
    if (id == kGroupMessaging) group.msgTypes.Add(0);
    if (id == kGroupAddress) group.addrFormats.Add(DefaultAddressFormat());
}

void ContactTemplate::SetDefaultFields() {
    fields_.fill(true);
    fields_[kNameSuffix] = false;
    fields_[kNameFileAs] = false;
}

bool ContactTemplate::IsFieldShown(int i) const {
    return i < 0 || i >= kNameEntryCount || fields_[i];
}

void ContactTemplate::SetFieldShown(int i, bool on) {
    if (i < 0 || i >= kNameEntryCount) return;
    fields_[i] = on;
    KeepAlwaysShownFields();
}

void ContactTemplate::KeepAlwaysShownFields() {
    for (int always : kAlwaysShownFields) fields_[always] = true;
}

Str ContactTemplate::LabelOf(int id, const Str& name) const {
    const TemplateGroup* group = Group(id);
    if (!group) return name;
    const int index = group->IndexOfName(name);
    return index >= 0 && index < group->labels.GetSize() ? group->labels[index] : name;
}

Str ContactTemplate::NameOf(int id, const Str& label) const {
    const TemplateGroup* group = Group(id);
    if (!group) return label;
    const int index = IndexIn(group->labels, label);
    return index >= 0 && index < group->names.GetSize() ? group->names[index] : label;
}

int ContactTemplate::MsgTypeOf(int k) const {
    const TemplateGroup& group = groups_[kGroupMessaging];
    const int type = k >= 0 && k < group.msgTypes.GetSize() ? group.msgTypes[k] : 0;
    return type >= 0 && type < group.msgTypeNames.GetSize() ? type : 0;
}

int ContactTemplate::AddrFormatOf(int k) const {
    const TemplateGroup& group = groups_[kGroupAddress];
    return k >= 0 && k < group.addrFormats.GetSize() ? group.addrFormats[k] : DefaultAddressFormat();
}

void ContactTemplate::AddEntry(int id, const Str& label) {
    TemplateGroup* group = Group(id);
    if (group) group->order.Add(group->AddName(NameOf(id, label)));
}

void ContactTemplate::AddMessagingEntry(const Str& label, const Str& msgType) {
    AddEntry(kGroupMessaging, label);
    TemplateGroup& group = groups_[kGroupMessaging];
    group.msgTypes.Add(group.AddMsgType(msgType));
}

void ContactTemplate::AddAddressEntry(const Str& label, int format) {
    AddEntry(kGroupAddress, label);
    groups_[kGroupAddress].addrFormats.Add(format);
}

void ContactTemplate::Clear() {
    for (TemplateGroup& group : groups_) {
        Truncate(group.names, group.builtinCount);
        group.order.RemoveAll();
        group.msgTypes.RemoveAll();
        group.addrFormats.RemoveAll();
        Truncate(group.msgTypeNames, group.msgTypeBuiltinCount);
        group.shown = true;
    }
}

void ContactTemplate::ResetToDefaults() {
    Clear();
    nameColl_ = false;
    SetDefaultFields();
    for (int id = 1; id < kTemplateGroupCount; ++id) {
        if (!IsFlagOnlyGroup(id)) Seed(id);
    }
    for (int id : {kGroupWeb, kGroupPeople, kGroupOther}) groups_[id].shown = false;
}

void ContactTemplate::CopyFrom(const ContactTemplate& other) {
    Clear();
    nameColl_ = other.nameColl_;
    fields_ = other.fields_;
    for (int id = 0; id < kTemplateGroupCount; ++id) {
        TemplateGroup& mine = groups_[id];
        const TemplateGroup& theirs = other.groups_[id];
        for (int i = mine.builtinCount; i < theirs.names.GetSize(); ++i) mine.names.Add(theirs.names[i]);
        for (int i = mine.msgTypeBuiltinCount; i < theirs.msgTypeNames.GetSize(); ++i) {
            mine.msgTypeNames.Add(theirs.msgTypeNames[i]);
        }
        mine.order = theirs.order;
        mine.shown = theirs.shown;
        mine.msgTypes = theirs.msgTypes;
        mine.addrFormats = theirs.addrFormats;
    }
}

Str TemplateFilePath() { return DataFolder() + u"\\" + kTemplateFileName; }
