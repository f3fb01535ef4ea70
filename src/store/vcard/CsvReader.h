#pragma once
// CsvReader: a table of comma- or semicolon-separated values with a header row (the exports of
// desktop and web address books). Quoting follows RFC 4180: a field in double quotes may hold
// the separator, line breaks and doubled quotes. The file's encoding is handled as FileText.h
// says; the separator is the one of ',', ';' and tab that the header row uses most. Rows end as
// the lines of LineReader.h do (LF, CR LF, CR CR LF; CR alone in a file without LF).
#include <string>
#include <string_view>
#include <vector>

#include "store/vcard/ReadStatus.h"

struct CsvRow {
    int line = 0;  // the line of the file the row begins on
    // The fields from the first column to the last that is not empty; the columns after them
    // are empty.
    std::vector<std::u16string> fields;
    bool tooLong = false;       // longer than limits::kCsvLineUnits: its fields were not kept whole
    size_t columnsLeftOut = 0;  // non-empty fields after the limits::kCsvColumns-th column
};

struct CsvTable {
    char16_t separator = u',';
    std::vector<std::u16string> header;  // the column names, blanks trimmed
    std::vector<CsvRow> rows;            // every row after the header but blank lines
};

class CsvReader {
public:
    // Reads the header and every row. A row longer than limits::kCsvLineUnits characters is skipped
    // (never held whole), and the columns after the limits::kCsvColumns-th are left out (named
    // once). A row with more non-empty fields than the header has columns
    // is skipped, and so is a row with a NUL character in a field and a row whose quoted field is
    // never closed (with the rest of the file, which that field swallowed); each skip is listed in
    // `skipped`. Fails, naming the line, when
    // the file has no header row (or the header's quote is never closed).
    static ReadStatus Read(std::string_view fileBytes, CsvTable& table, std::vector<ReadSkip>& skipped);

private:
    explicit CsvReader(std::u16string_view text);

    char16_t DetectSeparator() const;
    ReadStatus ReadRow(CsvRow& row);
    ReadStatus ReadQuoted(std::u16string& field);
    void TakeLineBreak();
    // Appends to a field while the row is within its limit; a longer row keeps no more of itself.
    void Keep(std::u16string& field, std::u16string_view text) const;
    [[nodiscard]] bool AtLineEnd() const;

    std::u16string_view text_;
    bool crEndsLines_ = false;
    size_t pos_ = 0;
    size_t rowStart_ = 0;
    int line_ = 1;
    char16_t separator_ = u',';
};
