#pragma once
// FIELD=VALUE arguments of add and update, applied to a contact.
#include <optional>
#include <string>

#include "core/result/Result.h"
#include "store/contact/Contact.h"

namespace cli {

// Applies one FIELD=VALUE (an empty value clears the field); throws UsageError for an unknown
// field or a bad date. Category names are collected in `categories`; a name no category may have
// fails as CategoryName does.
Status ApplyField(Contact& contact, const std::string& argument, std::vector<Str>& categories);
// A category name given on the command line; fails with the program's message for a name no
// category may have (one holding "," or ";").
Result<Str> CategoryName(const std::string& utf8);
// The fields ApplyField knows, for the commands' help.
inline constexpr const char* kFieldHelp =
    "FIELD  a property number of a text field (0x82=Anna), or first, last, middle, title, suffix,\n"
    "       company, fileas, mobile, work-phone, home-phone, email, web, note, birthday and\n"
    "       anniversary (YYYY-MM-DD), category (a name; repeatable), phone:LABEL and email:LABEL\n"
    "       (a custom value under that label; repeatable)";
// An object identifier as the tool reads it: 1 to 8 lower-case hexadecimal digits, not 0.
std::optional<uint32_t> TryParseOid(const std::string& text);
// The same; throws UsageError for anything else.
uint32_t ParseOid(const std::string& text);
std::string FormatOid(uint32_t oid);

}  // namespace cli
