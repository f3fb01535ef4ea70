#include "store/vcard/ContactTransfer.h"

#include "store/vcard/Ascii.h"
#include "store/vcard/ContactToCard.h"
#include "store/vcard/CsvContacts.h"
#include "store/vcard/CsvReader.h"
#include "store/vcard/FileText.h"
#include "store/vcard/LineReader.h"
#include "store/vcard/VCardReader.h"
#include "store/vcard/VCardWriter.h"

namespace {

enum class FileKind { kEmpty, kVCard, kTable };

// A file whose first line that is not blank begins with "BEGIN:" is taken for a vCard file.
FileKind KindOf(std::string_view fileBytes) {
    const std::string text = FileBytesToText(fileBytes);
    LineReader lines(text);
    lines.SkipBlankLines();
    if (lines.AtEnd()) return FileKind::kEmpty;
    const std::string_view first = TrimBlanks(lines.Peek());
    const size_t colon = first.find(':');
    const bool begin =
        colon != std::string_view::npos && EqualsAscii(TrimBlanks(first.substr(0, colon)), "BEGIN");
    return begin ? FileKind::kVCard : FileKind::kTable;
}

ReadStatus ReadCards(std::string_view fileBytes, std::vector<VCard>& cards, std::vector<ReadSkip>& skipped) {
    switch (KindOf(fileBytes)) {
        case FileKind::kEmpty:
            return ReadStatus::Error(1, "the file is empty");
        case FileKind::kVCard:
            return VCardReader::Read(fileBytes, cards, skipped);
        case FileKind::kTable:
            break;
    }
    CsvTable table;
    ReadStatus status = CsvReader::Read(fileBytes, table, skipped);
    return status.ok() ? CsvToCards(table, cards) : status;
}

bool GivesNothing(const ImportedContact& imported) {
    return imported.contact.IsEmpty() && imported.categories.empty();
}

}  // namespace

ReadStatus ImportContacts(std::string_view fileBytes, std::vector<ImportedContact>& contacts,
                          std::vector<ReadSkip>& skipped) {
    contacts.clear();
    std::vector<VCard> cards;
    ReadStatus status = ReadCards(fileBytes, cards, skipped);
    if (!status.ok()) return status;
    for (const VCard& card : cards) {
        ImportedContact imported = CardToContact(card);
        if (GivesNothing(imported)) {
            skipped.push_back({card.line, ReadSkip::Part::kCard, "no value in the card could be read"});
        } else {
            contacts.push_back(std::move(imported));
        }
    }
    if (!contacts.empty()) return status;
    return skipped.empty() ? ReadStatus::Error(1, "no contact in the file")
                           : ReadStatus::Error(skipped.front().line, "nothing could be read");
}

std::string ExportContact(const Contact& contact, const std::vector<Str>& categories) {
    std::string text;
    VCardWriter::Append(ContactToCard(contact, categories), text);
    return text;
}
