#include "BenchFixture.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "index/alphabet/AbcDefinition.h"
#include "index/alphabet/AbcResources.h"
#include "platform/device/Device.h"
#include "platform/device/DeviceInit.h"
#include "platform/locale/Locale.h"
#include "platform/registry/Registry.h"

namespace {

constexpr uint32_t kSeed = 20261206;
constexpr uint32_t kFirstOid = 0x10000;
constexpr uint32_t kOidStep = 3;  // object identifiers of a database are not dense
constexpr uint32_t kEnglishRussian = 215;
constexpr size_t kSampleSize = 1000;
constexpr size_t kQueriesPerKind = 100;

std::filesystem::path& DeviceFolder() {
    static std::filesystem::path folder;
    return folder;
}

std::u16string Digits(uint32_t value) {
    std::u16string out;
    for (char ch : std::to_string(value)) out += static_cast<char16_t>(ch);
    return out;
}

}  // namespace

std::string_view EngineName(Engine engine) {
    constexpr std::string_view kNames[] = {"index", "fts5", "reference"};
    return kNames[static_cast<int>(engine)];
}

const AbcGroupTable& BenchGroups() {
    static const AbcGroupTable table = [] {
        AbcGroupTable groups;
        AbcDefinition definition;
        const std::optional<std::u16string> text = DecodeAbcResource(FindAbcResource(kEnglishRussian));
        if (!text || !ParseAbcDefinition(*text, definition)) throw std::runtime_error("no built-in alphabet");
        groups.Load(definition);
        return groups;
    }();
    return table;
}

void MakeBenchDevice() {
    std::string pattern = "/tmp/brevane-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    DeviceFolder() = pattern;
    plat::InitOptions options;
    options.locale = "en_US";
    const std::filesystem::path root = plat::InitDevice(DeviceFolder() / "device", options).root;
    plat::SetCurrentDevice(std::make_unique<plat::Device>(root));
    plat::ReloadLocale();
}

void RemoveBenchDevice() {
    plat::CloseDeviceRegistry();
    std::error_code ec;
    std::filesystem::remove_all(plat::CurrentDevice().NamespaceDir(), ec);
    std::filesystem::remove_all(DeviceFolder(), ec);
}

BenchFixture::BenchFixture(uint32_t contacts)
    : count_(contacts), maker_(kSeed + contacts), nextOid_(kFirstOid) {
    BuildEngines();
    for (QueryKind kind : kQueryKinds) {
        queries_[kind] = MakeQueries(kind, sample_, BenchGroups(), kQueriesPerKind, kSeed + static_cast<uint32_t>(kind));
    }
    // The set-up's temporaries are gone by now: the allocator's tidying after millions of small
    // frees falls into these untimed searches, not into the first timed one.
    Check();
}

void BenchFixture::BuildEngines() {
    std::vector<WordRow> rows;
    rows.reserve(count_);
    for (uint32_t i = 0; i < count_; ++i) {
        const Contact contact = NewContact();
        db_.Put(contact);
        gathered_.Add(contact, u"");
        rows.push_back(WordRowOf(gathered_.Entries().back().words, BenchGroups()));
        if (sample_.size() < kSampleSize) sample_.push_back(contact);
    }
    index_ = std::make_unique<ContactIndex>(BenchGroups(), WordsPath(), PropsPath());
    IndexRebuild consumed = gathered_;
    if (!index_->Rebuild(db_, consumed)) throw std::runtime_error("the bulk rebuild failed");
    const std::span<const uint32_t> order = index_->Words().Order(IndexOrder::Name);
    fts_ = std::make_unique<FtsIndex>(order, rows);
    referenceText_ = std::make_unique<ReferenceIndex>(order, rows, SearchTree::Text);
    referenceGroups_ = std::make_unique<ReferenceIndex>(order, rows, SearchTree::Group);
}

BenchFixture::~BenchFixture() { index_->Close(); }

Contact BenchFixture::NewContact() {
    const uint32_t oid = nextOid_;
    nextOid_ += kOidStep;
    return maker_.Make(oid);
}

std::u16string BenchFixture::WordsPath() const { return u"\\bench" + Digits(count_) + u"_index1.dat"; }
std::u16string BenchFixture::PropsPath() const { return u"\\bench" + Digits(count_) + u"_index2.dat"; }

OidVector BenchFixture::Run(Engine engine, const Query& query) const {
    switch (engine) {
        case Engine::Index: return index_->Search(query.text, IndexOrder::Name, nullptr, query.tree);
        case Engine::Fts: return fts_->Search(query.text, query.tree);
        case Engine::Reference:
            return (query.tree == SearchTree::Text ? referenceText_ : referenceGroups_)->Search(query.text);
    }
    return {};
}

OidVector BenchFixture::Filtered(Engine engine, std::span<const uint32_t> ids) const {
    if (engine == Engine::Fts) return fts_->Filter(ids);
    const OidVector members = index_->CategoryMembers(ids);
    return index_->ListAll(IndexOrder::Name, &members);
}

// Runs every query on every engine once: the results must equal the index's, in the same order.
// This also derives the index's display positions, so no timed search pays for them.
void BenchFixture::Check() {
    for (QueryKind kind : kQueryKinds) {
        for (const Query& query : queries_[kind]) {
            const OidVector expected = Run(Engine::Index, query);
            for (Engine engine : kEngines) mismatches_[{engine, kind}] += Run(engine, query) != expected;
        }
    }
}
