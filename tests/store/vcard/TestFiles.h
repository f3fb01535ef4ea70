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
