#include "platform/objectstore/Volume.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <optional>
#include <random>
#include <system_error>

#include "platform/device/HostFiles.h"
#include "platform/objectstore/Catalog.h"
#include "platform/objectstore/CleanClose.h"
#include "platform/objectstore/PageWalk.h"
#include "platform/objectstore/PlatformDatabases.h"
#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"
#include "platform/objectstore/VolumeFormat.h"
#include "platform/registry/Sql.h"
#include "platform/shm/ImageFile.h"

namespace fs = std::filesystem;

namespace plat::objstore {

namespace {

[[noreturn]] void FailFile(uint32_t code, const fs::path& file, const std::string& why) {
    Fail(code, "volume " + file.string() + ": " + why);
}

[[noreturn]] void FailDamaged(const fs::path& file, const std::string& why) {
    FailFile(ERROR_FILE_CORRUPT, file, "damaged (" + why + "); it was left as it is");
}

uint32_t BigEndian32(const std::array<uint8_t, volformat::kHeaderSize>& header, size_t offset) {
    return (uint32_t{header[offset]} << 24) | (uint32_t{header[offset + 1]} << 16) |
           (uint32_t{header[offset + 2]} << 8) | header[offset + 3];
}

// The header checks that need no SQLite: a foreign or truncated file is refused before any
// library could write to it (a journal mode change or a recovery would).
void CheckHeader(const fs::path& file) {
    std::array<uint8_t, volformat::kHeaderSize> header{};
    InputFile in;
    if (!in.Open(file)) FailFile(ERROR_GEN_FAILURE, file, "cannot be read");
    if (!in.ReadAll(header) ||
        std::memcmp(header.data(), volformat::kHeaderMagic, sizeof volformat::kHeaderMagic) != 0) {
        FailFile(ERROR_BAD_FORMAT, file, "not a volume (no database header); it was left as it is");
    }
    if (BigEndian32(header, volformat::kApplicationIdOffset) != volformat::kApplicationId) {
        FailFile(ERROR_BAD_FORMAT, file, "not a volume (a foreign database); it was left as it is");
    }
    const uint32_t version = BigEndian32(header, volformat::kUserVersionOffset);
    if (version > volformat::kVersion) {
        FailFile(ERROR_NOT_SUPPORTED, file, "made by a newer version (layout " + std::to_string(version) + ")");
    }
    if (version < volformat::kVersion) FailDamaged(file, "layout " + std::to_string(version));
    const uint32_t raw = (uint32_t{header[volformat::kPageSizeOffset]} << 8) | header[volformat::kPageSizeOffset + 1];
    const uint32_t pageSize = raw == 1 ? 65536 : raw;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) FailDamaged(file, "page size " + std::to_string(raw));
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec || size % pageSize != 0) FailDamaged(file, "truncated");
}

