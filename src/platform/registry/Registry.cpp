#include "platform/registry/Registry.h"

#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <mutex>
#include <system_error>

#include "platform/device/Device.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryFormat.h"
#include "platform/registry/Sql.h"
#include "platform/text/Utf.h"

namespace plat {

namespace {

using KeyParts = std::vector<std::u16string>;

// Splits "Software\\Velmora\\PIM" into its names. Backslashes at either end are ignored; an empty
// name inside the path, or text that is not valid UTF-16, makes the path invalid.
std::optional<KeyParts> SplitKey(std::u16string_view key) {
    while (!key.empty() && key.front() == u'\\') key.remove_prefix(1);
    while (!key.empty() && key.back() == u'\\') key.remove_suffix(1);
    if (!IsValidUtf16(key)) return std::nullopt;
    KeyParts parts;
    if (key.empty()) return parts;
    size_t start = 0;
    for (size_t end; (end = key.find(u'\\', start)) != std::u16string_view::npos; start = end + 1) {
        if (end == start) return std::nullopt;
        parts.emplace_back(key.substr(start, end - start));
    }
    parts.emplace_back(key.substr(start));
    return parts;
}

// The lookup form of a name: each code point simply case-folded, in UTF-8.
std::string Fold(std::u16string_view name) {
    std::u16string folded;
    folded.reserve(name.size());
    for (int32_t i = 0, length = static_cast<int32_t>(name.size()); i < length;) {
        UChar32 cp;
        U16_NEXT(name.data(), i, length, cp);
        const UChar32 lower = u_foldCase(cp, U_FOLD_CASE_DEFAULT);
        if (U_IS_BMP(lower)) {
            folded += static_cast<char16_t>(lower);
        } else {
            folded += U16_LEAD(lower);
            folded += U16_TRAIL(lower);
        }
    }
    return ToUtf8(folded);
}

int64_t RootOf(Hive hive) {
    return hive == Hive::CurrentUser ? regformat::kCurrentUserRoot : regformat::kLocalMachineRoot;
}

}  // namespace

struct Registry::Impl {
    std::filesystem::path file;
    sqlite3* db = nullptr;
    std::mutex mutex;

    // Runs one operation under the lock. A damaged file raises RegistryError; any other failure
    // (a lock held too long, a full disk) gives `failed`, with nothing written.
    template <class R, class Body>
    R Guarded(R failed, Body&& body) {
        std::lock_guard lock(mutex);
        try {
            return body();
        } catch (const sql::Failure& failure) {
            if (sql::IsDamage(failure.code)) throw RegistryError(DamageMessage(file, failure.what()));
            return failed;
        }
    }

