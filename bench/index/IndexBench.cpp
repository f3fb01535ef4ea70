// Benchmarks of the contact index on 1,000, 10,000 and 100,000 synthetic contacts (1,000,000 when
// the benchmark filter names that size, e.g. --benchmark_filter=/1000000):
//   Search/<engine>/<kind>/<contacts>  every query of the kind's fixed set, each timed on its own;
//                                      counters: median_us, p99_us (wall time), cpu_median_us,
//                                      cpu_p99_us (the thread's processor time), results (mean per query),
//                                      mismatches (queries whose result differs from the index's)
//   Rebuild/<contacts>                 the bulk rebuild of both files; counter: the peak memory it adds
//   Open/<contacts>                    opening a valid, saved index (processor time of all threads);
//                                      counters: wall and processor time per open (median, best),
//                                      bytes per contact
//   Change/<add|update|remove>/100000  one change of a contact (its words, orders and slot)
//   ManagerChange/<add|update|delete>/100000
//                                      one change through the contact manager, end to end: the
//                                      store's transaction (record, categories, named values, the
//                                      object model's save), its notifications reaching the
//                                      manager and the index changed; counters median_us, p99_us
//   Filter/<engine>/<kind>/<contacts>  the list in name order under the category filter: one
//                                      category (about 7 % of the contacts), none (the quarter
//                                      without a category), several (three categories); the index
//                                      against the FTS5 peer's category table; counters as Search
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchFixture.h"
#include "BenchStats.h"
#include "ManagerFixture.h"
#include "categories/manager/CategoryManager.h"
#include "index/props/PropsStore.h"
#include "platform/device/Device.h"
#include "store/contact/ContactFields.h"

namespace {

constexpr uint32_t kMillion = 1000000;
constexpr uint32_t kChangeSize = 100000;

std::map<uint32_t, std::unique_ptr<BenchFixture>>& Fixtures() {
    static std::map<uint32_t, std::unique_ptr<BenchFixture>> fixtures;
    return fixtures;
}

// The fixture of `contacts` contacts, built on first use.
BenchFixture& Shared(uint32_t contacts) {
    std::unique_ptr<BenchFixture>& fixture = Fixtures()[contacts];
    if (!fixture) fixture = std::make_unique<BenchFixture>(contacts);
    return *fixture;
}

// The processor time this thread has spent, in µs: on a machine shared with other work a query's
// wall time counts the time it waited for the processor too.
double ThreadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) * 1e-3;
}

void Search(benchmark::State& state, uint32_t contacts, Engine engine, QueryKind kind) {
    BenchFixture& fixture = Shared(contacts);
    const std::vector<Query>& queries = fixture.Queries(kind);
    std::vector<double> micros, cpuMicros;
    uint64_t results = 0;
    for (auto _ : state) {
        for (const Query& query : queries) {
            const double startCpu = ThreadCpuMicros();
            const auto start = std::chrono::steady_clock::now();
            const OidVector found = fixture.Run(engine, query);
            const auto stop = std::chrono::steady_clock::now();
            cpuMicros.push_back(ThreadCpuMicros() - startCpu);
            benchmark::DoNotOptimize(found.data());
            micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
            results += found.size();
        }
    }
    std::sort(micros.begin(), micros.end());
    std::sort(cpuMicros.begin(), cpuMicros.end());
    state.counters["median_us"] = Quantile(micros, 0.5);
    state.counters["p99_us"] = Quantile(micros, 0.99);
    state.counters["cpu_median_us"] = Quantile(cpuMicros, 0.5);
    state.counters["cpu_p99_us"] = Quantile(cpuMicros, 0.99);
    state.counters["results"] = micros.empty() ? 0 : static_cast<double>(results) / static_cast<double>(micros.size());
    state.counters["mismatches"] = fixture.Mismatches(engine, kind);
    state.SetItemsProcessed(static_cast<int64_t>(micros.size()));
}

