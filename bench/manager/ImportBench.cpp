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
//   OneShot/<command>/<contacts>
//                             one brevane-cli command on a device that holds the imported
//                             contacts, start to exit, as a user or a script meets it: search
//                             (a word beginning), lookup (trailing digits), add (one contact)
//                             and update (one field of the contact the run added); each opens
//                             the store and the index (catching the index up from the journal),
//                             and add and update leave the index files unsaved until 64 changed
//                             contacts pile up
// All report peak_mb and cpu_s (processor time, user and system); the imports also items per
// second. 1,000 and 10,000 contacts; with --large also 100,000.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <map>
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

// A device holding `contacts` imported contacts, made once per run.
const std::string& ImportedDevice(int contacts) {
    static std::map<int, std::string> devices;
    std::string& root = devices[contacts];
    if (root.empty()) {
        root = (NewFolder() / "device").string();
        RunChild({BREVANE_CLI, "--root", root, "init"});
        RunChild({BREVANE_CLI, "--root", root, "import", VCardFile(contacts).string()});
    }
    return root;
}

enum class OneShot { Search, Lookup, Add, Update };

void OneShotCommand(benchmark::State& state, OneShot command) {
    const std::string& root = ImportedDevice(static_cast<int>(state.range(0)));
    // The contact the updates change: one the benchmark adds, so the imported ones stay as they are.
    const ChildResult added = RunChild({BREVANE_CLI, "--root", root, "add", "first=Bench", "last=Added"});
    const std::string oid = added.out.substr(0, added.out.find('\n'));
    int round = 0;
    double cpuSeconds = 0, peakBytes = 0;
    for (auto _ : state) {
        const std::string mark = "Round" + std::to_string(++round);
        std::vector<std::string> argv = {BREVANE_CLI, "--root", root};
        switch (command) {
            case OneShot::Search: argv.insert(argv.end(), {"search", "an"}); break;
            case OneShot::Lookup: argv.insert(argv.end(), {"lookup", "123456"}); break;
            case OneShot::Add: argv.insert(argv.end(), {"add", "first=Bench", "last=" + mark}); break;
            case OneShot::Update: argv.insert(argv.end(), {"update", oid, "last=" + mark}); break;
        }
        const ChildResult run = RunChild(argv);
        state.SetIterationTime(run.seconds);
        cpuSeconds += run.cpuSeconds;
        peakBytes = std::max(peakBytes, run.peakBytes);
        if (run.status != 0 || added.status != 0) state.SkipWithError("the command failed");
    }
    state.counters["cpu_s"] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
    state.counters["peak_mb"] = peakBytes / (1024 * 1024);
}

void Register(bool large) {
    using Body = void (*)(benchmark::State&);
    const std::pair<const char*, Body> benches[] = {{"Import/Cli", ImportWithCli}, {"Import/Sqlite", ImportIntoSqlite}};
    for (const auto& [name, body] : benches) {
        auto* bench = benchmark::RegisterBenchmark(name, body)->Arg(1000)->Arg(10000);
        if (large) bench->Arg(100000);
        bench->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    const std::pair<const char*, OneShot> commands[] = {
        {"search", OneShot::Search}, {"lookup", OneShot::Lookup}, {"add", OneShot::Add}, {"update", OneShot::Update}};
    for (const auto& [name, command] : commands) {
        auto* bench = benchmark::RegisterBenchmark((std::string("OneShot/") + name).c_str(), OneShotCommand, command)
                          ->Arg(10000);
        if (large) bench->Arg(100000);
        bench->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
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
