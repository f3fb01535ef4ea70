#include "platform/text/TextFold.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/uscript.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

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

// The end of the letter that starts at `start`: past its code point and the marks that follow.
size_t LetterEnd(std::u16string_view text, size_t start, UChar32& first) {
    const auto size = static_cast<int32_t>(text.size());
    auto end = static_cast<int32_t>(start);
    U16_NEXT(text.data(), end, size, first);
    while (end < size) {
        int32_t next = end;
        UChar32 c = 0;
        U16_NEXT(text.data(), next, size, c);
        if (!IsMark(c)) break;
        end = next;
    }
    return static_cast<size_t>(end);
}

// Folds `text` letter by letter into `out`; with `starts`, records for each unit appended the
// start of its letter in `text`.
bool FoldInto(std::u16string_view text, std::u16string& out, std::vector<uint32_t>* starts) {
    bool changed = false;
    for (size_t start = 0; start < text.size();) {
        const char16_t unit = text[start];
        size_t end = start + 1;
        // Marks start at U+0300, so an ASCII unit followed by a lower unit is a letter of its own.
        if (unit < 0x80 && (end == text.size() || text[end] < 0x300)) {
            out += unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
        } else {
            UChar32 first = 0;
            end = LetterEnd(text, start, first);
            const std::u16string_view letter = text.substr(start, end - start);
            if (letter.size() == static_cast<size_t>(U16_LENGTH(first)) && FoldsToItself(first)) {
                out += letter;
            } else {
                changed = AppendFoldedLetter(letter, out) || changed;
            }
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
