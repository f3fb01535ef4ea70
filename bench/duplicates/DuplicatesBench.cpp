// Duplicates over the index benchmark's mix of contacts (Latin with diacritics, Cyrillic, Greek,
// CJK): making each contact's keys (the fold of its name among them), grouping them, and the
// whole search over a device's store (reading every contact's keys, then grouping); one merge of
// two contacts and its undo through the contact manager, each committed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "BenchContacts.h"
#include "BenchFixture.h"
#include "BenchStats.h"
#include "ManagerFixture.h"
#include "manager/duplicates/DuplicateScan.h"
#include "manager/trash/ContactActions.h"

namespace {

constexpr uint32_t kContacts = 100000;
constexpr uint32_t kSeed = 7;

const std::vector<Contact>& Contacts() {
    static const std::vector<Contact> contacts = [] {
        ContactMaker maker(kSeed);
        std::vector<Contact> made;
        for (uint32_t i = 1; i <= kContacts; ++i) made.push_back(maker.Make(i));
        return made;
    }();
    return contacts;
}

// Made on first use; released before the device goes.
std::unique_ptr<ManagerFixture>& SharedDevice() {
    static std::unique_ptr<ManagerFixture> fixture;
    return fixture;
}

ManagerFixture& Device() {
    if (!SharedDevice()) SharedDevice() = std::make_unique<ManagerFixture>(kContacts);
    return *SharedDevice();
}

void BM_DuplicateKeys(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<DuplicateKeys> keys;
        keys.reserve(Contacts().size());
        for (const Contact& contact : Contacts()) keys.push_back(KeysOf(contact));
        benchmark::DoNotOptimize(keys.data());
    }
}

void BM_DuplicateGrouping(benchmark::State& state) {
    std::vector<DuplicateKeys> keys;
    for (const Contact& contact : Contacts()) keys.push_back(KeysOf(contact));
    size_t groups = 0;
    for (auto _ : state) groups = FindDuplicates(keys).size();
    state.counters["groups"] = static_cast<double>(groups);
}

// What brevane-cli duplicates does before it prints: every stored contact's keys, then groups.
void BM_DuplicatesOfStore(benchmark::State& state) {
    ManagerFixture& device = Device();
    for (auto _ : state) {
        const std::optional<std::vector<DuplicateKeys>> keys = GatherKeys(device.Manager());
        if (!keys) state.SkipWithError("the store cannot be read");
        benchmark::DoNotOptimize(FindDuplicates(*keys).size());
    }
}

double Micros(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - since).count();
}

// Two new contacts of one name merged, then the merge undone: each timed to its commit.
void BM_MergeAndUndo(benchmark::State& state) {
    ManagerFixture& device = Device();
    ContactActions actions(device.Manager(), nullptr);
    if (!actions.Open()) return state.SkipWithError("the trash cannot be opened");
    std::vector<double> merges, undos;
    for (auto _ : state) {
        state.PauseTiming();
        Contact a = device.NewContact(), b = device.NewContact();
        b.SetText(kFieldFirst, a.GetText(kFieldFirst));
        b.SetText(kFieldLast, a.GetText(kFieldLast));
        if (!device.Manager().AddContact(a, true).Complete() ||
            !device.Manager().AddContact(b, true).Complete() || !device.Settle()) {
            return state.SkipWithError("a contact cannot be written");
        }
        state.ResumeTiming();
        const uint32_t oids[] = {a.GetOid(), b.GetOid()};
        auto start = std::chrono::steady_clock::now();
        if (!actions.Merge(oids).done) return state.SkipWithError("the merge failed");
        merges.push_back(Micros(start));
        state.PauseTiming();
        if (!device.Settle()) return state.SkipWithError("the merge did not reach the index");
        state.ResumeTiming();
        start = std::chrono::steady_clock::now();
        if (!actions.Undo().done) return state.SkipWithError("the undo failed");
        undos.push_back(Micros(start));
        state.PauseTiming();
        if (!device.Settle()) return state.SkipWithError("the undo did not reach the index");
        state.ResumeTiming();
    }
    std::sort(merges.begin(), merges.end());
    std::sort(undos.begin(), undos.end());
    state.counters["merge_median_us"] = Quantile(merges, 0.5);
    state.counters["merge_p99_us"] = Quantile(merges, 0.99);
    state.counters["undo_median_us"] = Quantile(undos, 0.5);
    state.counters["undo_p99_us"] = Quantile(undos, 0.99);
}

BENCHMARK(BM_DuplicateKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DuplicateGrouping)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DuplicatesOfStore)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MergeAndUndo)->Unit(benchmark::kMicrosecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MakeBenchDevice();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SharedDevice().reset();
    RemoveBenchDevice();
    return 0;
}
