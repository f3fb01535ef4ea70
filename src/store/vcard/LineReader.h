#pragma once
// LineReader: the physical lines of a text file with their numbers, and the unfolding of vCard
// content lines. Lines end in LF, CR LF or CR CR LF (the exports of some phones); a file without
// any LF ends its lines in CR alone. In a file with LFs a lone CR is text of its line (a line
// break inside a value), not the end of one.
#include <string>
#include <string_view>
#include <vector>

class LineReader {
public:
    explicit LineReader(std::string_view text);

    [[nodiscard]] bool AtEnd() const { return next_ >= lines_.size(); }
    // The 1-based number of the line Peek and Take give next.
    int LineNumber() const { return static_cast<int>(next_) + 1; }
    // The next line without its line break; empty at the end.
    std::string_view Peek() const { return AtEnd() ? std::string_view() : lines_[next_]; }
    std::string_view Take() { return AtEnd() ? std::string_view() : lines_[next_++]; }
    // Skips lines that hold only blanks and tabs, and comment lines (see IsCommentLine).
    void SkipBlankLines();

    // Joins the folded lines that follow (those beginning with a blank or a tab) onto `line`.
    // The blank that marks a fold is dropped (3.0, 4.0) or kept (2.1, where writers folded at
    // white space and unfolding only removes the line break).
    void TakeFolds(std::string& line, bool keepFoldBlank);
    // Whether the next line continues a folded line.
    [[nodiscard]] bool NextIsFold() const;

private:
    std::vector<std::string_view> lines_;
    size_t next_ = 0;
};

// Whether a line holds nothing but blanks and tabs.
[[nodiscard]] bool IsBlankLine(std::string_view line);
// Whether a line is a comment that some writers put between and inside cards: one whose first
// character is '#' (no property name begins with it).
[[nodiscard]] bool IsCommentLine(std::string_view line);

// Whether a lone CR ends a line in this text: only when the text holds no LF at all.
template <typename Char>
[[nodiscard]] bool CrEndsLines(std::basic_string_view<Char> text) {
    return text.find(Char('\n')) == std::basic_string_view<Char>::npos;
}

// The length of the line break at `text[at]`: 1 for LF and, where CR ends lines, for a lone CR;
// 2 for CR LF; 3 for CR CR LF; 0 when no line break starts there. Works for 8- and 16-bit text.
template <typename Char>
size_t LineBreakLength(std::basic_string_view<Char> text, size_t at, bool crEndsLines) {
    const auto is = [&](size_t i, char c) { return i < text.size() && text[i] == Char(c); };
    if (is(at, '\n')) return 1;
    if (!is(at, '\r')) return 0;
    if (is(at + 1, '\n')) return 2;
    if (is(at + 1, '\r') && is(at + 2, '\n')) return 3;
    return crEndsLines ? 1 : 0;
}
