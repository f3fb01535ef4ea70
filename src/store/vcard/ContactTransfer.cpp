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

ReadStatus ReadCards(std::string_view fileBytes, std::vector<VCard>& cards) {
    switch (KindOf(fileBytes)) {
        case FileKind::kEmpty:
            return ReadStatus::Error(1, "the file is empty");
        case FileKind::kVCard:
            return VCardReader::Read(fileBytes, cards);
        case FileKind::kTable:
            break;
    }
    CsvTable table;
    ReadStatus status = CsvReader::Read(fileBytes, table);
    return status.ok() ? CsvToCards(table, cards) : status;
}

}  // namespace

ReadStatus ImportContacts(std::string_view fileBytes, std::vector<ImportedContact>& contacts) {
    contacts.clear();
    std::vector<VCard> cards;
    ReadStatus status = ReadCards(fileBytes, cards);
    if (!status.ok()) return status;
    for (const VCard& card : cards) contacts.push_back(CardToContact(card));
    return status;
}

std::string ExportContact(const Contact& contact, const std::vector<Str>& categories) {
    std::string text;
    VCardWriter::Append(ContactToCard(contact, categories), text);
    return text;
}