// The resident memory of this process, from /proc/self/statm.
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// The largest resident memory of this process since the last ResetPeak (Linux: VmHWM).
double PeakResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) * 1024;
    }
    return 0;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Counter rebuild_peak_bytes_per_contact: the most memory the rebuild held beyond what the
// process held before it (the new images and the rebuild's working sets).
void Rebuild(benchmark::State& state, uint32_t contacts) {
    BenchFixture& fixture = Shared(contacts);
    ContactIndex index(BenchGroups(), u"\\rebuild_index1.dat", u"\\rebuild_index2.dat");
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        IndexRebuild gathered = fixture.Gathered();
        index.Close();
        ResetPeak();
        const double before = ResidentBytes();
        state.ResumeTiming();
        if (!index.Rebuild(fixture.Database(), gathered)) state.SkipWithError("the rebuild failed");
        state.PauseTiming();
        peak = std::max(peak, PeakResidentBytes() - before);
        state.ResumeTiming();
    }
    index.Close();
    state.SetItemsProcessed(state.iterations() * contacts);
    state.counters["rebuild_peak_bytes_per_contact"] = peak / contacts;
}

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

uint64_t FileBytes(std::u16string_view devicePath) {
    const auto host = plat::CurrentDevice().HostPath(devicePath);
    std::error_code ec;
    const uint64_t bytes = host ? std::filesystem::file_size(*host, ec) : 0;
    return ec ? 0 : bytes;
}

// Opens the saved files of the fixture's index (no other object holds their images, so each open
// reads and checks the files); the index is open again afterwards.
// Each open is timed on its own, as the user waits for it (wall) and as the processor spends it
// (every thread of the process); the median and the best of both are reported beside the mean.
void Open(benchmark::State& state, uint32_t contacts) {
    BenchFixture& fixture = Shared(contacts);
    ContactIndex& index = fixture.Index();
    index.Save(true);
    index.Close();
    std::vector<double> wall, cpu;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double startCpu = ProcessCpuSeconds();
        if (index.Open(fixture.Database(), 0) != ContactIndex::kOpenReady) state.SkipWithError("not ready");
        cpu.push_back((ProcessCpuSeconds() - startCpu) * 1e3);
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        index.Close();
        state.ResumeTiming();
    }
    ReportTimes(state, "wall_", wall, cpu, {{"median", 0.5}, {"best", 0}});
    // What the open index holds in memory: its images and the maps built on opening, with the
    // position cache a search builds.
    const double before = ResidentBytes();
    if (index.Open(fixture.Database(), 0) != ContactIndex::kOpenReady) state.SkipWithError("not ready");
    index.Search(u"a", IndexOrder::Name, nullptr, SearchTree::Text);
    const double count = contacts;
    state.counters["index_resident_bytes_per_contact"] = (ResidentBytes() - before) / count;
    state.counters["index1_bytes_per_contact"] = static_cast<double>(FileBytes(fixture.WordsPath())) / count;
    state.counters["index2_bytes_per_contact"] = static_cast<double>(FileBytes(fixture.PropsPath())) / count;
    state.counters["fts5_bytes_per_contact"] = static_cast<double>(fixture.Fts().Bytes()) / count;
}

// Stores a new contact in the database and the index; its slot.
uint32_t AddNew(BenchFixture& fixture, const Contact& contact) {
    fixture.Database().Put(contact);
    const uint32_t slot = fixture.Index().Props().AddRecord(contact);
    return fixture.Index().AddContact(contact, u"", slot) == IndexChange::Done ? slot : 0;
}

bool RemoveHeld(BenchFixture& fixture, const Contact& contact, uint32_t slot) {
    return fixture.Index().RemoveContact(contact.GetOid()) == IndexChange::Done &&
           fixture.Index().Props().RemoveRecord(slot);
}

void ChangeAdd(benchmark::State& state) {
    BenchFixture& fixture = Shared(kChangeSize);
    for (auto _ : state) {
        state.PauseTiming();
        const Contact contact = fixture.NewContact();
        state.ResumeTiming();
        const uint32_t slot = AddNew(fixture, contact);
        state.PauseTiming();
        if (slot == 0 || !RemoveHeld(fixture, contact, slot)) state.SkipWithError("the add failed");
        state.ResumeTiming();
    }
}

