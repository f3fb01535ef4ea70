// ContactTemplate: reading and writing the template file.
#include <filesystem>
#include <optional>

#include "core/res/ResourceStrings.h"
#include "platform/device/Device.h"
#include "platform/shm/ImageFile.h"
#include "view/template/ContactTemplate.h"
#include "view/template/TemplateContent.h"
#include "view/template/TemplateFile.h"
#include "view/template/TemplateFileFormat.h"

namespace {

Str FieldKey(int field) {
    Str key;
    (void)key.Format(kKeyFieldFormat.data(), field);  // a short text
    return key;
}

std::u16string_view KeyOf(int id) { return BuiltinContent(id).fileKey; }

// The first name equal to `typed` becomes the text of string `id`.
void ReplaceFirst(std::vector<Str>& names, std::u16string_view typed, uint32_t id) {
    for (Str& name : names) {
        if (name == typed) {
            name = RequireStr(id);
            return;
        }
    }
}

// Short names that older files use for the built-in phones and addresses.
void ExpandShortNames(int id, std::vector<Str>& names) {
    if (id == kGroupPhone) {
        ReplaceFirst(names, u"Work", kStrWorkPhone);
        ReplaceFirst(names, u"Home", kStrHomePhone);
        ReplaceFirst(names, u"Assistant", kStrAssistantPhone);
    } else if (id == kGroupAddress) {
        ReplaceFirst(names, u"Work", kStrWorkAddress);
        ReplaceFirst(names, u"Home", kStrHomeAddress);
        ReplaceFirst(names, u"Other", kStrOtherAddress);
    }
}

// A name on one line: line breaks inside it would split it, so they are written as blanks.
Str OneLine(const Str& name) {
    Str line = name;
    for (int i = 0; i < line.GetLength(); ++i) {
        if (line[i] == u'\r' || line[i] == u'\n') line.SetAt(i, u' ');
    }
    return line;
}

void WriteBoolean(TemplateFileWriter& file, std::u16string_view key, bool value) {
    file.Header(key);
    file.Line(value ? kKeyTrue : kKeyFalse);
}

std::optional<std::filesystem::path> HostPathOf(const Str& path) {
    if (!plat::HasCurrentDevice()) return std::nullopt;
    return plat::CurrentDevice().HostPath(path.View());
}

}  // namespace

void ContactTemplate::ReadBoolean(const TemplateFileText& file, std::u16string_view key, bool& value) {
    const auto lines = file.Section(key);
    if (!lines || lines->empty()) return;
    if (const std::optional<bool> read = ParseBoolean(lines->front())) value = *read;
}

void ContactTemplate::ReadNameList(const TemplateFileText& file, int id) {
    const auto lines = file.Section(KeyOf(id));
    if (!lines || lines->empty()) return;
    std::vector<Str> names(lines->begin(), lines->end());
    ExpandShortNames(id, names);
    TemplateGroup& group = groups_[id];
    for (const Str& name : names) group.order.Add(group.AddName(name));
}

void ContactTemplate::ReadMsgTypes(const TemplateFileText& file) {
    const auto lines = file.Section(kKeyMsgType);
    if (!lines) return;
    TemplateGroup& group = groups_[kGroupMessaging];
    for (std::u16string_view line : *lines) group.msgTypes.Add(group.AddMsgType(Str(line)));
}

void ContactTemplate::ReadAddrFormats(const TemplateFileText& file) {
    const auto lines = file.Section(kKeyAddrFormat);
    if (!lines) return;
    for (std::u16string_view line : *lines) groups_[kGroupAddress].addrFormats.Add(ParseDecimal(line));
}

void ContactTemplate::ReadFrom(std::span<const uint8_t> bytes) {
    Clear();
    const TemplateFileText file(bytes);
    ReadBoolean(file, kKeyNameColl, nameColl_);
    for (int field : kSwitchableNameFields) ReadBoolean(file, FieldKey(field).View(), fields_[field]);
    KeepAlwaysShownFields();
    for (int id : {kGroupPhone, kGroupEmail, kGroupMessaging}) ReadNameList(file, id);
    ReadMsgTypes(file);
    ReadNameList(file, kGroupWeb);
    ReadBoolean(file, KeyOf(kGroupOffice), groups_[kGroupOffice].shown);
    ReadNameList(file, kGroupAddress);
    ReadAddrFormats(file);
    ReadBoolean(file, KeyOf(kGroupCategories), groups_[kGroupCategories].shown);
    for (int id : {kGroupPeople, kGroupDates, kGroupLinks, kGroupOther}) ReadNameList(file, id);
}

void ContactTemplate::WriteNameList(TemplateFileWriter& file, int id) const {
    const TemplateGroup& group = groups_[id];
    file.Header(KeyOf(id));
    for (int entry : group.order) {
        if (entry >= 0 && entry < group.names.GetSize()) file.Line(OneLine(group.names[entry]).View());
    }
}

std::vector<uint8_t> ContactTemplate::ToBytes() const {
    TemplateFileWriter file;
    WriteBoolean(file, kKeyNameColl, nameColl_);
    for (int field : kSwitchableNameFields) WriteBoolean(file, FieldKey(field).View(), fields_[field]);
    for (int id : {kGroupPhone, kGroupEmail}) {
        if (groups_[id].shown) WriteNameList(file, id);
    }
    const TemplateGroup& messaging = groups_[kGroupMessaging];
    if (messaging.shown) {
        WriteNameList(file, kGroupMessaging);
        file.Header(kKeyMsgType);
        for (int k = 0; k < messaging.order.GetSize(); ++k) {
            file.Line(OneLine(messaging.msgTypeNames[MsgTypeOf(k)]).View());
        }
    }
    if (groups_[kGroupWeb].shown) WriteNameList(file, kGroupWeb);
    WriteBoolean(file, KeyOf(kGroupOffice), groups_[kGroupOffice].shown);
    if (groups_[kGroupAddress].shown) {
        WriteNameList(file, kGroupAddress);
        file.Header(kKeyAddrFormat);
        for (int format : groups_[kGroupAddress].addrFormats) {
            Str line;
            (void)line.Format(u"%d", format);  // a short text
            file.Line(line.View());
        }
    }
    WriteBoolean(file, KeyOf(kGroupCategories), groups_[kGroupCategories].shown);
    for (int id : {kGroupPeople, kGroupDates, kGroupLinks, kGroupOther}) {
        if (groups_[id].shown) WriteNameList(file, id);
    }
    return file.Bytes();
}

bool ContactTemplate::Load(const Str& path) {
    Clear();
    const std::optional<std::filesystem::path> host = HostPathOf(path);
    plat::InputFile in;
    if (!host || !in.Open(*host)) return false;
    if (in.Size() == 0) {
        std::error_code ignored;
        std::filesystem::remove(*host, ignored);
        return false;
    }
    if (in.Size() > kMaxTemplateFileBytes) return false;
    std::vector<uint8_t> bytes(in.Size());
    if (!in.ReadAll(bytes)) return false;
    ReadFrom(bytes);
    return true;
}

bool ContactTemplate::Save(const Str& path) const {
    const std::optional<std::filesystem::path> host = HostPathOf(path);
    if (!host) return false;
    plat::FileReplacement out(*host);
    if (!out.Begin()) return false;
    if (!out.Write(ToBytes()) || !out.Commit()) {
        out.Abandon();
        return false;
    }
    return true;
}
