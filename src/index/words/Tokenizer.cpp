#include "index/words/Tokenizer.h"

#include "index/alphabet/IndexSeparators.h"
#include "index/words/WordsFormat.h"
#include "platform/locale/Locale.h"
#include "platform/text/TextFold.h"

namespace {

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

constexpr std::u16string_view kNumberChars = u"1234567890-+()*# .";

bool IsNumberChar(char16_t ch) { return kNumberChars.find(ch) != std::u16string_view::npos; }

bool HasDigit(std::u16string_view text) {
    for (char16_t ch : text) {
        if (IsDigit(ch)) return true;
    }
    return false;
}

std::u16string ReversedDigitsKey(std::u16string_view number) {
    std::u16string key(1, WordsFormat::kPhoneKeyMark);
    for (auto it = number.rbegin(); it != number.rend() && key.size() < WordsFormat::kMaxWordUnits; ++it) {
        if (IsDigit(*it)) key += *it;
    }
    return key;
}

bool IsHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }

// The token cut to the longest word kept, never between the two halves of a surrogate pair.
std::u16string_view Kept(std::u16string_view token) {
    std::u16string_view kept(token);
    if (kept.size() > WordsFormat::kMaxWordUnits) {
        kept = kept.substr(0, WordsFormat::kMaxWordUnits);
        if (IsHighSurrogate(kept.back())) kept.remove_suffix(1);
    }
    return kept;
}

}  // namespace

void ForEachToken(std::u16string_view text, const std::function<void(std::u16string_view)>& take) {
    std::u16string token;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsIndexSeparator(text[i])) {
            // One unit past the longest word tells a cut word; the rest of the run is skipped.
            if (token.size() <= WordsFormat::kMaxWordUnits) token += plat::LowerUnit(text[i]);
        } else if (!token.empty()) {
            take(Kept(token));
            token.clear();
        }
    }
}

std::vector<std::u16string> Tokens(std::u16string_view text) {
    std::vector<std::u16string> out;
    ForEachToken(text, [&](std::u16string_view t) { out.emplace_back(t); });
    return out;
}

std::u16string FoldedSpelling(std::u16string_view token) {
    const std::u16string folded = plat::FoldText(token);
    return folded == token ? std::u16string() : std::u16string(Kept(folded));
}

std::u16string SearchSpelling(std::u16string_view token) {
    std::u16string folded;
    if (plat::AppendFolded(token, folded)) return std::u16string(token);
    return std::u16string(Kept(folded));
}

std::u16string_view Shorten(std::u16string_view number) {
    auto i = static_cast<long>(number.size()) - 1;
    while (i >= 6 && !IsDigit(number[i])) --i;
    if (i < 6) return {};
    while (i >= 6 && IsNumberChar(number[i])) --i;
    if (i < 6) return {};
    while (i >= 5 && !IsDigit(number[i])) --i;
    if (i < 5) return {};
    return number.substr(0, static_cast<size_t>(i) + 1);
}

std::vector<std::u16string> PhoneKeys(std::u16string_view number) {
    std::vector<std::u16string> keys;
    if (!HasDigit(number)) return keys;
    keys.push_back(ReversedDigitsKey(number));
    for (std::u16string_view rest = Shorten(number);
         rest.size() >= 6 && HasDigit(rest) && keys.size() < WordsFormat::kMaxPhoneKeys;
         rest = Shorten(rest)) {
        keys.push_back(ReversedDigitsKey(rest));
    }
    return keys;
}
