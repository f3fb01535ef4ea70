#pragma once
// WordTree: a ternary search tree of words in the index image. Each node holds one character,
// a lower and a higher sibling and an equal child (the next position); a node with tail stands
// for the rest of a word that no other word shares yet. A node's OID list holds the contacts
// having exactly its word. The tree's root and contact map live in two header words of the
// image.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "index/format/IndexFormat.h"
#include "index/store/IndexStore.h"

class WordTree {
public:
    WordTree(IndexStore& store, IndexFormat::HeaderWord rootWord, IndexFormat::HeaderWord mapWord)
        : store_(store), rootWord_(rootWord), mapWord_(mapWord) {}

    uint32_t Root() const { return store_.HeaderWord(rootWord_); }
    uint32_t Map() const { return store_.HeaderWord(mapWord_); }
    void SetMap(uint32_t offset) { store_.SetHeaderWord(mapWord_, offset); }

    // Adds `oid` to the list of `word` (non-empty, lower-cased), making the word's nodes as
    // needed. The word's node when the OID was added, 0 when it was there already, nullopt when
    // the image could not supply a block.
    std::optional<uint32_t> Insert(std::u16string_view word, uint32_t oid);
    // Builds the tree of an empty index at once from `words` (ascending, distinct, non-empty),
    // `lists[i]` being the OIDs (ascending) of words[i]; `nodes[i]` receives the node of words[i].
    // Sibling characters are balanced by the number of words under them, a word that no other
    // word continues ends at a node with tail, and each node is laid out before its subtrees
    // with its list beside it, so the words under a prefix lie together in the image. False when
    // the tree is not empty or the image could not supply a block.
    [[nodiscard]] bool Build(std::span<const std::u16string> words,
                             std::span<const std::vector<uint32_t>> lists, std::vector<uint32_t>& nodes);
    // The node of `word` itself (no OID added); nullopt on allocation failure.
    std::optional<uint32_t> NodeOf(std::u16string_view word);
    // The node at which `prefix` ends, or 0 when no word begins with it.
    uint32_t FindPrefix(std::u16string_view prefix) const;
    // Replaces `lists` with the OID lists (offsets) of the node `node` and of every node under its
    // equal child: all the words that begin with the node's word.
    void ListsUnder(uint32_t node, std::vector<uint32_t>& lists) const;
    // Removes `oid` from the lists along the equal-child chain from `node`, recording each node
    // visited in `visited`; prunes the chain's end when it is left without list or children and
    // records pruned nodes in `freed`.
    [[nodiscard]] bool RemoveAlongChain(uint32_t node, uint32_t oid, std::vector<uint32_t>& visited,
                                        std::vector<uint32_t>& freed);

    // Every word with its node, in code-unit order (for checks and tests).
    void ForEachWord(const std::function<void(const std::u16string& word, uint32_t node)>& take) const;

    // Node fields.
    uint32_t List(uint32_t node) const;
    void SetList(uint32_t node, uint32_t list);
    uint32_t Equal(uint32_t node) const;

private:
    uint32_t Field(uint32_t node, uint32_t at) const;
    void SetField(uint32_t node, uint32_t at, uint32_t value);
    char16_t Char(uint32_t node) const;
    [[nodiscard]] bool HasTail(uint32_t node) const;
    std::u16string_view Tail(uint32_t node) const;
    void SetRoot(uint32_t node) { store_.SetHeaderWord(rootWord_, node); }
    std::optional<uint32_t> NewNode(uint32_t parent, std::u16string_view rest);
    std::optional<uint32_t> Attach(uint32_t parent, uint32_t linkAt, std::u16string_view rest);
    std::optional<uint32_t> SplitTail(uint32_t node, std::u16string_view rest);
    void Prune(uint32_t node, std::vector<uint32_t>& freed);
    void Unlink(uint32_t node);
    void FreeNode(uint32_t node);
    void Walk(uint32_t node, std::u16string& prefix,
              const std::function<void(const std::u16string&, uint32_t)>& take) const;

    IndexStore& store_;
    IndexFormat::HeaderWord rootWord_;
    IndexFormat::HeaderWord mapWord_;
    mutable std::vector<uint32_t> walk_;  // the nodes ListsUnder visits, kept between calls
};
