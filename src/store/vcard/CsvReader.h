#pragma once
// CsvReader: a table of comma- or semicolon-separated values with a header row (the exports of
// desktop and web address books). Quoting follows RFC 4180: a field in double quotes may hold
// the separator, line breaks and doubled quotes. The file's encoding is handled as FileText.h
// says; the separator is the one of ',', ';' and tab that the header row uses most.
#include <string>
#include <string_view>
#include <vector>

#include "store/vcard/ReadStatus.h"

struct CsvRow {
    int line = 0;  // the line of the file the row begins on
    std::vector<std::u16string> fields;
};

struct CsvTable {
    char16_t separator = u',';
    std::vector<std::u16string> header;  // the column names, blanks trimmed
    std::vector<CsvRow> rows;            // every row after the header but blank lines
};

class CsvReader {
public:
    // Fails, naming the line, on a quoted field left open at the end of the file, on a row with
    // more non-empty fields than the header has columns, and on a file without a header row.
    static ReadStatus Read(std::string_view fileBytes, CsvTable& table);

private:
    explicit CsvReader(std::u16string_view text) : text_(text) {}

    char16_t DetectSeparator() const;
    ReadStatus ReadRow(CsvRow& row);
    ReadStatus ReadQuoted(std::u16string& field);
    void TakeLineBreak();
    bool AtLineEnd() const;

    std::u16string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
    char16_t separator_ = u',';
};