// Every page is checked unless the file is as a clean close left it: a crash or any write from
// outside leaves it changed, and then it is read whole.
void CheckContents(sqlite3* db, const fs::path& file, bool checkPages) {
    if (checkPages) {
        sql::Statement check(db, "PRAGMA quick_check");
        if (!check.Step() || check.Text(0) != "ok") FailDamaged(file, check.Text(0));
    }
    for (const char* table : volformat::kTables) {
        sql::Statement found(db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?1");
        found.Bind(1, std::string_view(table));
        if (!found.Step() || found.Int(0) != 1) FailDamaged(file, std::string("table ") + table + " is missing");
    }
}

// What the page check says of the file (its first lines name the damaged pages). When the check
// itself cannot run past the damage, the b-trees are walked to name the page (unless the log holds
// newer pages than the file); `otherwise` when neither can tell more.
std::string DamagedPages(sqlite3* db, const fs::path& file, const std::string& otherwise) {
    constexpr int kLinesNamed = 3;
    std::string pages;
    try {
        sql::Statement check(db, "PRAGMA quick_check");
        for (int line = 0; line < kLinesNamed && check.Step(); ++line) {
            if (check.Text(0) == "ok") break;
            pages += (pages.empty() ? "" : ", ") + check.Text(0);
        }
    } catch (const sql::Failure&) {
        std::vector<uint32_t> roots;
        try {
            sql::Statement read(db, "SELECT rootpage FROM sqlite_schema WHERE rootpage > 0");
            while (read.Step()) roots.push_back(static_cast<uint32_t>(read.Int(0)));
        } catch (const sql::Failure&) {
            roots.clear();  // the schema's own tree is walked anyway
        }
        std::error_code ec;
        const auto log = fs::file_size(file.string() + "-wal", ec);
        const std::optional<uint32_t> page = ec || log == 0 ? FirstDamagedPage(file, roots) : std::nullopt;
        if (page) pages = "page " + std::to_string(*page) + " is not what its tree points to";
    }
    return pages.empty() ? otherwise : pages;
}

CeGuid ReadGuid(sqlite3* db, const fs::path& file) {
    sql::Statement read(db, "SELECT value FROM meta WHERE key = 'guid'");
    const std::vector<uint8_t> bytes = read.Step() ? read.Blob(0) : std::vector<uint8_t>();
    CeGuid guid;
    if (bytes.size() != guid.bytes.size()) FailDamaged(file, "no volume identifier");
    std::copy(bytes.begin(), bytes.end(), guid.bytes.begin());
    if (guid.IsZero()) FailDamaged(file, "a zero volume identifier");
    return guid;
}

// Every use of a volume's connection (and of its statements) is made under the store's lock, so the
// connection goes without SQLite's own lock, which every call on it would otherwise take and drop.
sqlite3* OpenConnection(const fs::path& file, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        FailFile(ERROR_GEN_FAILURE, file, std::string("cannot be opened: ") + sqlite3_errstr(rc));
    }
    sqlite3_busy_timeout(db, volformat::kBusyTimeoutMs);
    return db;
}

// Runs `step` on a fresh connection; an SQLite failure becomes a StoreFailure naming the file.
template <typename Step>
void Guarded(sqlite3* db, const fs::path& file, Step step) {
    try {
        step();
    } catch (const sql::Failure& failure) {
        if (sql::IsDamage(failure.code)) {
            // Met past a mark that vouched for the file: the mark now says damaged.
            const std::string pages = DamagedPages(db, file, failure.what());
            sqlite3_close_v2(db);
            MarkDamagedFile(file);
            FailDamaged(file, pages);
        }
        sqlite3_close_v2(db);
        FailFile(failure.code == SQLITE_BUSY ? ERROR_SHARING_VIOLATION : ERROR_GEN_FAILURE, file, failure.what());
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
}

CeGuid RandomGuid() {
    std::random_device random;
    CeGuid guid;
    while (guid.IsZero()) {
        for (auto& byte : guid.bytes) byte = static_cast<uint8_t>(random());
    }
    return guid;
}

// Where the file lives: its inode and its real path. A copy, a file restored beside or over another
// by a new file, and a moved device folder each live somewhere else than the file they came from.
std::string HomeOf(const fs::path& file) {
    struct stat status {};
    std::error_code ec;
    const fs::path real = fs::canonical(file, ec);
    if (::stat(file.c_str(), &status) != 0 || ec) FailFile(ERROR_GEN_FAILURE, file, "cannot be read");
    return std::to_string(status.st_ino) + " " + real.string();
}

std::optional<std::string> RecordedHome(sqlite3* db) {
    sql::Statement read(db, "SELECT value FROM meta WHERE key = 'home'");
    if (!read.Step()) return std::nullopt;
    return read.Text(0);
}

// The identifier of the volume in this file. A volume found living elsewhere than it last did is a
// copy (or a restored backup): it takes a new identifier, so that what was derived from the file it
// came from (an index's journal position) is never taken for its own. A volume without a recorded
// home (made before homes were kept) keeps its identifier. Decided again inside the write, so that
// two processes mounting a copy at once give it one new identifier.
CeGuid SettleIdentity(sqlite3* db, const fs::path& file) {
    const std::string home = HomeOf(file);
    if (RecordedHome(db) == home) return ReadGuid(db, file);
    {
        sql::WriteTransaction transaction(db);
        const std::optional<std::string> recorded = RecordedHome(db);
        if (recorded != home) {
            if (recorded) {
                const CeGuid guid = RandomGuid();
                sql::Statement write(db, "UPDATE meta SET value = ?1 WHERE key = 'guid'");
                write.BindBlob(1, std::vector<uint8_t>(guid.bytes.begin(), guid.bytes.end())).Execute();
            }
            sql::Statement write(db, "INSERT OR REPLACE INTO meta(key, value) VALUES ('home', ?1)");
            write.Bind(1, std::string_view(home)).Execute();
        }
        transaction.Commit();
    }
    return ReadGuid(db, file);
}

void WriteNewVolume(sqlite3* db) {
    sql::Exec(db, volformat::kSchema);
    {
        sql::Statement wal(db, "PRAGMA journal_mode = WAL");
        if (!wal.Step() || wal.Text(0) != "wal") Fail(ERROR_GEN_FAILURE, "write-ahead logging is not available");
    }
    sql::WriteTransaction transaction(db);
    const CeGuid guid = RandomGuid();
    sql::Statement meta(db, "INSERT INTO meta(key, value) VALUES ('guid', ?1), ('next_oid', ?2)");
    meta.BindBlob(1, std::vector<uint8_t>(guid.bytes.begin(), guid.bytes.end())).Bind(2, volformat::kFirstOid);
    meta.Execute();
    int64_t nextOid = volformat::kFirstOid;
    for (const DatabaseDescription& declared : PlatformDatabases()) InsertDatabase(db, nextOid++, declared);
    sql::Statement next(db, "UPDATE meta SET value = ?1 WHERE key = 'next_oid'");
    next.Bind(1, nextOid).Execute();
    transaction.Commit();
}

void RemoveWithCompanions(const fs::path& file) {
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) fs::remove(fs::path(file.string() + suffix), ec);
}

}  // namespace

