#pragma once
// The contacts database as the index's comparators read it, with the sort texts kept once read:
// placing a contact in an order of 100,000 reads some seventeen others, and the first steps of
// every placing read the same few. A contact's texts are forgotten when the manager indexes a
// change of it (before it is placed again), all of them when the index is opened or rebuilt, and
// all of them when more than kKept are held.
#include <cstdint>
#include <unordered_map>

#include "index/contact_index/IndexDatabase.h"

class SortKeyCache : public IndexDatabase {
public:
    static constexpr size_t kKept = 8192;

    explicit SortKeyCache(IndexDatabase& database) : database_(database) {}

    [[nodiscard]] bool ReadSortKeys(uint32_t oid, SortKeys& out) override;
    [[nodiscard]] bool ReadState(DatabaseState& out) override { return database_.ReadState(out); }
    JournalPosition JournalHead() override { return database_.JournalHead(); }
    std::optional<ContactBacklog> ChangesAfter(const JournalPosition& from) override {
        return database_.ChangesAfter(from);
    }

    void Forget(uint32_t oid) { kept_.erase(oid); }
    void ForgetAll() { kept_.clear(); }

private:
    IndexDatabase& database_;
    std::unordered_map<uint32_t, SortKeys> kept_;
};
