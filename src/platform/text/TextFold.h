#pragma once
// Folding of texts for search, so that a word typed without accents finds the words that carry
// them. The folded text is the text case-folded (full Unicode case folding, so "ß" becomes "ss"),
// with the nonspacing marks removed from Latin and Greek letters ("Müller" becomes "muller",
// "Άννα" "αννα") and the letters that carry their mark in their own shape replaced by their plain
// spelling: æ ae, ø o, œ oe, ł l, đ d, þ th, in either case. Letters of other scripts keep their
// identity: a Cyrillic "й", a kana "が" or a Hangul syllable stays itself, only its case folds,
// and it is kept composed (NFC).
//
// Folding works on one letter and its following marks at a time, so a folded text is the
// concatenation of its letters' folds: a word folds to the same text inside a longer text as on
// its own, which the index and the highlight of a match rely on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

[[nodiscard]] std::u16string FoldText(std::u16string_view text);
// Appends the fold of `text` to `out`; returns true when it removed a mark or replaced a letter,
// false when it only folded case (then the text was typed without accents).
[[nodiscard]] bool AppendFolded(std::u16string_view text, std::u16string& out);

// The fold of one UTF-16 unit standing alone (a surrogate folds to itself); valid until exit.
[[nodiscard]] std::u16string_view FoldUnit(char16_t unit);

// True when folding `text` removes a mark or replaces a letter (beyond folding its case).
[[nodiscard]] bool HasFoldedLetters(std::u16string_view text);

// A folded text that remembers where each of its units came from, to map a match found in the
// folded text back onto the text shown.
class FoldedText {
public:
    explicit FoldedText(std::u16string_view source);

    [[nodiscard]] const std::u16string& Text() const { return text_; }
    // The source units [begin, end) that folded into the units [from, to) of Text(): from the start
    // of the letter of unit `from` to the end of the letter of unit to-1 (so a match of "s" against
    // the "ss" of "ß" covers the whole "ß"). `from` < `to` <= Text().size().
    [[nodiscard]] std::pair<size_t, size_t> SourceRange(size_t from, size_t to) const;

private:
    std::u16string text_;
    // For each unit of text_, the start of its letter in the source; one more entry holds the
    // source's length.
    std::vector<uint32_t> sourceStart_;
};

}  // namespace plat
