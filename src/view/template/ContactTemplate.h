#pragma once
// ContactTemplate: which contact fields are shown, in which order and under which labels. The
// view pane renders a contact through it and the editor builds its form from it. Twelve field
// groups (TemplateGroup.h) and the visibility of the parts of the name; kept in the file
// "Contact template.tpl" of the data folder (docs/template-file.md).
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/str/Str.h"
#include "view/template/TemplateGroup.h"

class TemplateFileText;
class TemplateFileWriter;

class ContactTemplate {
public:
    // Built-in names, labels and hints from the string resources; every order empty, every group
    // shown, the single full-name element off, the name fields as in the default template.
    ContactTemplate();

    // The group `id` (0 to 11); none for any other id.
    const TemplateGroup* Group(int id) const;
    TemplateGroup* Group(int id);

    // The name group's presentation: the single full-name element instead of the five parts.
    [[nodiscard]] bool NameColl() const { return nameColl_; }
    void SetNameColl(bool on) { nameColl_ = on; }

    // Group 0 always; Office and Categories by their flag; the others by their flag and a
    // non-empty order; false for any other id.
    [[nodiscard]] bool IsGroupShown(int id) const;
    // Switches groups 1 to 11; switching on a group with an empty order gives it its default
    // entries (Office and Categories only take the flag).
    void SetGroupShown(int id, bool on);
    // Name field `i` (NameEntry); true beyond the ten. Fields 0, 2, 3, 4 and 7 stay shown.
    [[nodiscard]] bool IsFieldShown(int i) const;
    void SetFieldShown(int i, bool on);

    // The label of a stored name (its own name when it has none); the name of a label (the label
    // itself when no built-in name has it).
    Str LabelOf(int id, const Str& name) const;
    Str NameOf(int id, const Str& label) const;

    // For entry `k` of the messaging group's order: its messenger type index (0 when the file
    // gave none); of the address group's order: its address format (the default one when none).
    int MsgTypeOf(int k) const;
    int AddrFormatOf(int k) const;

    // Appends entry `label` (turned into a name with NameOf, added as a custom name when new)
    // to the order of group `id`; as the template editor reads its form back.
    void AddEntry(int id, const Str& label);
    void AddMessagingEntry(const Str& label, const Str& msgType);
    void AddAddressEntry(const Str& label, int format);

    // Removes custom names and custom messenger types, empties every order and shows every group.
    // The name fields and `NameColl` stay.
    void Clear();
    // Clear, then the default template.
    void ResetToDefaults();
    // Clear, then takes everything of `other` (which has the same built-in content).
    void CopyFrom(const ContactTemplate& other);

    // Reads the file at device path `path`. False when it is missing, unreadable, too large or
    // empty (an empty file is deleted); the caller then resets to the defaults.
    [[nodiscard]] bool Load(const Str& path);
    // Writes the file anew (replacing it whole). False when it cannot be written.
    [[nodiscard]] bool Save(const Str& path) const;

    // The file's content: read from and written to bytes.
    void ReadFrom(std::span<const uint8_t> bytes);
    std::vector<uint8_t> ToBytes() const;

private:
    void Seed(int id);
    void SetDefaultFields();
    void KeepAlwaysShownFields();
    void WriteNameList(TemplateFileWriter& file, int id) const;
    void ReadBoolean(const TemplateFileText& file, std::u16string_view key, bool& value);
    void ReadNameList(const TemplateFileText& file, int id);
    void ReadMsgTypes(const TemplateFileText& file);
    void ReadAddrFormats(const TemplateFileText& file);

    bool nameColl_ = false;
    std::array<bool, kNameEntryCount> fields_;
    std::array<TemplateGroup, kTemplateGroupCount> groups_;
};

// The device path of the template file: the data folder joined with "Contact template.tpl".
Str TemplateFilePath();
