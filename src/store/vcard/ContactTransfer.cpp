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
    std::string converted;
    LineReader lines(FileTextOf(fileBytes, converted));
    lines.SkipBlankLines();
    if (lines.AtEnd()) return FileKind::kEmpty;
    const std::string_view first = TrimBlanks(lines.Peek());
    const size_t colon = first.find(':');
    const bool begin =
        colon != std::string_view::npos && EqualsAscii(TrimBlanks(first.substr(0, colon)), "BEGIN");
    return begin ? FileKind::kVCard : FileKind::kTable;
}

// Hands each readable card of the file to `take`, as it is read.
ReadStatus ReadCards(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const VCardReader::CardSink& take) {
    switch (KindOf(fileBytes)) {
        case FileKind::kEmpty:
            skipped.clear();
            return ReadStatus::Error(1, "the file is empty");
        case FileKind::kVCard:
            return VCardReader::ReadEach(fileBytes, skipped, take);
        case FileKind::kTable:
            break;
    }
    CsvTable table;
    std::vector<VCard> cards;
    ReadStatus status = CsvReader::Read(fileBytes, table, skipped);
    if (status.ok()) status = CsvToCards(table, cards);
    if (!status.ok()) return status;
    for (VCard& card : cards) {
        if (!take(std::move(card))) break;
    }
    return status;
}

bool GivesNothing(const ImportedContact& imported) {
    return imported.contact.IsEmpty() && imported.categories.empty();
}

}  // namespace

ReadStatus ForEachImported(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const ContactSink& take) {
    size_t given = 0;
    std::vector<ReadSkip> empty;  // cards that give nothing, listed after the reader's own skips
    ReadStatus status = ReadCards(fileBytes, skipped, [&](VCard&& card) {
        ImportedContact imported = CardToContact(card);
        if (GivesNothing(imported)) {
            empty.push_back({card.line, ReadSkip::Part::kCard, "no value in the card could be read"});
            return true;
        }
        ++given;
        return take(std::move(imported));
    });
    skipped.insert(skipped.end(), empty.begin(), empty.end());
    if (!status.ok() || given != 0) return status;
    return skipped.empty() ? ReadStatus::Error(1, "no contact in the file")
                           : ReadStatus::Error(skipped.front().line, "nothing could be read");
}

ReadStatus ImportContacts(std::string_view fileBytes, std::vector<ImportedContact>& contacts,
                          std::vector<ReadSkip>& skipped) {
    contacts.clear();
    return ForEachImported(fileBytes, skipped, [&](ImportedContact&& imported) {
        contacts.push_back(std::move(imported));
        return true;
    });
}

std::string ExportContact(const Contact& contact, const std::vector<Str>& categories) {
    std::string text;
    VCardWriter::Append(ContactToCard(contact, categories), text);
    return text;
}
