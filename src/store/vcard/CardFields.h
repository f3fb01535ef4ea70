#pragma once
// Which card properties and types stand for which contact fields. The importer and the
// exporter share these tables, so what is written is what is read back.
#include <span>
#include <string>
#include <string_view>
#include <vector>

class StdContact;

// A single text field carried by a property of its own. A field's first entry is the property
// written; later entries are other writers' names, read as well.
struct FieldProperty {
    std::string_view name;
    int field;
};
std::span<const FieldProperty> FieldProperties();
// The field the property name stands for, -1 when none: those of FieldProperties, and further
// names of other writers for fields that are written otherwise (the department, written in ORG).
int FieldOfProperty(std::string_view name);

// The TYPE values written for each phone field, in the order the phones are written.
struct PhoneField {
    int field;
    std::u16string_view types;  // comma-separated
};
std::span<const PhoneField> PhoneFields();
// The TYPE values of a phone field, each on its own.
std::vector<std::string> TypesOf(const PhoneField& phone);

// Where a number of the given TYPE values (upper-case) goes: the first free of `fields`;
// when none is free, or `fields` is empty, a further phone under `label`.
struct PhoneTarget {
    std::vector<int> fields;
    std::u16string label;
};
PhoneTarget PhoneTargetOf(const std::vector<std::string>& types);
// The TYPE values (upper-case) a further phone of this label is written with: the types whose
// numbers, with every field they may go into taken, become further phones of that label; empty
// when no types lead to the label.
std::vector<std::string> TypesOfPhoneLabel(std::u16string_view label);

// Instant-messaging services known by their own property or URI scheme. `service` is the
// messenger type name the contact's IM text carries ("AOL: name").
struct ImService {
    std::u16string_view service;
    std::string_view property;
    std::string_view scheme;
};
// By property name (the written ones and other writers' aliases), by URI scheme (ASCII,
// case-insensitive) and by exact service name; null when unknown.
const ImService* ImServiceOfProperty(std::string_view name);
// Whether the property (upper-case name) holds a messaging address, and of which service: the
// properties of ImServiceOfProperty; the desktop writers' "X-MESSAGING/<service>-<kind>" (the
// service as ImServiceOfAnyName knows it, else as written); their properties of an address whose
// service they do not say (`service` empty).
[[nodiscard]] bool ImServiceOfAnyProperty(std::string_view name, std::u16string& service);
const ImService* ImServiceOfScheme(std::string_view scheme);
const ImService* ImServiceOfName(std::u16string_view service);

// Whether any of the name fields (Title, First, Middle, Last, Suffix) is set: a card's formatted
// name becomes the First only of a contact without them.
[[nodiscard]] bool HasNameField(const StdContact& contact);

// Properties that say nothing about the contact (versions, identifiers of other programs,
// display hints, labels consumed with their group): read and dropped.
[[nodiscard]] bool IsMetadataProperty(std::string_view name);
// The properties other writers use for the anniversary.
[[nodiscard]] bool IsAnniversaryProperty(std::string_view name);

// A group label of the form "_$!<Word>!$_" names a built-in kind; the word, or empty when the
// label is a free one.
std::u16string BuiltInLabelWord(std::u16string_view label);
// The TYPE values a built-in label word stands for ("HomeFAX": HOME, FAX); empty when the word
// is not a type of number, address or web page.
std::vector<std::string> TypesOfLabelWord(std::u16string_view word);

// The service of a messenger name as other programs spell it ("AIM", "skype", "Google Talk"):
// matched without regard to ASCII case against the service names, the property names without
// "X-" and the URI schemes; null when unknown.
const ImService* ImServiceOfAnyName(std::u16string_view name);
