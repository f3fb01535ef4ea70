#pragma once
// The rows of a contacts table (a CSV export with a header row) as neutral cards, one card a
// row, so that tables and vCard files reach a contact through the same mapping. The common
// column names of the big desktop and web address books' exports are understood ("First Name",
// "Business Phone", "E-mail Address", "Home Street" ...; "Given Name", "Phone 1 - Type" /
// "Phone 1 - Value", "Group Membership" ...). Any other non-empty cell becomes an "other" value
// labelled by its column name. docs/vcard.md lists the columns.
#include <vector>

#include "store/vcard/CsvReader.h"
#include "store/vcard/ReadStatus.h"
#include "store/vcard/VCard.h"

// Fails on line 1 when the header has no column this importer knows (the file is then taken
// to be no contacts table at all). Rows that give no value make no card.
ReadStatus CsvToCards(const CsvTable& table, std::vector<VCard>& cards);
