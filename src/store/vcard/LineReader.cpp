#include "store/vcard/LineReader.h"

namespace {

bool IsFoldBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool IsBlankLine(std::string_view line) {
    for (char c : line) {
        if (!IsFoldBlank(c)) return false;
    }
    return true;
}

bool IsCommentLine(std::string_view line) {
    return !line.empty() && line.front() == '#';
}

LineReader::LineReader(std::string_view text) {
    const bool crEndsLines = CrEndsLines(text);
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t length = LineBreakLength(text, i, crEndsLines);
        if (length == 0) continue;
        lines_.push_back(text.substr(start, i - start));
        i += length - 1;
        start = i + 1;
    }
    if (start < text.size()) lines_.push_back(text.substr(start));
}

void LineReader::SkipBlankLines() {
    while (!AtEnd() && (IsBlankLine(Peek()) || IsCommentLine(Peek()))) ++next_;
}

bool LineReader::NextIsFold() const {
    return !AtEnd() && !Peek().empty() && IsFoldBlank(Peek().front());
}

void LineReader::TakeFolds(std::string& line, bool keepFoldBlank) {
    while (NextIsFold()) {
        line += keepFoldBlank ? Peek() : Peek().substr(1);
        ++next_;
    }
}