Volume::Volume(sqlite3* db, fs::path file) : db_(db), file_(std::move(file)), transactions_(db) {
    sql::KeepStatements(db);
    transactions_.SetBeforeCommit([this] { BeforeCommit(); });
}

// Closing the connection rolls back a batch that was never ended. The last connection to close
// writes the log back and removes it; the file is then marked as cleanly closed.
Volume::~Volume() {
    sql::ForgetStatements(db_);
    if (sqlite3_close_v2(db_) == SQLITE_OK && !Damaged()) MarkCleanClose(file_);
}

bool Volume::MetDamage() const { return sql::IsDamage(sqlite3_errcode(db_) & 0xFF); }

void Volume::MarkDamaged(const std::string& what) {
    if (Damaged()) return;
    MarkDamagedFile(file_);
    damage_ = "volume " + file_.string() + ": damaged (" + DamagedPages(db_, file_, what) +
              "); every page is checked at its next mount";
}

std::unique_ptr<Volume> Volume::Open(const fs::path& file) {
    std::error_code ec;
    const auto status = fs::status(file, ec);
    if (!fs::exists(status)) FailFile(ERROR_FILE_NOT_FOUND, file, "does not exist");
    if (HasLinkedDatabaseFile(file)) {
        FailFile(ERROR_BAD_FORMAT, file, "a symbolic link is in its place; it was left as it is");
    }
    if (!fs::is_regular_file(status)) FailFile(ERROR_BAD_FORMAT, file, "not a file");
    CheckHeader(file);
    const bool checkPages = !UnchangedSinceCleanClose(file);  // a damaged mark never matches
    sqlite3* db = OpenConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW);
    CeGuid guid;
    Guarded(db, file, [&] {
        CheckContents(db, file, checkPages);
        (void)ReadGuid(db, file);            // a file without an identifier is refused before any write
        if (checkPages) ForgetDamage(file);  // every page was read whole just now
        guid = SettleIdentity(db, file);
        sql::Exec(db, "PRAGMA synchronous = NORMAL");
        // The savepoint of each write in a batch keeps the pages it changes in memory, not in a
        // temporary file.
        sql::Exec(db, "PRAGMA temp_store = MEMORY");
    });
    std::unique_ptr<Volume> volume(new Volume(db, file));
    volume->guid_ = guid;
    return volume;
}