void ChangeRemove(benchmark::State& state) {
    BenchFixture& fixture = Shared(kChangeSize);
    for (auto _ : state) {
        state.PauseTiming();
        const Contact contact = fixture.NewContact();
        const uint32_t slot = AddNew(fixture, contact);
        state.ResumeTiming();
        if (slot == 0 || !RemoveHeld(fixture, contact, slot)) state.SkipWithError("the remove failed");
    }
}

// Renames held contacts (alternately with a changed and with their own last name), so each update
// moves the contact in the orders and changes its words.
void ChangeUpdate(benchmark::State& state) {
    BenchFixture& fixture = Shared(kChangeSize);
    size_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Contact contact = fixture.Held(n / 2);
        if (n++ % 2 == 0) contact.SetText(kFieldLast, u"Zwischenname");
        fixture.Database().Put(contact);
        const std::optional<uint32_t> slot = fixture.Index().FindSlot(contact.GetOid());
        state.ResumeTiming();
        if (!slot || !fixture.Index().Props().UpdateRecord(*slot, contact) ||
            fixture.Index().UpdateContact(contact, u"", *slot) != IndexChange::Done) {
            state.SkipWithError("the update failed");
        }
    }
}

// The manager's fixture, made on first use; SharedManager(false) lets it go (before the device).
ManagerFixture* SharedManager(bool make = true) {
    static std::unique_ptr<ManagerFixture> fixture;
    if (!make) fixture.reset();
    if (make && !fixture) fixture = std::make_unique<ManagerFixture>(kChangeSize);
    return fixture.get();
}

enum class ManagerChangeKind : int { Add, Update, Delete };

// One change made and settled; false when the manager or its index did not take it.
bool ChangeOnce(ManagerFixture& fixture, ManagerChangeKind kind, size_t n, std::vector<double>& micros) {
    ContactManager& manager = fixture.Manager();
    Contact contact;
    if (kind == ManagerChangeKind::Add) contact = fixture.NewContact();
    if (kind == ManagerChangeKind::Update) {
        if (!manager.ReadContact(fixture.Stored(n / 2), contact)) return false;
        CategoryManager* categories = CategoryManager::Instance();
        if (categories != nullptr && !categories->LoadContactCategories(contact)) return false;
        contact.SetText(kFieldLast, n % 2 == 0 ? Str(u"Zwischenname") : contact.GetText(kFieldFirst));
    }
    if (kind == ManagerChangeKind::Delete) {
        contact = fixture.NewContact();
        if (!manager.AddContact(contact, true).Complete() || !fixture.Settle()) return false;
    }
    const auto start = std::chrono::steady_clock::now();
    const ContactWrite written = kind == ManagerChangeKind::Add      ? manager.AddContact(contact, true)
                                 : kind == ManagerChangeKind::Update ? manager.UpdateContact(contact, true)
                                                                     : manager.DeleteContact(contact.GetOid());
    const bool changed = written.Complete();
    const bool settled = changed && fixture.Settle();
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    return settled && manager.Index().Holds(contact.GetOid()) == (kind != ManagerChangeKind::Delete);
}

