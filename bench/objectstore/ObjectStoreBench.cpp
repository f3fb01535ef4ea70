// Reading all properties of 10,000 contacts by scanning, writing 10,000 contacts (each in a
// transaction of its own: WriteContacts/0; in one write batch: WriteContacts/1), one value seek on a
// sorted open of them, and a write followed by a value seek (the sorted open catches up with the
// write) at 10,000 and 30,000 contacts.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "platform/device/Device.h"
#include "platform/device/DeviceInit.h"
#include "platform/objectstore/ObjectStore.h"

namespace {

constexpr int kContacts = 10000;

std::vector<plat::PropVal> ContactProps(int i) {
    std::u16string number;
    for (const char c : std::to_string(i)) number += static_cast<char16_t>(c);
    return {plat::PropVal::Text(0x0082001F, u"First" + number), plat::PropVal::Text(0x0084001F, u"Last" + number),
            plat::PropVal::Text(0x008A001F, u"Company " + number.substr(0, 2)),
            plat::PropVal::Text(0x0096001F, u"+1555" + number), plat::PropVal::Text(0x0090001F, u"a" + number + u"@b.c"),
            plat::PropVal::FileTime(0x00F00040, 0x01D0000000000000ULL + static_cast<uint64_t>(i))};
}

// Makes a new device in a temporary folder the current one, with a new empty volume.
void NewDevice() {
    std::string pattern = "/tmp/brevane-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    const std::filesystem::path root = plat::InitDevice(std::filesystem::path(pattern) / "device").root;
    plat::SetCurrentDevice(std::make_unique<plat::Device>(root));
    if (!plat::InitVolume(root / "pim.vol")) throw std::runtime_error("no volume");
}

// A device whose contacts database holds `contacts` contacts, shared by the benchmarks.
class Volume {
public:
    explicit Volume(int contacts) {
        NewDevice();
        if (!plat::MountDbVol(u"\\pim.vol", guid_)) throw std::runtime_error("no volume");
        db_ = plat::OpenDatabase(guid_, u"Contacts Database", nullptr, {});
        for (int i = 0; i < contacts; ++i) plat::WriteRecordProps(db_, 0, ContactProps(i));
    }
    const plat::CeGuid& Guid() const { return guid_; }
    plat::DbHandle Db() const { return db_; }

private:
    plat::CeGuid guid_;
    plat::DbHandle db_ = plat::kInvalidDbHandle;
};

// One volume per size, made on first use (each on a device of its own; a mounted volume stays
// usable when another device becomes current).
Volume& Shared(int contacts = kContacts) {
    static std::map<int, Volume*> volumes;
    Volume*& volume = volumes[contacts];
    if (volume == nullptr) volume = new Volume(contacts);
    return *volume;
}

void ScanAllProperties(benchmark::State& state) {
    const plat::DbHandle db = Shared().Db();
    std::vector<plat::PropVal> props;
    for (auto _ : state) {
        int read = 0;
        for (plat::CeOid oid = plat::SeekDatabase(db, plat::SeekType::Beginning, 0); oid != 0;
             oid = plat::SeekDatabase(db, plat::SeekType::Current, 1)) {
            read += plat::ReadRecordProps(db, {}, props) != 0;
        }
        if (read != kContacts) state.SkipWithError("not every contact was read");
    }
    state.SetItemsProcessed(state.iterations() * kContacts);
}
BENCHMARK(ScanAllProperties)->Unit(benchmark::kMillisecond);

void WriteContacts(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        NewDevice();
        plat::CeGuid guid;
        if (!plat::MountDbVol(u"\\pim.vol", guid)) throw std::runtime_error("no volume");
        const plat::DbHandle db = plat::OpenDatabase(guid, u"Contacts Database", nullptr, {});
        const bool batched = state.range(0) != 0;
        state.ResumeTiming();
        if (batched && !plat::BeginWriteBatch(guid)) state.SkipWithError("the batch did not begin");
        for (int i = 0; i < kContacts; ++i) plat::WriteRecordProps(db, 0, ContactProps(i));
        if (batched && !plat::EndWriteBatch(guid)) state.SkipWithError("the batch did not commit");
        state.PauseTiming();
        (void)plat::CloseDatabase(db);   // clean-up
        (void)plat::UnmountDbVol(guid);  // clean-up
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kContacts);
}
BENCHMARK(WriteContacts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

void SeekEqualOnSortedOpen(benchmark::State& state) {
    const plat::SortOrderDescription byCompany{0, {{0x008A001F, 0}}};
    const plat::DbHandle db = plat::OpenDatabase(Shared().Guid(), u"Contacts Database", &byCompany, {});
    const std::vector<plat::PropVal> key = {plat::PropVal::Text(0x008A001F, u"Company 42")};
    plat::SeekDatabaseByValues(db, plat::SeekType::ValueFirstEqual, key);  // the order is built once
    for (auto _ : state) {
        benchmark::DoNotOptimize(plat::SeekDatabaseByValues(db, plat::SeekType::ValueFirstEqual, key));
    }
    (void)plat::CloseDatabase(db);  // clean-up
}
BENCHMARK(SeekEqualOnSortedOpen)->Unit(benchmark::kMicrosecond);

void SeekEqualAfterAChange(benchmark::State& state) {
    const plat::SortOrderDescription byCompany{0, {{0x008A001F, 0}}};
    const plat::DbHandle db = plat::OpenDatabase(Shared().Guid(), u"Contacts Database", &byCompany, {});
    const std::vector<plat::PropVal> key = {plat::PropVal::Text(0x008A001F, u"Company 42")};
    const plat::CeOid first = plat::SeekDatabase(Shared().Db(), plat::SeekType::Beginning, 0);
    for (auto _ : state) {
        state.PauseTiming();
        plat::WriteRecordProps(Shared().Db(), first, ContactProps(0));  // the order must be built again
        state.ResumeTiming();
        benchmark::DoNotOptimize(plat::SeekDatabaseByValues(db, plat::SeekType::ValueFirstEqual, key));
    }
    (void)plat::CloseDatabase(db);  // clean-up
}
BENCHMARK(SeekEqualAfterAChange)->Unit(benchmark::kMillisecond);

// The contacts manager's step: one contact written, then a value seek on a sorted open.
void WriteOneRecordThenSeekEqual(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0));
    Volume& volume = Shared(contacts);
    const plat::SortOrderDescription byCompany{0, {{0x008A001F, 0}}};
    const plat::DbHandle db = plat::OpenDatabase(volume.Guid(), u"Contacts Database", &byCompany, {});
    const std::vector<plat::PropVal> key = {plat::PropVal::Text(0x008A001F, u"Company 42")};
    plat::SeekDatabaseByValues(db, plat::SeekType::ValueFirstEqual, key);  // the order is built once
    const plat::CeOid first = plat::SeekDatabase(volume.Db(), plat::SeekType::Beginning, 0);
    int i = 0;
    for (auto _ : state) {
        plat::WriteRecordProps(volume.Db(), first, ContactProps(i++ % contacts));
        benchmark::DoNotOptimize(plat::SeekDatabaseByValues(db, plat::SeekType::ValueFirstEqual, key));
    }
    (void)plat::CloseDatabase(db);  // clean-up
}
BENCHMARK(WriteOneRecordThenSeekEqual)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