Volume::Generation Volume::CurrentGeneration() const {
    return Generation{sql::QueryInt(db_, "PRAGMA data_version"), transactions_.Writes(), transactions_.Undone()};
}

CeOid Volume::AllocateOid() {
    const uint64_t transaction = transactions_.OpenTransaction();
    const bool kept = transaction != 0 && nextOid_.transaction == transaction;
    const int64_t oid =
        kept ? nextOid_.next : sql::QueryInt(db_, "SELECT value FROM meta WHERE key = 'next_oid'");
    if (oid < volformat::kFirstOid) Fail(ERROR_FILE_CORRUPT, "volume " + file_.string() + ": no identifier counter");
    if (oid > volformat::kLastOid) Fail(ERROR_DISK_FULL, "volume " + file_.string() + ": object identifiers exhausted");
    if (transaction != 0) {
        nextOid_ = {transaction, oid + 1};
    } else {
        sql::Statement next(db_, "UPDATE meta SET value = ?1 WHERE key = 'next_oid'");
        next.Bind(1, oid + 1).Execute();
    }
    return static_cast<CeOid>(oid);
}

bool Volume::TouchDatabase(CeOid database) {
    const uint64_t transaction = transactions_.OpenTransaction();
    if (transaction == 0) return objstore::TouchDatabase(db_, database);
    if (touched_.transaction != transaction) touched_ = {transaction, {}};
    if (touched_.databases.contains(database)) return true;
    if (!objstore::TouchDatabase(db_, database)) return false;
    touched_.databases.insert(database);
    return true;
}

// What was kept for a transaction that was rolled back (lost, abandoned) is dropped unwritten.
void Volume::BeforeCommit() {
    const KeptCounter kept = std::exchange(nextOid_, KeptCounter{});
    const Touched touched = std::exchange(touched_, Touched{});
    const uint64_t transaction = transactions_.OpenTransaction();
    if (kept.transaction != 0 && kept.transaction == transaction) {
        sql::Statement next(db_, "UPDATE meta SET value = ?1 WHERE key = 'next_oid'");
        next.Bind(1, kept.next).Execute();
    }
    if (touched.transaction == 0 || touched.transaction != transaction) return;
    // Removed ones left the set.
    for (const CeOid database : touched.databases) (void)objstore::TouchDatabase(db_, database);
}

uint32_t Volume::RecordCount(CeOid database) {
    const std::pair<int64_t, uint64_t> now{sql::QueryInt(db_, "PRAGMA data_version"), transactions_.Undone()};
    if (now != countsSeen_) {
        counts_.clear();
        countsSeen_ = now;
    }
    const auto found = counts_.find(database);
    if (found != counts_.end()) return found->second;
    return counts_[database] = CountRecords(db_, database);
}

void Volume::RecordsAdded(CeOid database, int delta) {
    const auto found = counts_.find(database);
    if (found != counts_.end()) found->second += static_cast<uint32_t>(delta);
}

void CreateVolumeFile(const fs::path& file) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(file, ec))) FailFile(ERROR_ALREADY_EXISTS, file, "already exists; it was left as it is");
    if (!fs::is_directory(file.parent_path(), ec)) FailFile(ERROR_FILE_NOT_FOUND, file, "its folder does not exist");
    // Built under a private name and linked into place, so no reader ever sees half a volume and
    // two processes creating the same volume cannot overwrite each other.
    const fs::path temporary = file.string() + ".new-" + std::to_string(::getpid());
    RemoveWithCompanions(temporary);
    sqlite3* db = OpenConnection(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        Guarded(db, temporary, [&] { WriteNewVolume(db); });
    } catch (...) {
        RemoveWithCompanions(temporary);
        throw;
    }
    sqlite3_close_v2(db);
    const int linked = ::link(temporary.c_str(), file.c_str());
    const int linkError = errno;
    RemoveWithCompanions(temporary);
    if (linked != 0 && linkError == EEXIST) FailFile(ERROR_ALREADY_EXISTS, file, "already exists; it was left as it is");
    if (linked != 0) FailFile(ERROR_GEN_FAILURE, file, std::string("cannot be created: ") + std::strerror(linkError));
}

}  // namespace plat::objstore
