#pragma once
// The neutral model of a vCard: what a card says, before anything is mapped onto a contact.
// The reader fills it from vCard 2.1, 3.0 and 4.0 text, the CSV importer builds it from table
// rows, and the writer turns it into vCard 3.0 text.
#include <map>
#include <string>
#include <string_view>
#include <vector>

enum class VCardVersion { k21, k30, k40 };

struct VCardParam {
    std::string name;                    // upper-case: "TYPE", "ENCODING", "CHARSET", "X-..."
    std::vector<std::u16string> values;  // quotes removed; TYPE lists split at commas
};

struct VCardProperty {
    std::string group;  // "item1" of "item1.TEL"; empty when the property has none
    std::string name;   // upper-case: "TEL", "N", "X-ABLABEL"
    std::vector<VCardParam> params;
    std::string raw;       // the value as the file had it, after unfolding
    std::u16string value;  // the value as text: transfer encoding and charset undone, escapes kept
    std::string binary;    // the bytes of inline binary data (base64, "b", a data: URI)
    bool isBinary = false;
    int line = 0;  // the line of the file on which the property began; 0 for a built one

    // The first parameter of that name (upper-case), or null.
    const VCardParam* Param(std::string_view paramName) const;
    // The first value of the named parameter, empty when there is none.
    std::u16string ParamValue(std::string_view paramName) const;
    // Whether a TYPE value equals `type` (ASCII, case-insensitive).
    [[nodiscard]] bool HasType(std::string_view type) const;
    // Adds a parameter with one value (for built properties).
    void AddParam(std::string paramName, std::u16string paramValue);

    // The value with its escapes resolved.
    std::u16string Text() const;
    // The ';'-separated fields of a compound value (N, ADR, ORG), escapes resolved.
    std::vector<std::u16string> Components() const;
    // The ','-separated items of a list value (CATEGORIES, NICKNAME), escapes resolved.
    std::vector<std::u16string> ListItems() const;
};

struct VCard {
    VCardVersion version = VCardVersion::k30;
    int line = 0;  // the BEGIN:VCARD line; 0 for a built card
    std::vector<VCardProperty> properties;

    // The texts (escapes resolved) of the properties named `name` that stand in a group, by
    // their group's name in upper case (group names ignore case); the first one of a group
    // counts. With "X-ABLABEL": the labels of the groups (an empty label is a label).
    std::map<std::string, std::u16string> GroupTexts(std::string_view name) const;
};
