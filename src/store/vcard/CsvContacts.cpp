#include "store/vcard/CsvContacts.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "store/contact/ContactFields.h"
#include "store/contact/ImText.h"
#include "store/vcard/Ascii.h"
#include "store/vcard/CardDate.h"
#include "store/vcard/CardFields.h"
#include "store/vcard/VCardFormat.h"
#include "store/vcard/ValueText.h"

namespace {

constexpr uint32_t kStrColumn = 44096;  // "Column %d"

// The label of a column without a name: "Column N", N counting from 1.
std::u16string UnnamedColumnLabel(size_t column) {
    Str label;
    (void)label.FormatRes(kStrColumn, static_cast<int>(column + 1));  // a short text
    return std::u16string(label.View());
}

enum class Role {
    kName,        // a part of N (index: ADR-like position in N)
    kFullName,    // FN
    kOrg,         // a unit of ORG (index)
    kText,        // a property of its own
    kPhone,       // TEL with `types`, or a further phone under `label`
    kEmail,       // EMAIL
    kDate,        // a date property
    kCategories,  // category names separated by `label`
    kAddress,     // ADR component `index` of the address of type `property`
    kDatePart,    // the year (index 0), month (1) or day (2) of the date property `property`
    kIgnore,      // derived from other columns
    kDefault,     // ignored when it holds `label`, the value meaning nothing
};

struct Column {
    std::string_view header;
    Role role;
    int index = 0;
    std::string_view property = {};
    std::u16string_view types = {};
    std::u16string_view label = {};
    std::u16string_view hint = {};  // the X-BREVANE-FIELD of the value
};

constexpr std::u16string_view kGoogleSeparator = u" ::: ";

// The columns of the fields with a card property of their own come from the field table; these
// are the rest, and other writers' names.
constexpr Column kColumns[] = {
    {"First Name", Role::kName, 1},
    {"Given Name", Role::kName, 1},
    {"Middle Name", Role::kName, 2},
    {"Additional Name", Role::kName, 2},
    {"Last Name", Role::kName, 0},
    {"Family Name", Role::kName, 0},
    {"Title", Role::kName, 3},
    {"Name Prefix", Role::kName, 3},
    {"Suffix", Role::kName, 4},
    {"Name Suffix", Role::kName, 4},
    {"Name", Role::kFullName},
    {"Display Name", Role::kFullName},
    {"Company", Role::kOrg, 0},
    {"Organization Name", Role::kOrg, 0},
    {"Organization", Role::kOrg, 0},
    {"Department", Role::kOrg, 1},
    {"Organization Department", Role::kOrg, 1},
    {"Organization Title", Role::kText, 0, vcf::kPropTitle},
    {"Web Page", Role::kText, 0, vcf::kPropUrl},
    {"Web Page 1", Role::kText, 0, vcf::kPropUrl},
    {"Web Page 2", Role::kText, 0, vcf::kPropUrl},
    {"Personal Web Page", Role::kText, 0, vcf::kPropUrl},
    {"Business Web Page", Role::kText, 0, vcf::kPropUrl},
    {"Screen Name", Role::kText, 0, "X-IM"},
    {"Notes", Role::kText, 0, vcf::kPropNote},
    {"Birthday", Role::kDate, 0, vcf::kPropBday},
    {"Anniversary", Role::kDate, 0, vcf::kPropXAnniversary},
    {"Birth Year", Role::kDatePart, 0, vcf::kPropBday},
    {"Birth Month", Role::kDatePart, 1, vcf::kPropBday},
    {"Birth Day", Role::kDatePart, 2, vcf::kPropBday},
    {"Anniversary Year", Role::kDatePart, 0, vcf::kPropXAnniversary},
    {"Anniversary Month", Role::kDatePart, 1, vcf::kPropXAnniversary},
    {"Anniversary Day", Role::kDatePart, 2, vcf::kPropXAnniversary},
    {"Categories", Role::kCategories, 0, {}, {}, u";"},
    {"Group Membership", Role::kCategories, 0, {}, {}, kGoogleSeparator},
    {"Labels", Role::kCategories, 0, {}, {}, kGoogleSeparator},
    {"Business Phone", Role::kPhone, 0, {}, u"WORK,VOICE", {}, u"0x97"},
    {"Business Phone 2", Role::kPhone, 0, {}, u"WORK,VOICE", {}, u"0x98"},
    {"Home Phone", Role::kPhone, 0, {}, u"HOME,VOICE", {}, u"0x99"},
    {"Home Phone 2", Role::kPhone, 0, {}, u"HOME,VOICE", {}, u"0x9a"},
    {"Work Phone", Role::kPhone, 0, {}, u"WORK,VOICE", {}, u"0x97"},
    {"Mobile Number", Role::kPhone, 0, {}, u"CELL"},
    {"Fax Number", Role::kPhone, 0, {}, u"FAX"},
    {"Pager Number", Role::kPhone, 0, {}, u"PAGER"},
    {"Mobile Phone", Role::kPhone, 0, {}, u"CELL"},
    {"Business Fax", Role::kPhone, 0, {}, u"WORK,FAX"},
    {"Home Fax", Role::kPhone, 0, {}, u"HOME,FAX"},
    {"Pager", Role::kPhone, 0, {}, u"PAGER"},
    {"Car Phone", Role::kPhone, 0, {}, u"CAR"},
    {"Radio Phone", Role::kPhone, 0, {}, u"X-RADIO"},
    {"Assistant's Phone", Role::kPhone, 0, {}, u"X-ASSISTANT"},
    {"Company Main Phone", Role::kPhone, 0, {}, u"MAIN"},
    {"Other Phone", Role::kPhone, 0, {}, u"OTHER"},
    {"ISDN", Role::kPhone, 0, {}, u"ISDN"},
    {"Other Fax", Role::kPhone, 0, {}, {}, u"Other fax"},
    {"Primary Phone", Role::kPhone, 0, {}, {}, u"Primary"},
    {"Callback", Role::kPhone, 0, {}, {}, u"Callback"},
    {"Telex", Role::kPhone, 0, {}, {}, u"Telex"},
    {"TTY/TDD Phone", Role::kPhone, 0, {}, {}, u"TTY/TDD"},
    {"E-mail Address", Role::kEmail, 0, {}, {}, {}, u"0x90"},
    {"E-mail 2 Address", Role::kEmail, 0, {}, {}, {}, u"0x91"},
    {"E-mail 3 Address", Role::kEmail, 0, {}, {}, {}, u"0x92"},
    {"Primary Email", Role::kEmail, 0, {}, {}, {}, u"0x90"},
    {"Secondary Email", Role::kEmail, 0, {}, {}, {}, u"0x91"},
    {"E-mail Type", Role::kIgnore},
    {"E-mail 2 Type", Role::kIgnore},
    {"E-mail 3 Type", Role::kIgnore},
    {"E-mail Display Name", Role::kIgnore},
    {"E-mail 2 Display Name", Role::kIgnore},
    {"E-mail 3 Display Name", Role::kIgnore},
    {"Gender", Role::kDefault, 0, {}, {}, u"Unspecified"},
    {"Priority", Role::kDefault, 0, {}, {}, u"Normal"},
    {"Sensitivity", Role::kDefault, 0, {}, {}, u"Normal"},
    {"Private", Role::kDefault, 0, {}, {}, u"False"},
    {"Business Street", Role::kAddress, 2, "WORK"},
    {"Business Street 2", Role::kAddress, 2, "WORK"},
    {"Business Street 3", Role::kAddress, 2, "WORK"},
    {"Business Address PO Box", Role::kAddress, 0, "WORK"},
    {"Business City", Role::kAddress, 3, "WORK"},
    {"Business State", Role::kAddress, 4, "WORK"},
    {"Business Postal Code", Role::kAddress, 5, "WORK"},
    {"Business Country/Region", Role::kAddress, 6, "WORK"},
    {"Business Country", Role::kAddress, 6, "WORK"},
    {"Work Address", Role::kAddress, 2, "WORK"},
    {"Work Address 2", Role::kAddress, 2, "WORK"},
    {"Work City", Role::kAddress, 3, "WORK"},
    {"Work State", Role::kAddress, 4, "WORK"},
    {"Work ZipCode", Role::kAddress, 5, "WORK"},
    {"Work Country", Role::kAddress, 6, "WORK"},
    {"Home Street", Role::kAddress, 2, "HOME"},
    {"Home Street 2", Role::kAddress, 2, "HOME"},
    {"Home Street 3", Role::kAddress, 2, "HOME"},
    {"Home Address PO Box", Role::kAddress, 0, "HOME"},
    {"Home City", Role::kAddress, 3, "HOME"},
    {"Home State", Role::kAddress, 4, "HOME"},
    {"Home Postal Code", Role::kAddress, 5, "HOME"},
    {"Home Country/Region", Role::kAddress, 6, "HOME"},
    {"Home Country", Role::kAddress, 6, "HOME"},
    {"Home Address", Role::kAddress, 2, "HOME"},
    {"Home Address 2", Role::kAddress, 2, "HOME"},
    {"Home ZipCode", Role::kAddress, 5, "HOME"},
    {"Other Street", Role::kAddress, 2, "OTHER"},
    {"Other Street 2", Role::kAddress, 2, "OTHER"},
    {"Other Street 3", Role::kAddress, 2, "OTHER"},
    {"Other Address PO Box", Role::kAddress, 0, "OTHER"},
    {"Other City", Role::kAddress, 3, "OTHER"},
    {"Other State", Role::kAddress, 4, "OTHER"},
    {"Other Postal Code", Role::kAddress, 5, "OTHER"},
    {"Other Country/Region", Role::kAddress, 6, "OTHER"},
    {"Other Country", Role::kAddress, 6, "OTHER"},
};

const std::vector<Column>& Columns() {
    static const std::vector<Column> columns = [] {
        std::vector<Column> all;
        for (const FieldInfo& info : ContactFieldTable()) {
            if (info.kind == FieldKind::Text && !info.csv.empty() && !info.vcard.empty()) {
                all.push_back({info.csv, Role::kText, 0, info.vcard});
            }
        }
        all.insert(all.end(), std::begin(kColumns), std::end(kColumns));
        return all;
    }();
    return columns;
}

// Numbered columns "Kind N - Part" and the parts each kind has ("Label" is read as "Type").
struct NumberedKind {
    std::string_view name;
    std::array<std::string_view, 9> parts;
};
constexpr NumberedKind kNumberedKinds[] = {
    {"E-mail", {"Type", "Value"}},
    {"Phone", {"Type", "Value"}},
    {"Address",
     {"Type", "Formatted", "Street", "City", "PO Box", "Region", "Postal Code", "Country",
      "Extended Address"}},
    {"Website", {"Type", "Value"}},
    {"Relation", {"Type", "Value"}},
    {"Event", {"Type", "Value"}},
    {"IM", {"Type", "Service", "Value"}},
    {"Custom Field", {"Type", "Value"}},
    {"Organization", {"Type", "Name", "Title", "Department", "Location"}},
};

// What a header column is.
struct ColumnRef {
    const Column* simple = nullptr;
    int kind = -1;  // index into kNumberedKinds
    int number = 0;
    std::string part;
    bool Known() const { return simple || kind >= 0; }
};

bool ParseNumbered(std::string_view header, ColumnRef& ref) {
    const size_t dash = header.find(" - ");
    if (dash == std::string_view::npos) return false;
    std::string_view left = header.substr(0, dash);
    std::string part(header.substr(dash + 3));
    const size_t space = left.rfind(' ');
    if (space == std::string_view::npos) return false;
    const std::string_view digits = left.substr(space + 1);
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    if (EqualsAscii(part, "Label")) part = "Type";
    for (size_t k = 0; k < std::size(kNumberedKinds); ++k) {
        if (!EqualsAscii(left.substr(0, space), kNumberedKinds[k].name)) continue;
        for (std::string_view known : kNumberedKinds[k].parts) {
            if (known.empty() || !EqualsAscii(part, known)) continue;
            ref.kind = static_cast<int>(k);
            ref.number = std::stoi(std::string(digits));
            ref.part = std::string(known);
            return true;
        }
    }
    return false;
}

ColumnRef ResolveColumn(std::u16string_view header) {
    ColumnRef ref;
    const std::string name = plat::ToUtf8(header);
    for (const Column& column : Columns()) {
        if (EqualsAscii(name, column.header)) {
            ref.simple = &column;
            return ref;
        }
    }
    ParseNumbered(name, ref);
    return ref;
}

std::vector<std::u16string> SplitOn(std::u16string_view text, std::u16string_view separator) {
    std::vector<std::u16string> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, end == std::u16string_view::npos ? end : end - start));
        if (end == std::u16string_view::npos) return parts;
        start = end + separator.size();
    }
}