void ManagerChange(benchmark::State& state, ManagerChangeKind kind) {
    ManagerFixture& fixture = *SharedManager();
    std::vector<double> micros;
    size_t n = 0;
    for (auto _ : state) {
        if (!ChangeOnce(fixture, kind, n++, micros)) state.SkipWithError("the change did not reach the index");
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = Quantile(micros, 0.5);
    state.counters["p99_us"] = Quantile(micros, 0.99);
}

enum class FilterKind : int { One, None, Several };

std::span<const uint32_t> FilterIds(FilterKind kind) {
    static const uint32_t kOne[] = {5};
    static const uint32_t kSeveral[] = {2, 9, 14};
    if (kind == FilterKind::One) return kOne;
    if (kind == FilterKind::Several) return kSeveral;
    return {};
}

void Filter(benchmark::State& state, uint32_t contacts, Engine engine, FilterKind kind) {
    BenchFixture& fixture = Shared(contacts);
    const OidVector expected = fixture.Filtered(Engine::Index, FilterIds(kind));
    std::vector<double> micros;
    int mismatches = 0;
    size_t results = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const OidVector found = fixture.Filtered(engine, FilterIds(kind));
        const auto stop = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        mismatches += found != expected;
        results = found.size();
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = Quantile(micros, 0.5);
    state.counters["p99_us"] = Quantile(micros, 0.99);
    state.counters["results"] = static_cast<double>(results);
    state.counters["mismatches"] = mismatches;
}

void RegisterFilters(uint32_t contacts) {
    constexpr std::pair<FilterKind, const char*> kKinds[] = {
        {FilterKind::One, "one"}, {FilterKind::None, "none"}, {FilterKind::Several, "several"}};
    for (const auto& [kind, kindName] : kKinds) {
        for (Engine engine : {Engine::Index, Engine::Fts}) {
            const std::string name = "Filter/" + std::string(EngineName(engine)) + "/" + kindName + "/" + std::to_string(contacts);
            benchmark::RegisterBenchmark(name.c_str(), Filter, contacts, engine, kind)
                ->Iterations(contacts >= kMillion ? 5 : 50)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

void RegisterSearches(uint32_t contacts) {
    for (QueryKind kind : kQueryKinds) {
        for (Engine engine : kEngines) {
            const std::string name = "Search/" + std::string(EngineName(engine)) + "/" + std::string(KindName(kind)) +
                                     "/" + std::to_string(contacts);
            benchmark::RegisterBenchmark(name.c_str(), Search, contacts, engine, kind)
                ->Iterations(contacts >= kMillion ? 1 : 3)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

void RegisterAll(bool million) {
    std::vector<uint32_t> sizes = {1000, 10000, 100000};
    if (million) sizes.push_back(kMillion);
    for (uint32_t contacts : sizes) RegisterSearches(contacts);
    for (uint32_t contacts : sizes) RegisterFilters(contacts);
    for (uint32_t contacts : sizes) {
        benchmark::RegisterBenchmark(("Open/" + std::to_string(contacts)).c_str(), Open, contacts)
            ->Iterations(contacts >= kMillion ? 5 : 20)
            ->MeasureProcessCPUTime()
            ->Unit(benchmark::kMillisecond);
    }
    for (uint32_t contacts : {10000u, 100000u}) {
        benchmark::RegisterBenchmark(("Rebuild/" + std::to_string(contacts)).c_str(), Rebuild, contacts)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    const std::string size = "/" + std::to_string(kChangeSize);
    benchmark::RegisterBenchmark(("Change/add" + size).c_str(), ChangeAdd)->Iterations(200)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Change/update" + size).c_str(), ChangeUpdate)->Iterations(200)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Change/remove" + size).c_str(), ChangeRemove)->Iterations(200)->Unit(benchmark::kMicrosecond);
    constexpr std::pair<ManagerChangeKind, const char*> kChanges[] = {
        {ManagerChangeKind::Add, "add"}, {ManagerChangeKind::Update, "update"}, {ManagerChangeKind::Delete, "delete"}};
    for (const auto& [kind, kindName] : kChanges) {
        benchmark::RegisterBenchmark(("ManagerChange/" + std::string(kindName) + size).c_str(), ManagerChange, kind)
            ->Iterations(200)
            ->Unit(benchmark::kMicrosecond);
    }
}

// The million-contact runs take minutes: they are registered only when the filter names them.
bool MillionRequested(int argc, char** argv) {
    constexpr std::string_view kFilter = "--benchmark_filter=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(kFilter) && arg.find(std::to_string(kMillion)) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const bool million = MillionRequested(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MakeBenchDevice();
    RegisterAll(million);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SharedManager(false);
    Fixtures().clear();
    RemoveBenchDevice();
    return 0;
}
