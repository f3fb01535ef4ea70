#pragma once
// One list of contacts for the benchmarks, indexed three ways on the same data: the contact index
// (built with the bulk rebuild), the FTS5 peer and the in-memory reference. The query sets of every
// kind are drawn once, and each engine's results are checked against the index's, so a faster
// peer that answers differently is seen.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchContacts.h"
#include "BenchQueries.h"
#include "FtsIndex.h"
#include "ReferenceIndex.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/contact_index/ContactIndex.h"
#include "index/contact_index/IndexRebuild.h"

enum class Engine : int { Index, Fts, Reference };
inline constexpr Engine kEngines[] = {Engine::Index, Engine::Fts, Engine::Reference};
std::string_view EngineName(Engine engine);

// The alphabet of the benchmarks (the built-in English-Russian one), loaded once.
const AbcGroupTable& BenchGroups();

class BenchFixture {
public:
    explicit BenchFixture(uint32_t contacts);
    ~BenchFixture();

    uint32_t Count() const { return count_; }
    OidVector Run(Engine engine, const Query& query) const;
    // The list in name order under the category filter `ids` (with none: the contacts without a
    // category), by the index (the filter's set from its category lists) or the FTS5 peer.
    OidVector Filtered(Engine engine, std::span<const uint32_t> ids) const;
    const std::vector<Query>& Queries(QueryKind kind) const { return queries_.at(kind); }
    // Queries of `kind` whose results differ from the index's.
    int Mismatches(Engine engine, QueryKind kind) const { return mismatches_.at({engine, kind}); }

    ContactIndex& Index() { return *index_; }
    BenchDatabase& Database() { return db_; }
    const FtsIndex& Fts() const { return *fts_; }
    // The contacts as gathered for the rebuild (a copy is rebuilt each time).
    const IndexRebuild& Gathered() const { return gathered_; }
    // A new contact, not yet in the database or the index.
    Contact NewContact();
    // A contact held by the index.
    const Contact& Held(size_t i) const { return sample_[i % sample_.size()]; }
    // The files of the index on the device.
    std::u16string WordsPath() const;
    std::u16string PropsPath() const;

private:
    void BuildEngines();
    void Check();

    uint32_t count_;
    ContactMaker maker_;
    uint32_t nextOid_;
    BenchDatabase db_;
    IndexRebuild gathered_;
    std::vector<Contact> sample_;
    std::unique_ptr<ContactIndex> index_;
    std::unique_ptr<FtsIndex> fts_;
    std::unique_ptr<ReferenceIndex> referenceText_;
    std::unique_ptr<ReferenceIndex> referenceGroups_;
    std::map<QueryKind, std::vector<Query>> queries_;
    std::map<std::pair<Engine, QueryKind>, int> mismatches_;
};

// A new device in a temporary folder, made current; removed by RemoveBenchDevice.
void MakeBenchDevice();
void RemoveBenchDevice();