// A type cell of the web export: "* " marks the primary value.
std::u16string TypeText(std::u16string_view text) {
    if (text.starts_with(u"* ")) text.remove_prefix(2);
    return std::u16string(text);
}

bool IsAnyOf(std::u16string_view text, std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        if (EqualsAscii(text, word)) return true;
    }
    return false;
}

// The TYPE values of a phone type cell, or nothing for a type of the user's own.
bool PhoneTypes(std::u16string_view type, std::u16string& types) {
    static const std::pair<std::string_view, std::u16string_view> kTypes[] = {
        {"", u""},
        {"Mobile", u"CELL"},
        {"Work", u"WORK,VOICE"},
        {"Home", u"HOME,VOICE"},
        {"Main", u"MAIN"},
        {"Work Fax", u"WORK,FAX"},
        {"Home Fax", u"HOME,FAX"},
        {"Pager", u"PAGER"},
        {"Other", u"OTHER"},
        {"Work Mobile", u"WORK,CELL"},
        {"Work Pager", u"WORK,PAGER"},
    };
    for (const auto& [name, value] : kTypes) {
        if (EqualsAscii(type, name)) {
            types = value;
            return true;
        }
    }
    return false;
}

// Whether a column nobody knows holds phone numbers by its name ("Mobile Phone 2", "Yahoo Phone").
bool IsPhoneColumn(std::u16string_view header) {
    std::string lower = plat::ToUtf8(header);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    for (std::string_view word : {"phone", "mobile", "fax", "pager", "cell"}) {
        if (lower.find(word) != std::string::npos) return true;
    }
    return false;
}

