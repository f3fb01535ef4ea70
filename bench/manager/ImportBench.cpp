// Importing 1,000 and 5,000 contacts (the sample-contact generator's, pictures and categories
// included), each run on a new device:
//   Import/Manager/<contacts>  every contact added through the contact manager with its
//                              categories, then the store's notifications handled and the index
//                              saved, as brevane-cli import does; counter: indexed (contacts the
//                              index holds at the end, must equal the contacts imported)
//   Import/Sqlite/<contacts>   the same contacts into the SQLite peer (contacts table and FTS5
//                              words), one transaction each; counter: indexed (rows)
// Both report items per second (contacts imported).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "SqlitePeer.h"
#include "app/cli/DemoContacts.h"
#include "manager/contacts/ContactManager.h"
#include "platform/device/Device.h"
#include "platform/device/DeviceInit.h"
#include "platform/loop/EventLoop.h"

namespace {

constexpr int kNotifyWaitMs = 120000;

const std::vector<DemoContact>& Contacts(int count) {
    static const std::vector<DemoContact> all = DemoContacts::Generate(5000);
    static std::map<int, std::vector<DemoContact>> prefixes;
    auto& prefix = prefixes[count];
    if (prefix.empty()) prefix.assign(all.begin(), all.begin() + count);
    return prefix;
}

// A new device in a temporary folder, made the current one; removed with the object.
class TempDevice {
public:
    TempDevice() {
        std::string pattern = "/tmp/brevane-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        root_ = plat::InitDevice(folder_ / "device").root;
        plat::SetCurrentDevice(std::make_unique<plat::Device>(root_));
    }
    ~TempDevice() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path folder_, root_;
};

void ImportThroughManager(benchmark::State& state) {
    const std::vector<DemoContact>& contacts = Contacts(static_cast<int>(state.range(0)));
    plat::EnsureApplication();
    size_t indexed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TempDevice device;
        ContactManager& manager = ContactManager::Instance();
        if (!manager.Init(nullptr, nullptr)) state.SkipWithError("the manager does not open");
        state.ResumeTiming();
        const DemoAddResult result = AddDemoContacts(manager, contacts);
        plat::RunUntil([&] { return manager.Queue().Count() >= result.added; }, kNotifyWaitMs);
        manager.FlushQueue();
        const bool saved = manager.SaveNow();
        state.PauseTiming();
        if (!saved) state.SkipWithError("the index was not saved");
        indexed = manager.Index().ListAll(IndexOrder::Name, nullptr).size();
        if (!result.ok || indexed != contacts.size()) state.SkipWithError("not every contact was imported");
        ContactManager::Release();
        state.ResumeTiming();
    }
    state.counters["indexed"] = static_cast<double>(indexed);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void ImportIntoSqlite(benchmark::State& state) {
    const std::vector<DemoContact>& contacts = Contacts(static_cast<int>(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TempDevice device;
        auto peer = std::make_unique<SqlitePeer>(device.Root() / "peer.db");
        state.ResumeTiming();
        for (const DemoContact& demo : contacts) peer->Add(demo);
        state.PauseTiming();
        rows = peer->Count();
        if (rows != static_cast<int>(contacts.size())) state.SkipWithError("not every contact was inserted");
        peer.reset();
        state.ResumeTiming();
    }
    state.counters["indexed"] = rows;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(ImportThroughManager)->Name("Import/Manager")->Arg(1000)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportIntoSqlite)->Name("Import/Sqlite")->Arg(1000)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
