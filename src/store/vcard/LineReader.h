#pragma once
// LineReader: the physical lines of a text file (ended by CR LF, LF or a lone CR) with their
// numbers, and the unfolding of vCard content lines.
#include <string>
#include <string_view>
#include <vector>

class LineReader {
public:
    explicit LineReader(std::string_view text);

    bool AtEnd() const { return next_ >= lines_.size(); }
    // The 1-based number of the line Peek and Take give next.
    int LineNumber() const { return static_cast<int>(next_) + 1; }
    // The next line without its line break; empty at the end.
    std::string_view Peek() const { return AtEnd() ? std::string_view() : lines_[next_]; }
    std::string_view Take() { return AtEnd() ? std::string_view() : lines_[next_++]; }
    void SkipBlankLines();

    // Joins the folded lines that follow (those beginning with a blank or a tab) onto `line`.
    // The blank that marks a fold is dropped (3.0, 4.0) or kept (2.1, where writers folded at
    // white space and unfolding only removes the line break).
    void TakeFolds(std::string& line, bool keepFoldBlank);
    // Whether the next line continues a folded line.
    bool NextIsFold() const;

private:
    std::vector<std::string_view> lines_;
    size_t next_ = 0;
};

// Whether a line holds nothing but blanks and tabs.
bool IsBlankLine(std::string_view line);
