#pragma once
// Helpers of the import and export tests: the sample files of data/ and short ways to import.
#include <string>
#include <string_view>
#include <vector>

#include "store/vcard/ContactTransfer.h"

// The bytes of data/<name>.
std::string DataFile(std::string_view name);

// Imports `bytes`, failing the test when the import fails.
std::vector<ImportedContact> ImportOk(std::string_view bytes);

// The status text of importing `bytes` ("ok" or "line N: reason").
std::string ImportError(std::string_view bytes);

// The one contact of a card made of `body` (content lines ended by "\r\n").
Contact CardContact(const std::string& body, const std::string& version = "3.0");

// Each listed text field holds its text and every other text field is empty.
void ExpectFields(const Contact& contact, const std::vector<std::pair<int, std::u16string>>& fields);

// A list of further values as (label, value) pairs.
using PairList = std::vector<std::pair<std::u16string, std::u16string>>;
PairList Pairs(const Array<CustText>& list);