bool HasDigit(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// A number of a date's column as the date text needs it: zero-padded to `width` digits.
std::u16string Padded(const std::u16string& number, size_t width) {
    return number.size() < width ? std::u16string(width - number.size(), u'0') + number : number;
}

// One row's card being built.
class RowCard {
public:
    RowCard(const CsvTable& table, const std::vector<ColumnRef>& columns)
        : table_(table), columns_(columns) {}

    VCard Build(const CsvRow& row) {
        card_.line = row.line;
        for (size_t i = 0; i < columns_.size() && i < row.fields.size(); ++i) {
            if (!row.fields[i].empty()) Take(i, row.fields[i]);
        }
        Finish();
        return std::move(card_);
    }

private:
    using Parts = std::map<std::string, std::u16string>;

    VCardProperty& Add(std::string_view name, std::u16string_view text) {
        VCardProperty& property = card_.properties.emplace_back();
        property.name = std::string(name);
        property.value = EscapeText(text);
        property.line = card_.line;
        return property;
    }

    void AddTyped(std::string_view name, std::u16string_view text, std::u16string_view types) {
        VCardProperty& property = Add(name, text);
        if (!types.empty()) property.params.push_back({"TYPE", SplitEscaped(types, u',')});
    }

    // A value with a label of its own (a further value).
    void AddLabelled(std::string_view name, std::u16string_view label, std::u16string_view text) {
        const std::string group = std::string(vcf::kGroupPrefix) + std::to_string(++groups_);
        Add(vcf::kLabelProperty, label).group = group;
        Add(name, text).group = group;
    }

    void KeepAsOther(size_t column, std::u16string_view text) {
        std::u16string label = table_.header[column];
        if (label.empty()) label = UnnamedColumnLabel(column);
        AddLabelled(vcf::kPropOther, label, text);
    }

    void AddDate(std::string_view property, std::u16string_view text, size_t column) {
        uint64_t date = 0;
        switch (ParseTableDate(text, date)) {
            case TableDate::kDate:
                Add(property, FormatCardDate(date));
                break;
            case TableDate::kNone:
                break;
            case TableDate::kUnreadable:
                KeepAsOther(column, text);
                break;
        }
    }

    void Take(size_t column, const std::u16string& text) {
        const ColumnRef& ref = columns_[column];
        if (ref.kind >= 0) {
            numbered_[{ref.kind, ref.number}][ref.part] = text;
            numberedColumn_[{ref.kind, ref.number}] = column;
            return;
        }
        if (!ref.simple) {
            // A further number in a column of its own keeps the column's name as its label.
            if (IsPhoneColumn(table_.header[column]) && HasDigit(text)) {
                return AddLabelled(vcf::kPropTel, table_.header[column], text);
            }
            return KeepAsOther(column, text);
        }
        TakeSimple(*ref.simple, column, text);
    }

    void TakeSimple(const Column& c, size_t column, const std::u16string& text) {
        switch (c.role) {
            case Role::kName:
                name_[static_cast<size_t>(c.index)] = text;
                break;
            case Role::kFullName:
                fullName_ = text;
                break;
            case Role::kOrg:
                org_[static_cast<size_t>(c.index)] = text;
                break;
            case Role::kText:
                Add(c.property, text);
                break;
            case Role::kDate:
                AddDate(c.property, text, column);
                break;
            case Role::kEmail:
                Add(vcf::kPropEmail, text)
                    .AddParam(std::string(vcf::kParamField), std::u16string(c.hint));
                break;
            case Role::kPhone:
                TakePhone(c, text);
                break;
            case Role::kCategories:
                categories_.push_back({text, c.label});
                break;
            case Role::kAddress:
                TakeAddressPart(c, text);
                break;
            case Role::kDatePart:
                dateParts_[std::string(c.property)][static_cast<size_t>(c.index)] = {text, column};
                break;
            case Role::kIgnore:
                break;
            case Role::kDefault:
                if (!EqualsAscii(text, plat::ToUtf8(c.label))) KeepAsOther(column, text);
                break;
        }
    }

    void TakePhone(const Column& c, const std::u16string& text) {
        if (!c.label.empty()) return AddLabelled(vcf::kPropTel, c.label, text);
        AddTyped(vcf::kPropTel, text, c.types);
        if (!c.hint.empty()) {
            card_.properties.back().AddParam(std::string(vcf::kParamField), std::u16string(c.hint));
        }
    }

    void TakeAddressPart(const Column& c, const std::u16string& text) {
        std::u16string& part = addresses_[std::string(c.property)][static_cast<size_t>(c.index)];
        if (!part.empty()) part += u"\r\n";
        part += text;
    }

    // --- Numbered columns ------------------------------------------------------------------
    void TakeNumbered(int kind, int number, const Parts& parts, size_t column) {
        const auto get = [&](const char* part) {
            const auto it = parts.find(part);
            return it == parts.end() ? std::u16string() : it->second;
        };
        const std::u16string type = TypeText(get("Type"));
        const std::string_view kindName = kNumberedKinds[kind].name;
        if (kindName == "Address") return TakeNumberedAddress(type, parts);
        if (kindName == "Organization") return TakeOrganization(number, parts, column);
        if (kindName == "IM") return TakeIm(get("Service"), get("Value"));
        for (const std::u16string& value : SplitOn(get("Value"), kGoogleSeparator)) {
            if (value.empty()) continue;
            if (kindName == "E-mail")
                TakeListed(vcf::kPropEmail, type, value, {"", "Home", "Work", "Other"});
            if (kindName == "Website")
                TakeListed(vcf::kPropUrl, type, value,
                           {"", "Home Page", "Homepage", "Home", "Work"});
            if (kindName == "Phone") TakeNumberedPhone(type, value);
            if (kindName == "Relation") TakeRelation(type, value);
            if (kindName == "Event") TakeEvent(type, value, column);
            if (kindName == "Custom Field")
                AddLabelled(vcf::kPropOther, type.empty() ? table_.header[column] : type, value);
        }
    }

    void TakeListed(std::string_view property, const std::u16string& type,
                    const std::u16string& value, std::initializer_list<std::string_view> plain) {
        if (IsAnyOf(type, plain)) {
            Add(property, value);
        } else {
            AddLabelled(property, type, value);
        }
    }

    void TakeNumberedPhone(const std::u16string& type, const std::u16string& value) {
        std::u16string types;
        if (PhoneTypes(type, types)) {
            AddTyped(vcf::kPropTel, value, types);
        } else {
            AddLabelled(vcf::kPropTel, type, value);
        }
    }

    // A relation of a built-in kind gets the built-in label the card mapping knows.
    void TakeRelation(const std::u16string& type, const std::u16string& value) {
        if (type.empty()) {
            Add(vcf::kPropRelatedNames, value);
            return;
        }
        std::u16string label = type;
        for (std::u16string_view kind : {u"Spouse", u"Child", u"Assistant", u"Manager"}) {
            if (EqualsAscii(type, plat::ToUtf8(kind)))
                label = u"_$!<" + std::u16string(kind) + u">!$_";
        }
        AddLabelled(vcf::kPropRelatedNames, label, value);
    }

    void TakeEvent(const std::u16string& type, const std::u16string& value, size_t column) {
        uint64_t date = 0;
        if (ParseTableDate(value, date) != TableDate::kDate) return KeepAsOther(column, value);
        const std::u16string text = FormatCardDate(date);
        if (IsAnyOf(type, {"Anniversary"})) {
            Add(vcf::kPropXAnniversary, text);
        } else if (IsAnyOf(type, {"Birthday"})) {
            Add(vcf::kPropBday, text);
        } else {
            AddLabelled(vcf::kPropLabelledDate, type.empty() ? std::u16string(u"Date") : type,
                        text);
        }
    }

    void TakeIm(const std::u16string& service, const std::u16string& value) {
        if (value.empty()) return;
        const ImService* known = ImServiceOfAnyName(TypeText(service));
        const Str name = known ? Str(known->service) : Str(TypeText(service));
        Add(vcf::kPropIm, JoinIm(name, Str(value)).View());
    }

    void TakeNumberedAddress(const std::u16string& type, const Parts& parts) {
        static const std::pair<const char*, size_t> kParts[] = {
            {"PO Box", 0}, {"Extended Address", 1}, {"Street", 2},  {"City", 3},
            {"Region", 4}, {"Postal Code", 5},      {"Country", 6},
        };
        std::vector<std::u16string> adr(7);
        bool any = false;
        for (const auto& [name, index] : kParts) {
            const auto it = parts.find(name);
            if (it == parts.end()) continue;
            adr[index] = it->second;
            any = true;
        }
        const auto formatted = parts.find("Formatted");
        if (!any && formatted != parts.end()) adr[2] = formatted->second;
        const std::u16string value = JoinEscaped(adr, u';');
        if (type.empty() || IsAnyOf(type, {"Home", "Work", "Other"})) {
            VCardProperty& property = Add(vcf::kPropAdr, {});
            property.value = value;
            if (!type.empty())
                property.AddParam("TYPE", plat::FromUtf8(AsciiUpper(plat::ToUtf8(type))));
            return;
        }
        AddLabelled(vcf::kPropAdr, type, {});
        card_.properties.back().value = value;
    }

    void TakeOrganization(int number, const Parts& parts, size_t column) {
        for (const auto& [part, text] : parts) {
            if (number != 1 || part == "Type") {
                if (part != "Type") KeepAsOther(column, text);
            } else if (part == "Name") {
                org_[0] = text;
            } else if (part == "Department") {
                org_[1] = text;
            } else if (part == "Title") {
                Add(vcf::kPropTitle, text);
            } else {
                Add(vcf::kPropOffice, text);
            }
        }
    }

    void Finish() {
        for (const auto& [key, parts] : numbered_) {
            TakeNumbered(key.first, key.second, parts, numberedColumn_[key]);
        }
        if (!name_[0].empty() || !name_[1].empty() || !name_[2].empty() || !name_[3].empty() ||
            !name_[4].empty()) {
            VCardProperty& n = Add(vcf::kPropN, {});
            n.value = JoinEscaped({name_.begin(), name_.end()}, u';');
        }
        if (!fullName_.empty()) Add(vcf::kPropFn, fullName_);
        if (!org_[0].empty() || !org_[1].empty()) {
            Add(vcf::kPropOrg, {}).value = JoinEscaped({org_[0], org_[1]}, u';');
        }
        for (const auto& [type, parts] : addresses_) {
            VCardProperty& adr = Add(vcf::kPropAdr, {});
            adr.value = JoinEscaped({parts.begin(), parts.end()}, u';');
            adr.AddParam("TYPE", plat::FromUtf8(type));
        }
        FinishDates();
        FinishCategories();
    }

    // A date given in year, month and day columns; without a year it is a date without one. Parts
    // that make no date are kept as "other" values under their columns' names.
    void FinishDates() {
        for (const auto& [property, parts] : dateParts_) {
            const std::u16string year = parts[0].text.empty() ? u"-" : Padded(parts[0].text, 4);
            uint64_t date = 0;
            if (ParseCardDate(year + u"-" + Padded(parts[1].text, 2) + u"-" + Padded(parts[2].text, 2),
                              date)) {
                Add(property, FormatCardDate(date));
                continue;
            }
            for (const DatePart& part : parts) {
                if (!part.text.empty()) KeepAsOther(part.column, part.text);
            }
        }
    }

    void FinishCategories() {
        std::vector<std::u16string> names;
        for (const auto& [text, separator] : categories_) {
            for (const std::u16string& part : SplitOn(text, separator)) {
                const std::u16string name = TypeText(part);
                if (name.empty() || IsAnyOf(name, {"myContacts", "My Contacts"})) continue;
                names.push_back(name);
            }
        }
        if (!names.empty()) Add(vcf::kPropCategories, {}).value = JoinEscaped(names, u',');
    }

    const CsvTable& table_;
    const std::vector<ColumnRef>& columns_;
    VCard card_;
    int groups_ = 0;
    std::array<std::u16string, 5> name_;
    std::array<std::u16string, 2> org_;
    std::u16string fullName_;
    std::map<std::string, std::array<std::u16string, 7>> addresses_;
    struct DatePart {
        std::u16string text;
        size_t column = 0;
    };
    std::map<std::string, std::array<DatePart, 3>> dateParts_;  // by property: year, month, day
    std::vector<std::pair<std::u16string, std::u16string_view>> categories_;
    std::map<std::pair<int, int>, Parts> numbered_;
    std::map<std::pair<int, int>, size_t> numberedColumn_;
};

}  // namespace

ReadStatus CsvToCards(const CsvTable& table, std::vector<VCard>& cards) {
    cards.clear();
    std::vector<ColumnRef> columns;
    bool known = false;
    for (const std::u16string& header : table.header) {
        columns.push_back(ResolveColumn(header));
        known = known || columns.back().Known();
    }
    if (!known) {
        return ReadStatus::Error(1,
                                 "neither a vCard (no BEGIN:VCARD) nor a contacts table (no "
                                 "known column in the header)");
    }
    for (const CsvRow& row : table.rows) {
        VCard card = RowCard(table, columns).Build(row);
        if (!card.properties.empty()) cards.push_back(std::move(card));
    }
    return ReadStatus::Ok();
}
