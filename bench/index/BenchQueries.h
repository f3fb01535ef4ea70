#pragma once
// The fixed query sets the searches are timed with: prefixes of words that occur in the list, as a
// user types them, alphabet-bar presses and the last seven digits of a stored number.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "index/words/SearchTypes.h"

class AbcGroupTable;
class Contact;

// Folded1, Folded3 and FoldedWord type a name word that carries marks without them ("m", "mul",
// "muller" for "Müller").
enum class QueryKind : int {
    Prefix1,
    Prefix2,
    Prefix3,
    TwoTokens,
    Groups1,
    Groups2,
    Groups3,
    Digits7,
    Folded1,
    Folded3,
    FoldedWord
};
inline constexpr QueryKind kQueryKinds[] = {QueryKind::Prefix1,   QueryKind::Prefix2,   QueryKind::Prefix3,
                                            QueryKind::TwoTokens, QueryKind::Groups1,   QueryKind::Groups2,
                                            QueryKind::Groups3,   QueryKind::Digits7,   QueryKind::Folded1,
                                            QueryKind::Folded3,   QueryKind::FoldedWord};

// The benchmark name of a kind: "prefix1", "two_tokens", "groups2", "digits7", ...
std::string_view KindName(QueryKind kind);

// A search as the index takes it: blank-separated lower-case tokens, each a word prefix, in the
// text tree or (alphabet-bar presses) the group-key tree. A trailing-digit lookup is the phone
// key of the digits in the text tree.
struct Query {
    std::u16string text;
    SearchTree tree = SearchTree::Text;
};

// The words a search looks up for `query`, as the index takes them: its tokens, in the text tree
// each by its search spelling (SearchSpelling, Tokenizer.h).
std::vector<std::u16string> LookupTokens(std::u16string_view query, SearchTree tree);

// `count` queries of `kind` drawn (seeded) from the words and numbers of `sample`.
std::vector<Query> MakeQueries(QueryKind kind, std::span<const Contact> sample, const AbcGroupTable& groups,
                               size_t count, uint32_t seed);
