#pragma once
// One open volume file: its SQLite connection, checked before first use, and the volume-wide
// counters (object identifiers, change generation).
#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/objectstore/PropVal.h"

struct sqlite3;

namespace plat::objstore {

class Volume {
public:
    // Opens an existing volume file. Throws StoreFailure when it is missing (ERROR_FILE_NOT_FOUND),
    // not a volume of ours (ERROR_BAD_FORMAT), of a newer layout (ERROR_NOT_SUPPORTED) or damaged
    // (ERROR_FILE_CORRUPT); such a file is left exactly as it was.
    static std::unique_ptr<Volume> Open(const std::filesystem::path& file);
    ~Volume();
    Volume(const Volume&) = delete;
    Volume& operator=(const Volume&) = delete;

    sqlite3* Db() const { return db_; }
    const CeGuid& Guid() const { return guid_; }
    const std::filesystem::path& File() const { return file_; }

    // Changes whenever any connection, this one included, committed a change to the volume.
    struct Generation {
        int64_t dataVersion = 0;
        uint64_t localWrites = 0;
        bool operator==(const Generation&) const = default;
    };
    Generation CurrentGeneration() const;
    void NoteLocalWrite() { ++localWrites_; }

    // A new object identifier (inside a write transaction); ERROR_DISK_FULL when exhausted.
    CeOid AllocateOid();

private:
    Volume(sqlite3* db, std::filesystem::path file);

    sqlite3* db_;
    std::filesystem::path file_;
    CeGuid guid_;
    uint64_t localWrites_ = 0;
};

// Creates a new volume file holding the platform's own databases; never replaces an existing
// file (ERROR_ALREADY_EXISTS).
void CreateVolumeFile(const std::filesystem::path& file);

}  // namespace plat::objstore
