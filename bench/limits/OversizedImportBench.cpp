// Importing files that hold values past the store's limits (docs/vcard.md), and the list and
// search after it, each as a process of its own measured by its peak resident memory:
//   Oversized/Import/<kind>   brevane-cli import FILE on a new device holding one ordinary contact
//   Oversized/List/<kind>     brevane-cli list on that device afterwards
//   Oversized/Search/<kind>   brevane-cli search on it
// Kinds (each file also holds one small contact): photo7mb (a 7 MB PHOTO that does not decode:
// dropped), photo50mb (in a card of 50 MB: skipped), csvfield50mb (one CSV field of 50 MB: its row skipped),
// csv10000columns (a table of 10,000 columns: those after the 1,000th left out), note2mb (a note of 2 MB: cut
// to 1 MB). Counters: peak_mb, cpu_s; the import's status must be 3 (something was cut or refused).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ChildRun.h"
#include "VCardFiles.h"

namespace {

enum class Kind { Photo7Mb, Photo50Mb, CsvField50Mb, Csv10000Columns, Note2Mb };

// Writes `count` copies of `c` in pieces: the files are made without the benchmark ever holding
// them, since a child's peak memory as the kernel reports it starts from its parent's.
void Repeat(std::ofstream& out, char c, size_t count) {
    const std::string piece(64 * 1024, c);
    for (; count >= piece.size(); count -= piece.size()) out << piece;
    out << piece.substr(0, count);
}

// A card whose one value, after `head`, is `count` copies of `c`.
void Card(std::ofstream& out, const std::string& head, char c, size_t count) {
    out << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Big;Ann;;;\r\n" << head;
    Repeat(out, c, count);
    out << "\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Small;Bo;;;\r\nEND:VCARD\r\n";
}

// The file of `kind` in `folder`.
std::string MakeFile(Kind kind, const std::filesystem::path& folder) {
    const bool csv = kind == Kind::CsvField50Mb || kind == Kind::Csv10000Columns;
    const std::filesystem::path file = folder / (csv ? "big.csv" : "big.vcf");
    std::ofstream out(file, std::ios::binary);
    constexpr size_t kMb = 1024 * 1024;
    switch (kind) {
        case Kind::Photo7Mb: Card(out, "PHOTO;ENCODING=b;TYPE=JPEG:", 'A', 7 * kMb); break;
        case Kind::Photo50Mb: Card(out, "PHOTO;ENCODING=b;TYPE=JPEG:", 'A', 50 * kMb); break;
        case Kind::Note2Mb: Card(out, "NOTE:", 'n', 2 * kMb); break;
        case Kind::CsvField50Mb:
            out << "Last Name,First Name,Notes\r\nBig,Ann,";
            Repeat(out, 'x', 50 * kMb);
            out << "\r\nSmall,Bo,y\r\n";
            break;
        case Kind::Csv10000Columns:
            out << "Last Name,First Name";
            for (int i = 0; i < 10000; ++i) out << ",Column " << i;
            out << "\r\nWide,Ann";
            for (int i = 0; i < 10000; ++i) out << ",value " << i;
            out << "\r\n";
            break;
    }
    return file.string();
}

void Oversized(benchmark::State& state, Kind kind, int step) {
    for (auto _ : state) {
        const std::filesystem::path folder = NewFolder();
        const std::string root = (folder / "device").string();
        if (RunChild({BREVANE_CLI, "--root", root, "init"}).status != 0) state.SkipWithError("no device");
        RunChild({BREVANE_CLI, "--root", root, "add", "first=Ordinary", "last=Contact"});
        const ChildResult import = RunChild({BREVANE_CLI, "--root", root, "import", MakeFile(kind, folder)});
        if (import.status != 3) state.SkipWithError("the import did not name what it cut");
        const ChildResult list = RunChild({BREVANE_CLI, "--root", root, "list"});
        const ChildResult search = RunChild({BREVANE_CLI, "--root", root, "search", "ann"});
        const ChildResult& measured = step == 0 ? import : step == 1 ? list : search;
        state.SetIterationTime(measured.seconds);
        state.counters["peak_mb"] = measured.peakBytes / (1024 * 1024);
        state.counters["cpu_s"] = measured.cpuSeconds;
        std::filesystem::remove_all(folder);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::pair<const char*, Kind> kinds[] = {{"photo7mb", Kind::Photo7Mb},
                                                  {"photo50mb", Kind::Photo50Mb},
                                                  {"csvfield50mb", Kind::CsvField50Mb},
                                                  {"csv10000columns", Kind::Csv10000Columns},
                                                  {"note2mb", Kind::Note2Mb}};
    const char* const steps[] = {"Import", "List", "Search"};
    for (int step = 0; step < 3; ++step) {
        for (const auto& [name, kind] : kinds) {
            benchmark::RegisterBenchmark((std::string("Oversized/") + steps[step] + "/" + name).c_str(),
                                         Oversized, kind, step)
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
