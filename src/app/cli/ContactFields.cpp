#include "app/cli/ContactFields.h"

#include <cstdio>
#include <optional>

#include "app/cli/Cli.h"
#include "categories/manager/CategoryManager.h"
#include "core/result/StatusText.h"
#include "store/contact/ContactFieldAccess.h"
#include "store/contact/ContactFields.h"
#include "store/vcard/CardDate.h"
#include "store/vcard/NoteText.h"

namespace cli {

namespace {

constexpr uint32_t kStrBadCategoryName = 40240;

// "YYYY-MM-DD" as a file time at midnight, "--MM-DD" as a date without a year; nothing for an
// empty text.
uint64_t ParseDate(const std::string& text) {
    if (text.empty()) return 0;
    uint64_t fileTime = 0;
    const bool shaped = (text.size() == 10 && text[4] == '-' && text[7] == '-') ||
                        (text.size() == 7 && text.starts_with("--") && text[4] == '-');
    if (!shaped || !ParseCardDate(Str::FromUtf8(text).View(), fileTime)) {
        throw BadArgument("\"" + text + "\" is not a date (YYYY-MM-DD, or --MM-DD without a year)");
    }
    return fileTime;
}

// A property number "0x" + one to four hexadecimal digits; nothing for any other text.
std::optional<uint16_t> PropNumberOf(const std::string& name) {
    const std::string digits = name.starts_with("0x") ? name.substr(2) : std::string();
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(std::stoul(digits, nullptr, 16));
}

// The field of a FIELD name: a text field's property number, or the field table's name.
int FieldOf(const std::string& name) {
    if (const std::optional<uint16_t> prop = PropNumberOf(name)) {
        if (const int field = TextFieldOfProp(*prop); field >= 0) return field;
    }
    for (const FieldInfo& info : ContactFieldTable()) {
        if (!info.cli.empty() && info.cli == name) return info.id;
    }
    throw BadArgument("unknown field \"" + name + "\" (brevane-cli add --help lists the fields)");
}

}  // namespace

Status ApplyField(Contact& contact, const std::string& argument, std::vector<Str>& categories) {
    const size_t equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw BadArgument("\"" + argument + "\" is not FIELD=VALUE");
    }
    const std::string name = argument.substr(0, equals);
    const std::string value = argument.substr(equals + 1);
    const Str text = Str::FromUtf8(value);
    if (name.starts_with("phone:") || name.starts_with("email:")) {
        Array<CustText>& list = name.starts_with("phone:") ? contact.phones : contact.emails;
        list.Add({Str::FromUtf8(name.substr(6)), text});
        return Status::Ok();
    }
    const int field = FieldOf(name);
    switch (FieldInfoOf(field).kind) {
        case FieldKind::Note: contact.SetNote(NoteFromText(text.View())); break;
        case FieldKind::Date: SetDateField(contact, field, ParseDate(value)); break;
        case FieldKind::Categories: {
            if (value.empty()) break;
            Result<Str> category = CategoryName(value);
            if (!category) return category.GetStatus();
            categories.push_back(std::move(category).Value());
            break;
        }
        default: contact.SetText(field, text); break;
    }
    return Status::Ok();
}

Result<Str> CategoryName(const std::string& utf8) {
    Str name = Str::FromUtf8(utf8);
    if (!CategoryManager::IsAllowedName(name.View())) return FailedWith(kStrBadCategoryName);
    return name;
}

std::optional<uint32_t> TryParseOid(const std::string& text) {
    if (text.empty() || text.size() > 8 || text.find_first_not_of("0123456789abcdef") != std::string::npos) {
        return std::nullopt;
    }
    const auto oid = static_cast<uint32_t>(std::stoul(text, nullptr, 16));
    if (oid == 0) return std::nullopt;  // no record has the identifier 0
    return oid;
}

uint32_t ParseOid(const std::string& text) {
    const std::optional<uint32_t> oid = TryParseOid(text);
    if (!oid) throw BadArgument("\"" + text + "\" is not an OID (1 to 8 lower-case hexadecimal digits, not 0)");
    return *oid;
}

std::string FormatOid(uint32_t oid) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", oid);
    return buffer;
}

}  // namespace cli
