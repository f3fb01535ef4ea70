#include "index/words/WordTree.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "index/format/Words.h"
#include "index/words/OidList.h"
#include "index/words/WordsFormat.h"

using namespace WordsFormat;

uint32_t WordTree::Field(uint32_t node, uint32_t at) const {
    return LoadWord(store_.ToAddress(node) + at);
}

void WordTree::SetField(uint32_t node, uint32_t at, uint32_t value) {
    StoreWord(store_.ToAddress(node) + at, value);
}

char16_t WordTree::Char(uint32_t node) const {
    char16_t ch;
    std::memcpy(&ch, store_.ToAddress(node) + kNodeCharAt, 2);
    return ch;
}

bool WordTree::HasTail(uint32_t node) const {
    return store_.ToAddress(node)[kNodeTailFlagAt] == kTailFlag;
}

std::u16string_view WordTree::Tail(uint32_t node) const {
    const auto* text = reinterpret_cast<const char16_t*>(store_.ToAddress(Field(node, kNodeTailAt)));
    return {text, std::char_traits<char16_t>::length(text)};
}

uint32_t WordTree::List(uint32_t node) const { return Field(node, kNodeListAt); }
void WordTree::SetList(uint32_t node, uint32_t list) { SetField(node, kNodeListAt, list); }
uint32_t WordTree::Equal(uint32_t node) const { return Field(node, kNodeEqualAt); }

// A node for `rest` (non-empty): plain for one character, with tail for more.
std::optional<uint32_t> WordTree::NewNode(uint32_t parent, std::u16string_view rest) {
    const bool tail = rest.size() > 1;
    uint32_t tailOffset = 0;
    if (tail) {
        StorePtr text;
        uint8_t* at = store_.Allocate(static_cast<uint32_t>(rest.size() * 2), text);
        if (at == nullptr) return std::nullopt;
        std::memcpy(at, rest.data() + 1, (rest.size() - 1) * 2);
        tailOffset = text.Offset();
    }
    StorePtr node;
    uint8_t* at = store_.Allocate(tail ? kTailNodeBytes : kPlainNodeBytes, node);
    if (at == nullptr) {
        if (tailOffset != 0) store_.FreeAddress(store_.ToAddress(tailOffset));
        return std::nullopt;
    }
    StoreWord(at + kNodeParentAt, parent);
    std::memcpy(at + kNodeCharAt, &rest[0], 2);
    if (tail) {
        at[kNodeTailFlagAt] = kTailFlag;
        StoreWord(at + kNodeTailAt, tailOffset);
    }
    return node.Offset();
}

// A new node for `rest` linked from `parent` at `linkAt` (the root when `parent` is 0).
std::optional<uint32_t> WordTree::Attach(uint32_t parent, uint32_t linkAt, std::u16string_view rest) {
    const std::optional<uint32_t> node = NewNode(parent, rest);
    if (!node) return std::nullopt;
    if (parent == 0) {
        SetRoot(*node);
    } else {
        SetField(parent, linkAt, *node);
    }
    return node;
}

std::optional<uint32_t> WordTree::NodeOf(std::u16string_view word) {
    uint32_t node = Root();
    if (node == 0) return Attach(0, 0, word);
    size_t i = 0;
    for (;;) {
        const char16_t ch = Char(node);
        if (word[i] == ch && HasTail(node)) return SplitTail(node, word.substr(i + 1));
        const uint32_t linkAt = word[i] < ch ? kNodeLowerAt : word[i] > ch ? kNodeHigherAt : kNodeEqualAt;
        if (linkAt == kNodeEqualAt && ++i == word.size()) return node;
        const uint32_t next = Field(node, linkAt);
        if (next == 0) return Attach(node, linkAt, word.substr(i));
        node = next;
    }
}

