#include "store/vcard/CsvReader.h"

#include <algorithm>

#include "store/contact/ValueLimits.h"
#include "store/vcard/FileText.h"
#include "store/vcard/LineReader.h"

namespace {

std::u16string Trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    return std::u16string(text);
}

bool IsBlankRow(const CsvRow& row) {
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::u16string& field) { return field.empty(); });
}

bool HoldsNul(const CsvRow& row) {
    return std::any_of(row.fields.begin(), row.fields.end(),
                       [](const std::u16string& field) { return field.find(u'\0') != std::u16string::npos; });
}

}  // namespace

CsvReader::CsvReader(std::u16string_view text) : text_(text), crEndsLines_(CrEndsLines(text)) {}

ReadStatus CsvReader::Read(std::string_view fileBytes, CsvTable& table, std::vector<ReadSkip>& skipped) {
    table = CsvTable();
    skipped.clear();
    std::u16string text;
    (void)DecodeFileText(FileBytesToText(fileBytes), {}, text);  // without a character set it always decodes
    CsvReader reader(text);
    reader.separator_ = table.separator = reader.DetectSeparator();
    CsvRow header;
    while (reader.pos_ < text.size() && (header.fields.empty() || IsBlankRow(header))) {
        ReadStatus status = reader.ReadRow(header);
        if (!status.ok()) return status;
    }
    if (header.fields.empty() || IsBlankRow(header)) {
        return ReadStatus::Error(1, "no header row");
    }
    for (const std::u16string& name : header.fields) table.header.push_back(Trimmed(name));
    if (header.columnsLeftOut != 0) {
        skipped.push_back({header.line, ReadSkip::Part::kColumns,
                           "more than " + std::to_string(limits::kCsvColumns) + " columns; those after the " +
                               std::to_string(limits::kCsvColumns) + "th are left out"});
    }
    while (reader.pos_ < text.size()) {
        CsvRow row;
        ReadStatus status = reader.ReadRow(row);
        if (!status.ok()) {
            skipped.push_back(
                {status.line(), ReadSkip::Part::kRow, status.reason() + " (the rest of the file is in it)"});
            break;
        }
        if (row.tooLong) {
            skipped.push_back(
                {row.line, ReadSkip::Part::kRow,
                 "longer than " + std::to_string(limits::kCsvLineUnits / (1024 * 1024)) + " MB"});
            continue;
        }
        if (IsBlankRow(row)) continue;
        if (HoldsNul(row)) {
            // A stored text ends at its first NUL: the row is refused, never cut short.
            skipped.push_back({row.line, ReadSkip::Part::kRow, "a NUL character inside a field"});
            continue;
        }
        const auto last = std::find_if(row.fields.rbegin(), row.fields.rend(),
                                       [](const std::u16string& f) { return !f.empty(); });
        const size_t used = static_cast<size_t>(row.fields.rend() - last);
        if (used > table.header.size()) {
            skipped.push_back({row.line, ReadSkip::Part::kRow,
                               std::to_string(used) + " fields, but the header has " +
                                   std::to_string(table.header.size())});
            continue;
        }
        // Trailing empty fields are dropped, never added: a short row of a table of thousands
        // of columns costs what it holds.
        row.fields.resize(used);
        row.fields.shrink_to_fit();
        table.rows.push_back(std::move(row));
    }
    return ReadStatus::Ok();
}

// The separator the first row uses most (outside quotes); ',' on a tie or when it has none.
char16_t CsvReader::DetectSeparator() const {
    size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (size_t i = 0; i < text_.size(); ++i) {
        const char16_t c = text_[i];
        if (c == u'"') quoted = !quoted;
        if (quoted) continue;
        if (LineBreakLength(text_, i, crEndsLines_) > 0) break;
        commas += c == u',';
        semicolons += c == u';';
        tabs += c == u'\t';
    }
    if (semicolons > commas && semicolons >= tabs) return u';';
    if (tabs > commas && tabs > semicolons) return u'\t';
    return u',';
}

bool CsvReader::AtLineEnd() const {
    return pos_ >= text_.size() || LineBreakLength(text_, pos_, crEndsLines_) > 0;
}

void CsvReader::TakeLineBreak() {
    if (pos_ >= text_.size()) return;
    pos_ += LineBreakLength(text_, pos_, crEndsLines_);
    ++line_;
}

ReadStatus CsvReader::ReadQuoted(std::u16string& field) {
    const int openLine = line_;
    ++pos_;  // the opening quote
    for (;;) {
        if (pos_ >= text_.size()) return ReadStatus::Error(openLine, "quoted field not closed");
        const char16_t c = text_[pos_];
        if (c == u'"') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'"') {
                field += u'"';
                pos_ += 2;
                continue;
            }
            ++pos_;
            return ReadStatus::Ok();
        }
        if (AtLineEnd()) {
            const size_t length = LineBreakLength(text_, pos_, crEndsLines_);
            const size_t kept = length == 3 ? 2 : length;  // CR CR LF is one break: CR LF
            Keep(field, text_.substr(pos_ + length - kept, kept));
            TakeLineBreak();
        } else {
            Keep(field, text_.substr(pos_, 1));
            ++pos_;
        }
    }
}

void CsvReader::Keep(std::u16string& field, std::u16string_view text) const {
    if (pos_ - rowStart_ < limits::kCsvLineUnits) field.append(text);
}

ReadStatus CsvReader::ReadRow(CsvRow& row) {
    row = CsvRow{line_};
    rowStart_ = pos_;
    for (;;) {
        std::u16string field;
        if (pos_ < text_.size() && text_[pos_] == u'"') {
            ReadStatus status = ReadQuoted(field);
            if (!status.ok()) return status;
        }
        // Unquoted text, or what a careless writer left after the closing quote.
        const size_t from = pos_;
        while (!AtLineEnd() && text_[pos_] != separator_) ++pos_;
        Keep(field, text_.substr(from, pos_ - from));
        if (row.fields.size() < limits::kCsvColumns) {
            row.fields.push_back(std::move(field));
        } else if (!field.empty()) {
            ++row.columnsLeftOut;
        }
        if (AtLineEnd()) break;
        ++pos_;  // the separator
    }
    row.tooLong = pos_ - rowStart_ > limits::kCsvLineUnits;
    TakeLineBreak();
    return ReadStatus::Ok();
}
