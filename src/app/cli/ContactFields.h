#pragma once
// FIELD=VALUE arguments of add and update, applied to a contact.
#include <string>

#include "store/contact/Contact.h"

namespace cli {

// Applies one FIELD=VALUE (an empty value clears the field); throws UsageError for an unknown
// field or a bad date. Category names are collected in `categories`.
void ApplyField(Contact& contact, const std::string& argument, std::vector<Str>& categories);
// The object identifier written in lower-case hexadecimal; throws UsageError otherwise.
uint32_t ParseOid(const std::string& text);
std::string FormatOid(uint32_t oid);

}  // namespace cli
