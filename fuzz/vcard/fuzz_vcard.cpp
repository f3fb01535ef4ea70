// Imports arbitrary bytes as a contacts file. A refused file names a line and yields no
// contact; every contact read exports to a card that imports back to an equal contact with the
// same category names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/vcard/ContactTransfer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<ImportedContact> contacts;
    const ReadStatus status = ImportContacts(bytes, contacts);
    if (!status.ok()) {
        if (!contacts.empty() || status.line() < 1 || status.reason().empty()) std::abort();
        return 0;
    }
    for (const ImportedContact& imported : contacts) {
        std::vector<ImportedContact> back;
        if (!ImportContacts(ExportContact(imported.contact, imported.categories), back).ok() ||
            back.size() != 1 || !back[0].contact.Equals(imported.contact) ||
            back[0].categories != imported.categories) {
            std::abort();
        }
    }
    return 0;
}
