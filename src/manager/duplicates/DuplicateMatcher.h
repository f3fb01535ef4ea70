#pragma once
// Finds the stored contact an incoming one (an imported card) duplicates: the one with the same
// UID, else one with the same name (DuplicateKeys) sharing a number or an e-mail address with it,
// else one with the same name alone, which the caller takes only when the incoming contact adds
// nothing to it.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "manager/duplicates/DuplicateFinder.h"
#include "store/contact/Contact.h"

class ContactManager;

struct DuplicateMatch {
    uint32_t oid = 0;
    bool nameOnly = false;  // only the name is the same
};

class DuplicateMatcher {
public:
    // Reads the keys of every stored contact; false when the store cannot be read through.
    [[nodiscard]] bool Load(ContactManager& manager);
    void Add(const DuplicateKeys& keys, const Str& uid);
    std::optional<DuplicateMatch> Find(const Contact& incoming) const;

private:
    std::vector<DuplicateKeys> keys_;
    std::unordered_map<std::u16string, size_t> byUid_;
    std::unordered_map<std::u16string, std::vector<size_t>> byName_;
};
