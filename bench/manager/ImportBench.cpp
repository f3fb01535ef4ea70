// Importing a vCard file of generated contacts (the sample-contact generator's, pictures and
// categories included) the way a user meets it: each program runs as a process of its own on new
// data, measured by its wall time from start to exit and its peak resident memory.
//   Import/Cli/<contacts>     brevane-cli import FILE on a new device: every contact written to the
//                             store with its categories and named values, the store's
//                             notifications handled and the index saved; counter indexed (contacts
//                             the index holds afterwards, must equal the contacts imported)
//   Import/Sqlite/<contacts>  the peer: the same file read and parsed, every contact inserted into a
//                             SQLite table with an FTS5 word table, in one transaction; counter
//                             indexed (rows)
// Both report peak_mb, cpu_s (processor time, user and system) and items per second. 1,000 and
// 10,000 contacts; with --large also 100,000.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "SqlitePeer.h"
#include "VCardFiles.h"

namespace {

std::string self;

// The contacts the index holds, from "brevane-cli index stats"; -1 when it cannot be had.
int IndexedContacts(const std::string& root) {
    const ChildResult stats = RunChild({BREVANE_CLI, "--root", root, "index", "stats"});
    const std::string key = "contacts\t";
    const size_t at = stats.out.find(key);
    return stats.status == 0 && at != std::string::npos ? std::stoi(stats.out.substr(at + key.size())) : -1;
}

void Report(benchmark::State& state, const ChildResult& run, int indexed) {
    state.SetIterationTime(run.seconds);
    state.counters["indexed"] = indexed;
    state.counters["peak_mb"] = run.peakBytes / (1024 * 1024);
    state.counters["cpu_s"] = run.cpuSeconds;
    if (run.status != 0 || indexed != state.range(0)) state.SkipWithError("not every contact was imported");
}

void ImportWithCli(benchmark::State& state) {
    const std::string file = VCardFile(static_cast<int>(state.range(0))).string();
    for (auto _ : state) {
        const std::string root = (NewFolder() / "device").string();
        if (RunChild({BREVANE_CLI, "--root", root, "init"}).status != 0) state.SkipWithError("no device");
        const ChildResult run = RunChild({BREVANE_CLI, "--root", root, "import", file});
        Report(state, run, IndexedContacts(root));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void ImportIntoSqlite(benchmark::State& state) {
    const std::string file = VCardFile(static_cast<int>(state.range(0))).string();
    for (auto _ : state) {
        const ChildResult run = RunChild({self, "--peer", file, (NewFolder() / "peer.db").string()});
        Report(state, run, run.status == 0 ? std::stoi(run.out) : -1);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Register(bool large) {
    using Body = void (*)(benchmark::State&);
    const std::pair<const char*, Body> benches[] = {{"Import/Cli", ImportWithCli}, {"Import/Sqlite", ImportIntoSqlite}};
    for (const auto& [name, body] : benches) {
        auto* bench = benchmark::RegisterBenchmark(name, body)->Arg(1000)->Arg(10000);
        if (large) bench->Arg(100000);
        bench->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--peer") == 0) return RunPeerImport(argv[2], argv[3]);
    self = argv[0];
    std::vector<char*> args;
    bool large = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--large") == 0) large = true;
        else args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    Register(large);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
