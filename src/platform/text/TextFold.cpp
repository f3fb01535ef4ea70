#include "platform/text/TextFold.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/uscript.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <array>
#include <atomic>
#include <memory>

namespace plat {

namespace {

// ICU's shared normalizer instances: made once, immutable, usable from every thread.
const UNormalizer2* Nfd() {
    static const UNormalizer2* const instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        return unorm2_getNFDInstance(&status);
    }();
    return instance;
}

const UNormalizer2* Nfc() {
    static const UNormalizer2* const instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        return unorm2_getNFCInstance(&status);
    }();
    return instance;
}

bool IsMark(UChar32 c) { return (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0; }

// The plain spelling of a case-folded letter whose mark is part of its shape; empty for others.
std::u16string_view PlainSpelling(UChar32 c) {
    switch (c) {
        case u'æ': return u"ae";
        case u'ø': return u"o";
        case u'œ': return u"oe";
        case u'ł': return u"l";
        case u'đ': return u"d";
        case u'þ': return u"th";
        default: return {};
    }
}

// A code point that folds to itself: no case fold, no canonical decomposition, not a mark, no
// plain spelling. Most letters of the scripts that keep their identity are such.
bool FoldsToItself(UChar32 c) {
    if (c < 0x80) return !(c >= u'A' && c <= u'Z');
    if (u_hasBinaryProperty(c, UCHAR_CHANGES_WHEN_CASEFOLDED) || IsMark(c) || !PlainSpelling(c).empty()) {
        return false;
    }
    UChar decomposition[4];
    UErrorCode status = U_ZERO_ERROR;
    return unorm2_getRawDecomposition(Nfd(), c, decomposition, 4, &status) < 0;
}

// The text an ICU string function writes: `call(dest, capacity, status)` returns the length it
// needs; `source` is kept when ICU refuses the text.
template <typename Call>
std::u16string IcuText(std::u16string_view source, Call call) {
    char16_t buffer[32];
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = call(buffer, 32, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        std::u16string large(static_cast<size_t>(length), u'\0');
        status = U_ZERO_ERROR;
        length = call(large.data(), length, &status);
        return U_SUCCESS(status) ? large : std::u16string(source);
    }
    return U_SUCCESS(status) ? std::u16string(buffer, static_cast<size_t>(length)) : std::u16string(source);
}

std::u16string CaseFolded(std::u16string_view text) {
    return IcuText(text, [&](char16_t* dest, int32_t capacity, UErrorCode* status) {
        return u_strFoldCase(dest, capacity, text.data(), static_cast<int32_t>(text.size()),
                             U_FOLD_CASE_DEFAULT, status);
    });
}

std::u16string Normalized(const UNormalizer2* form, std::u16string_view text) {
    return IcuText(text, [&](char16_t* dest, int32_t capacity, UErrorCode* status) {
        return unorm2_normalize(form, text.data(), static_cast<int32_t>(text.size()), dest, capacity, status);
    });
}

// Whether the marks on a letter of this script are removed: Latin and Greek, and marks on
// nothing or on a sign shared by all scripts.
bool DropsMarks(UChar32 base) {
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(base, &status);
    return script == USCRIPT_LATIN || script == USCRIPT_GREEK || script == USCRIPT_COMMON ||
           script == USCRIPT_INHERITED;
}

// Appends the fold of one letter and its marks; true when a mark was removed or the letter
// replaced.
bool AppendFoldedLetter(std::u16string_view letter, std::u16string& out) {
    const std::u16string folded = CaseFolded(letter);
    const std::u16string decomposed = Normalized(Nfd(), folded);
    UChar32 base = 0;
    if (!decomposed.empty()) U16_GET(decomposed.data(), 0, 0, static_cast<int32_t>(decomposed.size()), base);
    if (decomposed.empty() || !DropsMarks(base)) {
        out += Normalized(Nfc(), folded);
        return false;
    }
    bool changed = false;
    for (int32_t i = 0; i < static_cast<int32_t>(decomposed.size());) {
        UChar32 c = 0;
        U16_NEXT(decomposed.data(), i, static_cast<int32_t>(decomposed.size()), c);
        const std::u16string_view plain = PlainSpelling(c);
        if (u_charType(c) == U_NON_SPACING_MARK) {
            changed = true;
        } else if (!plain.empty()) {
            out += plain;
            changed = true;
        } else {
            char16_t units[2];
            int32_t length = 0;
            U16_APPEND_UNSAFE(units, length, c);
            out.append(units, static_cast<size_t>(length));
        }
    }
    return changed;
}

// Appends the fold of a letter (a code point and the marks that follow it).
bool AppendLetter(std::u16string_view letter, UChar32 first, std::u16string& out) {
    if (letter.size() == static_cast<size_t>(U16_LENGTH(first)) && FoldsToItself(first)) {
        out += letter;
        return false;
    }
    return AppendFoldedLetter(letter, out);
}

// The folds of the UTF-16 units standing alone, made a block of 256 units at a time on first use
// and kept for the life of the process: a block is published whole by one atomic store and never
// changed or freed, so every thread reads it without a lock (two threads that make the same
// block at once keep the first). A text of the scripts in use then folds by a table lookup per
// letter.
class UnitFolds {
public:
    struct Fold {
        std::u16string_view text;
        bool changed;
    };

    static const UnitFolds& Instance() {
        static const UnitFolds* const instance = new UnitFolds;  // never destroyed: used until exit
        return *instance;
    }

    Fold Of(char16_t unit) const {
        const Block* block = blocks_[unit >> 8].load(std::memory_order_acquire);
        if (block == nullptr) block = Make(unit >> 8);
        const Entry entry = block->entries[unit & 0xFF];
        return {std::u16string_view(block->units).substr(entry.at, entry.length), entry.changed};
    }

private:
    struct Entry {
        uint16_t at = 0;  // in Block::units
        uint8_t length = 0;
        bool changed = false;
    };
    struct Block {
        std::u16string units;  // the folds of the block's units, back to back
        std::array<Entry, 256> entries;
    };

    const Block* Make(unsigned high) const {
        auto block = std::make_unique<Block>();
        for (unsigned low = 0; low < 256; ++low) {
            const auto unit = static_cast<char16_t>(high << 8 | low);
            Entry& entry = block->entries[low];
            entry.at = static_cast<uint16_t>(block->units.size());
            entry.changed = AppendLetter(std::u16string_view(&unit, 1), unit, block->units);
            entry.length = static_cast<uint8_t>(block->units.size() - entry.at);
        }
        const Block* expected = nullptr;
        if (blocks_[high].compare_exchange_strong(expected, block.get(), std::memory_order_acq_rel)) {
            return block.release();
        }
        return expected;
    }

    mutable std::array<std::atomic<const Block*>, 256> blocks_{};
};

// Whether the code point at `at` is a mark (it belongs to the letter before it). Marks start at
// U+0300, so a lower unit is none.
bool MarkAt(std::u16string_view text, size_t at) {
    if (at >= text.size() || text[at] < 0x300) return false;
    UChar32 c = 0;
    U16_GET(text.data(), 0, static_cast<int32_t>(at), static_cast<int32_t>(text.size()), c);
    return IsMark(c);
}

// Folds `text` letter by letter into `out`; with `starts`, records for each unit appended the
// start of its letter in `text`.
bool FoldInto(std::u16string_view text, std::u16string& out, std::vector<uint32_t>* starts) {
    bool changed = false;
    for (size_t start = 0; start < text.size();) {
        const char16_t unit = text[start];
        size_t end = start + 1;
        const bool alone = !U16_IS_LEAD(unit) && !MarkAt(text, end);
        if (unit < 0x80 && alone) {
            out += unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
        } else if (alone) {
            const UnitFolds::Fold fold = UnitFolds::Instance().Of(unit);
            out += fold.text;
            changed = fold.changed || changed;
        } else {
            UChar32 first = 0;
            U16_NEXT(text.data(), end, text.size(), first);
            while (MarkAt(text, end)) U16_FWD_1(text.data(), end, text.size());
            changed = AppendLetter(text.substr(start, end - start), first, out) || changed;
        }
        if (starts != nullptr) starts->resize(out.size(), static_cast<uint32_t>(start));
        start = end;
    }
    return changed;
}

}  // namespace

std::u16string FoldText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    FoldInto(text, out, nullptr);
    return out;
}

std::u16string_view FoldUnit(char16_t unit) { return UnitFolds::Instance().Of(unit).text; }

bool AppendFolded(std::u16string_view text, std::u16string& out) { return FoldInto(text, out, nullptr); }

bool HasFoldedLetters(std::u16string_view text) {
    std::u16string out;
    return FoldInto(text, out, nullptr);
}

FoldedText::FoldedText(std::u16string_view source) {
    FoldInto(source, text_, &sourceStart_);
    sourceStart_.push_back(static_cast<uint32_t>(source.size()));
}

std::pair<size_t, size_t> FoldedText::SourceRange(size_t from, size_t to) const {
    const uint32_t lastLetter = sourceStart_[to - 1];
    size_t end = to;
    while (sourceStart_[end] == lastLetter) ++end;
    return {sourceStart_[from], sourceStart_[end]};
}

}  // namespace plat