    std::optional<int64_t> FindChild(int64_t parent, std::u16string_view name) {
        sql::Statement find(db, "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
        find.Bind(1, parent).Bind(2, Fold(name));
        if (!find.Step()) return std::nullopt;
        return find.Int(0);
    }

    std::optional<int64_t> FindKey(Hive hive, std::u16string_view key) {
        const auto parts = SplitKey(key);
        if (!parts) return std::nullopt;
        std::optional<int64_t> id = RootOf(hive);
        for (size_t i = 0; id && i < parts->size(); ++i) id = FindChild(*id, (*parts)[i]);
        return id;
    }

    // Finds or creates the key with its missing parents; call inside a write transaction.
    std::optional<int64_t> EnsureKey(Hive hive, std::u16string_view key) {
        const auto parts = SplitKey(key);
        if (!parts) return std::nullopt;
        int64_t id = RootOf(hive);
        for (const std::u16string& part : *parts) {
            if (auto child = FindChild(id, part)) {
                id = *child;
                continue;
            }
            sql::Statement insert(db, "INSERT INTO keys(parent, name, folded) VALUES (?1, ?2, ?3)");
            insert.Bind(1, id).Bind(2, ToUtf8(part)).Bind(3, Fold(part)).Execute();
            id = sqlite3_last_insert_rowid(db);
        }
        return id;
    }
};

Registry::Registry(const std::filesystem::path& file) : impl_(new Impl) {
    impl_->file = file;
    try {
        impl_->db = OpenRegistryFile(file);
    } catch (...) {
        delete impl_;
        throw;
    }
}

Registry::~Registry() {
    sqlite3_close_v2(impl_->db);
    delete impl_;
}

bool Registry::KeyExists(Hive hive, std::u16string_view key) {
    return impl_->Guarded(false, [&] { return impl_->FindKey(hive, key).has_value(); });
}

bool Registry::CreateKey(Hive hive, std::u16string_view key) {
    return impl_->Guarded(false, [&] {
        sql::WriteTransaction transaction(impl_->db);
        if (!impl_->EnsureKey(hive, key)) return false;
        transaction.Commit();
        return true;
    });
}

std::optional<RegValue> Registry::GetValue(Hive hive, std::u16string_view key, std::u16string_view name) {
    return impl_->Guarded(std::optional<RegValue>(), [&]() -> std::optional<RegValue> {
        const auto id = impl_->FindKey(hive, key);
        if (!id || !IsValidUtf16(name)) return std::nullopt;
        sql::Statement get(impl_->db, "SELECT type, data FROM entries WHERE key = ?1 AND folded = ?2");
        get.Bind(1, *id).Bind(2, Fold(name));
        if (!get.Step()) return std::nullopt;
        return RegValue{static_cast<uint32_t>(get.Int(0)), get.Blob(1)};
    });
}

bool Registry::SetValue(Hive hive, std::u16string_view key, std::u16string_view name, const RegValue& value) {
    return impl_->Guarded(false, [&] {
        if (!IsValidUtf16(name)) return false;
        sql::WriteTransaction transaction(impl_->db);
        const auto id = impl_->EnsureKey(hive, key);
        if (!id) return false;
        // An existing value keeps its place and the spelling of its name.
        sql::Statement set(impl_->db,
                           "INSERT INTO entries(key, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
                           "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
        set.Bind(1, *id).Bind(2, ToUtf8(name)).Bind(3, Fold(name)).Bind(4, int64_t{value.type});
        set.BindBlob(5, value.data).Execute();
        transaction.Commit();
        return true;
    });
}

bool Registry::DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) {
    return impl_->Guarded(false, [&] {
        sql::WriteTransaction transaction(impl_->db);
        const auto id = impl_->FindKey(hive, key);
        if (!id || !IsValidUtf16(name)) return false;
        sql::Statement remove(impl_->db, "DELETE FROM entries WHERE key = ?1 AND folded = ?2");
        remove.Bind(1, *id).Bind(2, Fold(name)).Execute();
        const bool removed = sqlite3_changes(impl_->db) > 0;
        transaction.Commit();
        return removed;
    });
}

bool Registry::DeleteKey(Hive hive, std::u16string_view key) {
    return impl_->Guarded(false, [&] {
        sql::WriteTransaction transaction(impl_->db);
        const auto id = impl_->FindKey(hive, key);
        if (!id || *id == RootOf(hive)) return false;  // a hive itself cannot be deleted
        constexpr const char* kSubtree =
            "WITH RECURSIVE subtree(id) AS (SELECT ?1 UNION ALL "
            "SELECT keys.id FROM keys JOIN subtree ON keys.parent = subtree.id) ";
        sql::Statement values(impl_->db, std::string(kSubtree) + "DELETE FROM entries WHERE key IN subtree");
        values.Bind(1, *id).Execute();
        sql::Statement keys(impl_->db, std::string(kSubtree) + "DELETE FROM keys WHERE id IN subtree");
        keys.Bind(1, *id).Execute();
        transaction.Commit();
        return true;
    });
}

std::vector<std::u16string> Registry::SubKeys(Hive hive, std::u16string_view key) {
    return impl_->Guarded(std::vector<std::u16string>(), [&] {
        std::vector<std::u16string> names;
        const auto id = impl_->FindKey(hive, key);
        if (!id) return names;
        sql::Statement list(impl_->db, "SELECT name FROM keys WHERE parent = ?1 ORDER BY folded");
        list.Bind(1, *id);
        while (list.Step()) names.push_back(FromUtf8(list.Text(0)));
        return names;
    });
}

std::vector<std::pair<std::u16string, RegValue>> Registry::Values(Hive hive, std::u16string_view key) {
    using List = std::vector<std::pair<std::u16string, RegValue>>;
    return impl_->Guarded(List(), [&] {
        List values;
        const auto id = impl_->FindKey(hive, key);
        if (!id) return values;
        sql::Statement list(impl_->db, "SELECT name, type, data FROM entries WHERE key = ?1 ORDER BY rowid");
        list.Bind(1, *id);
        while (list.Step()) {
            values.emplace_back(FromUtf8(list.Text(0)), RegValue{static_cast<uint32_t>(list.Int(1)), list.Blob(2)});
        }
        return values;
    });
}

namespace {

struct DeviceRegistryCache {
    std::mutex mutex;
    uint64_t generation = 0;
    std::unique_ptr<Registry> registry;
};

DeviceRegistryCache& Cache() {
    static DeviceRegistryCache cache;
    return cache;
}

}  // namespace

std::filesystem::path DeviceRegistryFile(const Device& device) {
    const auto file = device.HostPath(u"\\Windows\\registry.db");
    if (!file) throw RegistryError("the registry of " + device.Root().string() + " lies outside the device");
    return *file;
}

Registry& DeviceRegistry() {
    auto& cache = Cache();
    std::lock_guard lock(cache.mutex);
    const uint64_t generation = CurrentDeviceGeneration();
    if (!cache.registry || cache.generation != generation) {
        cache.registry.reset();
        // Only InitDevice makes a device's registry: a registry made here would pass an
        // uninitialised device off as an initialised one.
        const std::filesystem::path file = DeviceRegistryFile(CurrentDevice());
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) {
            throw RegistryError("no registry at " + file.string() + ": the device is not initialised");
        }
        cache.registry = std::make_unique<Registry>(file);
        cache.generation = generation;
    }
    return *cache.registry;
}

void CloseDeviceRegistry() {
    auto& cache = Cache();
    std::lock_guard lock(cache.mutex);
    cache.registry.reset();
}

}  // namespace plat
