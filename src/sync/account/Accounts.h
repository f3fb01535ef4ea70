#pragma once
// The CardDAV accounts of the device: their settings in the device registry under
// HKCU\Software\Brevane\Accounts\<name> (docs/sync.md), their passwords in the desktop's secret
// store when one answers and otherwise in a file of mode 0600 in the device, and their sync
// state files beside it.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace carddav {

class AccountError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Account {
    std::string name;
    std::string server;  // the URL given when it was added
    std::string book;    // the address book's URL
    std::string user;
    std::string caFile;       // a PEM file of further trusted certificates; empty: none
    std::string passwordIn;   // "keychain" or "file"
    std::string lastSync;     // UTC, ISO 8601; empty: never
    std::string lastOutcome;  // the last sync's summary line or failure
};

namespace accounts {

// Letters, digits, '-', '_' and '.', 1 to 64 of them.
[[nodiscard]] bool IsValidName(const std::string& name);
std::vector<Account> List();
std::optional<Account> Find(const std::string& name);
// Writes the settings; throws AccountError when the registry refuses.
void Save(const Account& account);
// Removes the settings, the password and the sync state (the contacts stay).
void Remove(const Account& account);
// Keeps the password and sets account.passwordIn; returns where it was put, for the user.
std::string StorePassword(Account& account, const std::string& password);
std::string Password(const Account& account);
// Records the end of a sync.
void RecordSync(Account& account, const std::string& outcome);
std::filesystem::path StateFile(const std::string& name);

}  // namespace accounts

}  // namespace carddav
