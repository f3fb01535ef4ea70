#include "sync/account/Accounts.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/str/Str.h"
#include "platform/device/Device.h"
#include "platform/registry/Registry.h"
#include "platform/secret/Secrets.h"
#include "sync/state/SyncState.h"

namespace carddav::accounts {

namespace {

const std::u16string kRoot = u"Software\\Brevane\\Accounts";

std::u16string KeyOf(const std::string& name) {
    return kRoot + u"\\" + std::u16string(Str::FromUtf8(name).View());
}

std::string Text(plat::Registry& registry, const std::u16string& key, std::u16string_view value) {
    const auto stored = registry.GetValue(plat::Hive::CurrentUser, key, value);
    const auto text = stored ? stored->AsString() : std::nullopt;
    return text ? Str(*text).ToUtf8() : std::string();
}

void SetText(plat::Registry& registry, const std::u16string& key, std::u16string_view value,
             const std::string& text) {
    if (!registry.SetValue(plat::Hive::CurrentUser, key, value,
                           plat::RegValue::String(Str::FromUtf8(text).View())))
        throw AccountError("the device registry cannot be written");
}

std::filesystem::path DeviceFile(const std::string& name, const char16_t* suffix) {
    const std::u16string path =
        u"\\Application Data\\Brevane\\Accounts\\" + std::u16string(Str::FromUtf8(name).View()) + suffix;
    const auto host = plat::CurrentDevice().HostPath(path);
    if (!host) throw AccountError("no file for the account " + name + " in the device");
    return *host;
}

std::string SecretKey(const Account& account) {
    return plat::CurrentDevice().Root().string() + "/" + account.name;
}

}  // namespace

bool IsValidName(const std::string& name) {
    return !name.empty() && name.size() <= 64 && name != "." && name != ".." &&
           std::all_of(name.begin(), name.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '_' || c == '.'; });
}

std::vector<Account> List() {
    std::vector<Account> list;
    for (const std::u16string& name : plat::DeviceRegistry().SubKeys(plat::Hive::CurrentUser, kRoot)) {
        if (auto account = Find(Str(name).ToUtf8())) list.push_back(std::move(*account));
    }
    return list;
}

std::optional<Account> Find(const std::string& name) {
    plat::Registry& registry = plat::DeviceRegistry();
    const std::u16string key = KeyOf(name);
    if (!IsValidName(name) || !registry.KeyExists(plat::Hive::CurrentUser, key)) return std::nullopt;
    return Account{name,
                   Text(registry, key, u"Server"),
                   Text(registry, key, u"AddressBook"),
                   Text(registry, key, u"User"),
                   Text(registry, key, u"CaFile"),
                   Text(registry, key, u"PasswordIn"),
                   Text(registry, key, u"LastSync"),
                   Text(registry, key, u"LastOutcome")};
}

void Save(const Account& account) {
    plat::Registry& registry = plat::DeviceRegistry();
    const std::u16string key = KeyOf(account.name);
    SetText(registry, key, u"Server", account.server);
    SetText(registry, key, u"AddressBook", account.book);
    SetText(registry, key, u"User", account.user);
    SetText(registry, key, u"CaFile", account.caFile);
    SetText(registry, key, u"PasswordIn", account.passwordIn);
    SetText(registry, key, u"LastSync", account.lastSync);
    SetText(registry, key, u"LastOutcome", account.lastOutcome);
}

void Remove(const Account& account) {
    if (account.passwordIn == "keychain") (void)plat::DeleteSecret(SecretKey(account));
    std::error_code ec;
    std::filesystem::remove(DeviceFile(account.name, u".password"), ec);
    std::filesystem::remove(StateFile(account.name), ec);
    if (!plat::DeviceRegistry().DeleteKey(plat::Hive::CurrentUser, KeyOf(account.name)))
        throw AccountError("the device registry cannot be written");
}

std::string StorePassword(Account& account, const std::string& password) {
    if (plat::StoreSecret(SecretKey(account), password)) {
        account.passwordIn = "keychain";
        return "the desktop's secret store";
    }
    const std::filesystem::path file = DeviceFile(account.name, u".password");
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::filesystem::remove(file, ec);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool written =
        fd >= 0 && ::write(fd, password.data(), password.size()) == static_cast<ssize_t>(password.size());
    if (fd >= 0) written = ::close(fd) == 0 && written;
    if (!written) throw AccountError("cannot write the password file " + file.string());
    account.passwordIn = "file";
    return "the file " + file.string() + " (mode 0600; no secret store answered)";
}

std::string Password(const Account& account) {
    if (account.passwordIn == "keychain") {
        if (auto secret = plat::ReadSecret(SecretKey(account))) return *secret;
        throw AccountError("the password of " + account.name +
                           " cannot be read from the desktop's secret store");
    }
    if (account.passwordIn != "file") return {};
    std::ifstream in(DeviceFile(account.name, u".password"), std::ios::binary);
    if (!in) throw AccountError("the password file of " + account.name + " cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void RecordSync(Account& account, const std::string& outcome) {
    account.lastSync = UtcNow();
    account.lastOutcome = outcome;
    plat::Registry& registry = plat::DeviceRegistry();
    SetText(registry, KeyOf(account.name), u"LastSync", account.lastSync);
    SetText(registry, KeyOf(account.name), u"LastOutcome", account.lastOutcome);
}

std::filesystem::path StateFile(const std::string& name) { return DeviceFile(name, u".state"); }

}  // namespace carddav::accounts