// The walk reached the node with tail `node` with `rest` of the word left after its character.
// Unless the tail is the rest, the shared characters become plain nodes under it, and the old
// word and the new one each end at a node of their own below them.
std::optional<uint32_t> WordTree::SplitTail(uint32_t node, std::u16string_view rest) {
    const std::u16string tail(Tail(node));
    if (tail == rest) return node;
    const size_t shared = static_cast<size_t>(
        std::mismatch(tail.begin(), tail.end(), rest.begin(), rest.end()).first - tail.begin());
    uint32_t last = node;
    const uint32_t tailOffset = Field(node, kNodeTailAt);
    const uint32_t list = List(node);
    // A failed allocation below abandons the change; the caller has the index rebuilt.
    store_.ToAddress(node)[kNodeTailFlagAt] = 0;
    SetField(node, kNodeTailAt, 0);
    SetList(node, 0);
    for (size_t k = 0; k < shared; ++k) {
        const std::optional<uint32_t> made = Attach(last, kNodeEqualAt, std::u16string_view(tail).substr(k, 1));
        if (!made) return std::nullopt;
        last = *made;
    }
    if (shared < tail.size()) {
        const std::optional<uint32_t> old = Attach(last, kNodeEqualAt, std::u16string_view(tail).substr(shared));
        if (!old) return std::nullopt;
        SetList(*old, list);
    } else {
        SetList(last, list);
    }
    store_.FreeAddress(store_.ToAddress(tailOffset));
    if (shared == rest.size()) return last;
    const std::u16string_view mine = rest.substr(shared);
    uint32_t parent = last;
    uint32_t linkAt = kNodeEqualAt;
    while (Field(parent, linkAt) != 0) {
        parent = Field(parent, linkAt);
        linkAt = mine[0] < Char(parent) ? kNodeLowerAt : kNodeHigherAt;
    }
    return Attach(parent, linkAt, mine);
}

namespace {

// The run of words[lo, hi) (sorted, sharing their first `depth` characters) that has at `depth`
// the character of the middle word.
std::pair<size_t, size_t> MiddleRun(std::span<const std::u16string> words, size_t lo, size_t hi, size_t depth) {
    const auto begin = words.begin();
    const size_t middle = lo + (hi - lo) / 2;
    const char16_t ch = words[middle][depth];
    const auto first = std::partition_point(begin + lo, begin + middle, [&](const auto& w) { return w[depth] < ch; });
    const auto last = std::partition_point(begin + middle, begin + hi, [&](const auto& w) { return w[depth] == ch; });
    return {static_cast<size_t>(first - begin), static_cast<size_t>(last - begin)};
}

}  // namespace

// Each node is made before its lower siblings, the words continuing it and its higher siblings,
// in that order (a stack, not recursion: a long word shared by two contacts would nest as deep
// as its length).
bool WordTree::Build(std::span<const std::u16string> words, std::span<const std::vector<uint32_t>> lists,
                     std::vector<uint32_t>& nodes) {
    if (Root() != 0) return false;
    nodes.assign(words.size(), 0);
    struct Pending {
        size_t lo, hi, depth;  // words[lo, hi), all longer than `depth`
        uint32_t parent, linkAt;
    };
    std::vector<Pending> pending;
    if (!words.empty()) pending.push_back({0, words.size(), 0, 0, 0});
    while (!pending.empty()) {
        const Pending p = pending.back();
        pending.pop_back();
        const auto [first, last] = MiddleRun(words, p.lo, p.hi, p.depth);
        const std::u16string_view word = words[first];
        const bool alone = last - first == 1;
        const std::optional<uint32_t> node = NewNode(p.parent, alone ? word.substr(p.depth) : word.substr(p.depth, 1));
        if (!node) return false;
        if (p.parent == 0) {
            SetRoot(*node);
        } else {
            SetField(p.parent, p.linkAt, *node);
        }
        size_t below = first;  // the words continuing below the node
        if (alone || word.size() == p.depth + 1) {
            const std::optional<uint32_t> list = OidList::Make(store_, lists[first]);
            if (!list) return false;
            SetList(*node, *list);
            nodes[first] = *node;
            below = alone ? last : first + 1;
        }
        for (const Pending& next : {Pending{last, p.hi, p.depth, *node, kNodeHigherAt},
                                    Pending{below, last, p.depth + 1, *node, kNodeEqualAt},
                                    Pending{p.lo, first, p.depth, *node, kNodeLowerAt}}) {
            if (next.lo < next.hi) pending.push_back(next);
        }
    }
    return true;
}

std::optional<uint32_t> WordTree::Insert(std::u16string_view word, uint32_t oid) {
    if (word.empty()) return 0u;
    const std::optional<uint32_t> node = NodeOf(word);
    if (!node) return std::nullopt;
    bool added = false;
    const std::optional<uint32_t> list = OidList::Insert(store_, List(*node), oid, added);
    if (!list) return std::nullopt;
    SetList(*node, *list);
    return added ? *node : 0u;
}

