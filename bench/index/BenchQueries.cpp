#include "BenchQueries.h"

#include <random>

#include "index/alphabet/AbcGroupTable.h"
#include "index/words/Tokenizer.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"

namespace {

constexpr int kNameFields[] = {kFieldFirst, kFieldLast, kFieldCompany};
constexpr int kPhoneFields[] = {kFieldMobile, kFieldWorkPhone, kFieldHomePhone, kFieldWorkPhone2};

// The name words of a contact of at least `length` code units.
std::vector<std::u16string> NameWords(const Contact& contact, size_t length) {
    std::vector<std::u16string> out;
    for (int field : kNameFields) {
        for (std::u16string& word : Tokens(contact.GetText(field).View())) {
            if (word.size() >= length) out.push_back(std::move(word));
        }
    }
    return out;
}

std::u16string Prefix(std::mt19937& rng, const Contact& contact, size_t length) {
    const std::vector<std::u16string> words = NameWords(contact, length);
    return words.empty() ? std::u16string() : words[rng() % words.size()].substr(0, length);
}

// A name word of the contact that carries marks, typed without them: the first `length` units of
// its folded spelling, or all of it (length 0).
std::u16string Folded(std::mt19937& rng, const Contact& contact, size_t length) {
    std::vector<std::u16string> folded;
    for (const std::u16string& word : NameWords(contact, 1)) {
        std::u16string spelling = FoldedSpelling(word);
        if (!spelling.empty() && spelling.size() >= length) {
            folded.push_back(length == 0 ? std::move(spelling) : spelling.substr(0, length));
        }
    }
    return folded.empty() ? std::u16string() : folded[rng() % folded.size()];
}

// The first two units of the first and of the last name: "an sm".
std::u16string TwoTokens(const Contact& contact) {
    const std::vector<std::u16string> first = Tokens(contact.GetText(kFieldFirst).View());
    const std::vector<std::u16string> last = Tokens(contact.GetText(kFieldLast).View());
    if (first.empty() || last.empty()) return {};
    return first.front().substr(0, 2) + u" " + last.front().substr(0, 2);
}

// The keys of `presses` alphabet-bar buttons that lead to a name word of the contact.
std::u16string Groups(std::mt19937& rng, const Contact& contact, const AbcGroupTable& groups, size_t presses) {
    std::vector<std::u16string> keys;
    for (const std::u16string& word : NameWords(contact, presses)) {
        const std::u16string key(groups.GroupKey(word).View());
        if (key.size() >= presses) keys.push_back(key.substr(0, presses));
    }
    return keys.empty() ? std::u16string() : keys[rng() % keys.size()];
}

// The phone key of the last seven digits of one of the contact's numbers.
std::u16string Digits7(std::mt19937& rng, const Contact& contact) {
    std::u16string digits;
    for (char16_t ch : contact.GetText(kPhoneFields[rng() % std::size(kPhoneFields)]).View()) {
        if (ch >= u'0' && ch <= u'9') digits += ch;
    }
    if (digits.size() < 7) return {};
    const std::vector<std::u16string> keys = PhoneKeys(digits.substr(digits.size() - 7));
    return keys.empty() ? std::u16string() : keys.front();
}

std::u16string Draw(QueryKind kind, std::mt19937& rng, const Contact& contact, const AbcGroupTable& groups) {
    switch (kind) {
        case QueryKind::Prefix1: return Prefix(rng, contact, 1);
        case QueryKind::Prefix2: return Prefix(rng, contact, 2);
        case QueryKind::Prefix3: return Prefix(rng, contact, 3);
        case QueryKind::TwoTokens: return TwoTokens(contact);
        case QueryKind::Groups1: return Groups(rng, contact, groups, 1);
        case QueryKind::Groups2: return Groups(rng, contact, groups, 2);
        case QueryKind::Groups3: return Groups(rng, contact, groups, 3);
        case QueryKind::Digits7: return Digits7(rng, contact);
        case QueryKind::Folded1: return Folded(rng, contact, 1);
        case QueryKind::Folded3: return Folded(rng, contact, 3);
        case QueryKind::FoldedWord: return Folded(rng, contact, 0);
    }
    return {};
}

bool IsGroupKind(QueryKind kind) {
    return kind == QueryKind::Groups1 || kind == QueryKind::Groups2 || kind == QueryKind::Groups3;
}

}  // namespace

std::string_view KindName(QueryKind kind) {
    constexpr std::string_view kNames[] = {"prefix1", "prefix2", "prefix3",    "two_tokens",
                                           "groups1", "groups2", "groups3",    "digits7",
                                           "folded1", "folded3", "folded_word"};
    return kNames[static_cast<int>(kind)];
}

std::vector<std::u16string> LookupTokens(std::u16string_view query, SearchTree tree) {
    std::vector<std::u16string> tokens = Tokens(query);
    if (tree == SearchTree::Text) {
        for (std::u16string& token : tokens) token = SearchSpelling(token);
    }
    return tokens;
}

std::vector<Query> MakeQueries(QueryKind kind, std::span<const Contact> sample, const AbcGroupTable& groups,
                               size_t count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<Query> out;
    const SearchTree tree = IsGroupKind(kind) ? SearchTree::Group : SearchTree::Text;
    // Contacts without a fitting word or number are skipped; the sample holds plenty of others.
    for (size_t tries = 0; out.size() < count && tries < count * 50 && !sample.empty(); ++tries) {
        std::u16string text = Draw(kind, rng, sample[rng() % sample.size()], groups);
        if (!text.empty()) out.push_back({std::move(text), tree});
    }
    return out;
}
