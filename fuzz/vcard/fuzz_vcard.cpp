// Imports arbitrary bytes as a contacts file. A refused file names a line and yields no contact;
// every skip names a line and a reason; every contact read exports to a card that imports back,
// with nothing skipped, to an equal contact with the same category names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/vcard/ContactTransfer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<ImportedContact> contacts;
    std::vector<ReadSkip> skipped;
    const ReadStatus status = ImportContacts(bytes, contacts, skipped);
    for (const ReadSkip& skip : skipped) {
        if (skip.line < 1 || skip.reason.empty()) std::abort();
    }
    if (!status.ok()) {
        if (!contacts.empty() || status.line() < 1 || status.reason().empty()) std::abort();
        return 0;
    }
    for (const ImportedContact& imported : contacts) {
        std::vector<ImportedContact> back;
        std::vector<ReadSkip> backSkipped;
        if (!ImportContacts(ExportContact(imported.contact, imported.categories), back, backSkipped).ok() ||
            !backSkipped.empty() || back.size() != 1 || !back[0].contact.Equals(imported.contact) ||
            back[0].categories != imported.categories) {
            std::abort();
        }
    }
    return 0;
}
