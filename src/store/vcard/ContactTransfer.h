#pragma once
// Importing and exporting contacts: the entry points the command-line tool and the program use.
// Import takes a vCard file (2.1, 3.0 or 4.0, several cards a file) or a CSV export with a
// header row, recognised by its content, and reads what it can; export writes vCard 3.0 that
// imports back to an equal contact.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/str/Str.h"
#include "store/contact/Contact.h"
#include "store/vcard/CardToContact.h"
#include "store/vcard/ReadStatus.h"

// Every readable card (or table row) of the file as a new contact, in file order. What cannot be
// read is left out and listed in `skipped` in the order met: a property, a card whose structure is
// broken or that gives no value, a damaged row (VCardReader.h, CsvReader.h). Fails, with no
// contact, when the file gives none: the status names the line and the reason (a file that is
// neither a vCard nor a contacts table is refused on its first line).
ReadStatus ImportContacts(std::string_view fileBytes, std::vector<ImportedContact>& contacts,
                          std::vector<ReadSkip>& skipped);

// Gets each contact as it is read; false from it stops the reading.
using ContactSink = std::function<bool(ImportedContact&&)>;
// The same as ImportContacts, one contact at a time, so that a large vCard file is never held
// parsed whole: what is held is the file's text and one card. A file that fails gives no contact
// to `take`. `skipped` is complete only when the reading was not stopped.
ReadStatus ForEachImported(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const ContactSink& take);

// The contact as one vCard 3.0 card (UTF-8, CR LF); `categories` are its category names.
std::string ExportContact(const Contact& contact, const std::vector<Str>& categories);
