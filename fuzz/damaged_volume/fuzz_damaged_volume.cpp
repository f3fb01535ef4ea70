// Zeroes pages of a small volume behind a clean-close mark that still matches (so the mount trusts
// the file and skips its page check), then reads every record: each record read must be exactly
// as the undamaged volume holds it, and a walk that ends early must have met the damage. Damage
// met must leave the mark saying so, so that the next mount checks every page. The input's bytes
// name the pages (each byte a page of the file, modulo its page count; at most four).
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "FuzzDevice.h"
#include "platform/objectstore/CleanClose.h"
#include "platform/objectstore/ObjectStore.h"

namespace {

using Records = std::map<plat::CeOid, std::vector<plat::PropVal>>;

constexpr size_t kPageSize = 4096;

std::filesystem::path VolumeFile() { return FuzzDeviceRoot() / "pim.vol"; }

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);  // in place: same inode
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every record of "Contacts Database" in identifier order; false when a call failed on the way.
bool ReadAll(const plat::CeGuid& volume, Records& records) {
    const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr, {});
    if (db == plat::kInvalidDbHandle) return false;
    bool whole = true;
    plat::CeOid oid = plat::SeekDatabase(db, plat::SeekType::Beginning, 0);
    for (; oid != 0; oid = plat::SeekDatabase(db, plat::SeekType::Current, 1)) {
        std::vector<plat::PropVal> props;
        if (plat::ReadRecordProps(db, {}, props) != oid) {
            whole = false;
            break;
        }
        records[oid] = std::move(props);
    }
    whole = whole && plat::GetLastError() == plat::ERROR_NO_MORE_ITEMS;
    (void)plat::CloseDatabase(db);  // read-only: nothing is lost if the close fails
    return whole;
}

// The undamaged volume: 60 records of short values (no overflow pages, so every page holding
// data is a b-tree page, which a read checks), closed cleanly.
const std::pair<std::string, Records>& Undamaged() {
    static const std::pair<std::string, Records> undamaged = [] {
        if (!plat::InitVolume(VolumeFile())) abort();
        plat::CeGuid volume;
        if (!plat::MountDbVol(u"\\pim.vol", volume)) abort();
        const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr, {});
        for (uint32_t i = 0; i < 60; ++i) {
            const std::vector<plat::PropVal> props = {
                plat::PropVal::Text(plat::MakePropId(0x8A, plat::CEVT_LPWSTR),
                                    std::u16string(100 + i * 5, u'a' + i % 26)),
                plat::PropVal::Number(plat::MakePropId(0x9, plat::CEVT_UI4), i)};
            if (plat::WriteRecordProps(db, 0, props) == 0) abort();
        }
        if (!plat::CloseDatabase(db)) abort();
        Records records;
        if (!ReadAll(volume, records)) abort();
        if (!plat::UnmountDbVol(volume)) abort();
        plat::CloseAllVolumes();
        return std::pair{ReadBytes(VolumeFile()), std::move(records)};
    }();
    return undamaged;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& [bytes, undamaged] = Undamaged();
    if (size == 0 || size > 4) return 0;
    std::string damaged = bytes;
    const size_t pages = damaged.size() / kPageSize;
    for (size_t i = 0; i < size; ++i)
        damaged.replace(data[i] % pages * kPageSize, kPageSize, kPageSize, '\0');
    std::error_code ec;
    for (const char* suffix : {"-wal", "-shm", "-clean"})
        std::filesystem::remove(VolumeFile().string() + suffix, ec);
    WriteBytes(VolumeFile(), damaged);
    plat::objstore::MarkCleanClose(VolumeFile());

    const uint64_t seen = plat::VolumeDamageSeen().count;
    plat::CeGuid volume;
    if (plat::MountDbVol(u"\\pim.vol", volume)) {
        Records records;
        const bool whole = ReadAll(volume, records);
        for (const auto& [oid, props] : records) {
            const auto found = undamaged.find(oid);
            if (found == undamaged.end() || !(found->second == props)) abort();  // a wrong answer
        }
        if (whole && records.size() != undamaged.size()) abort();  // records lost without a failure
        // A damaged volume may refuse its unmount; the next input mounts anew.
        (void)plat::UnmountDbVol(volume);
    }
    plat::CloseAllVolumes();
    const bool met = plat::VolumeDamageSeen().count != seen;
    if (met && ReadBytes(plat::objstore::CleanCloseMark(VolumeFile())) != "damaged 1\n") abort();
    WriteBytes(VolumeFile(), bytes);
    return 0;
}