uint32_t WordTree::FindPrefix(std::u16string_view prefix) const {
    uint32_t node = Root();
    size_t i = 0;
    while (node != 0 && i < prefix.size()) {
        const char16_t ch = Char(node);
        if (prefix[i] < ch) {
            node = Field(node, kNodeLowerAt);
        } else if (prefix[i] > ch) {
            node = Field(node, kNodeHigherAt);
        } else if (HasTail(node)) {
            return Tail(node).starts_with(prefix.substr(i + 1)) ? node : 0;
        } else if (++i == prefix.size()) {
            return node;
        } else {
            node = Field(node, kNodeEqualAt);
        }
    }
    return 0;
}

// The subtree is walked breadth first, and each node and list is asked of memory as soon as its
// offset is known: in a wide subtree of a large image the reads of many nodes are then under way
// together instead of each waiting for the one before.
void WordTree::ListsUnder(uint32_t node, std::vector<uint32_t>& lists) const {
    lists.clear();
    walk_.clear();
    if (List(node) != 0) lists.push_back(List(node));
    if (Equal(node) != 0) walk_.push_back(Equal(node));
    const uint8_t* base = store_.BaseAddress();
    for (size_t i = 0; i < walk_.size(); ++i) {
        const uint8_t* bytes = base + walk_[i];
        if (const uint32_t list = LoadWord(bytes + kNodeListAt)) {
            __builtin_prefetch(base + list);
            lists.push_back(list);
        }
        for (uint32_t link : {kNodeLowerAt, kNodeEqualAt, kNodeHigherAt}) {
            if (const uint32_t child = LoadWord(bytes + link)) {
                __builtin_prefetch(base + child);
                walk_.push_back(child);
            }
        }
    }
}

bool WordTree::RemoveAlongChain(uint32_t node, uint32_t oid, std::vector<uint32_t>& visited,
                                std::vector<uint32_t>& freed) {
    uint32_t last = node;
    for (uint32_t at = node; at != 0; at = Equal(at)) {
        visited.push_back(at);
        bool removed = false;
        const std::optional<uint32_t> list = OidList::Remove(store_, List(at), oid, removed);
        if (!list) return false;
        SetList(at, *list);
        last = at;
    }
    if (List(last) == 0) Prune(last, freed);
    return true;
}

void WordTree::Prune(uint32_t node, std::vector<uint32_t>& freed) {
    while (node != 0 && List(node) == 0 && Field(node, kNodeLowerAt) == 0 && Equal(node) == 0 &&
           Field(node, kNodeHigherAt) == 0) {
        const uint32_t parent = Field(node, kNodeParentAt);
        Unlink(node);
        FreeNode(node);
        freed.push_back(node);
        node = parent;
    }
}

void WordTree::Unlink(uint32_t node) {
    const uint32_t parent = Field(node, kNodeParentAt);
    if (parent == 0) {
        if (Root() == node) SetRoot(0);
        return;
    }
    for (uint32_t link : {kNodeLowerAt, kNodeEqualAt, kNodeHigherAt}) {
        if (Field(parent, link) == node) SetField(parent, link, 0);
    }
}

void WordTree::FreeNode(uint32_t node) {
    if (HasTail(node)) store_.FreeAddress(store_.ToAddress(Field(node, kNodeTailAt)));
    if (List(node) != 0) store_.FreeAddress(store_.ToAddress(List(node)));
    store_.FreeAddress(store_.ToAddress(node));
}

void WordTree::ForEachWord(const std::function<void(const std::u16string&, uint32_t)>& take) const {
    std::u16string prefix;
    if (Root() != 0) Walk(Root(), prefix, take);
}

void WordTree::Walk(uint32_t node, std::u16string& prefix,
                    const std::function<void(const std::u16string&, uint32_t)>& take) const {
    if (const uint32_t lower = Field(node, kNodeLowerAt)) Walk(lower, prefix, take);
    prefix += Char(node);
    if (HasTail(node)) {
        take(prefix + std::u16string(Tail(node)), node);
    } else {
        if (List(node) != 0) take(prefix, node);
        if (const uint32_t equal = Equal(node)) Walk(equal, prefix, take);
    }
    prefix.pop_back();
    if (const uint32_t higher = Field(node, kNodeHigherAt)) Walk(higher, prefix, take);
}
