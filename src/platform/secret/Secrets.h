#pragma once
// The desktop's secret store (the freedesktop secret service or the desktop's wallet), for the
// passwords of accounts. Every call fails, quickly, when no store answers (no session bus, no
// service, or BREVANE_NO_KEYCHAIN set in the environment, which tests use to keep away from the
// user's own store); the caller then keeps the secret itself.
#include <optional>
#include <string>

namespace plat {

[[nodiscard]] bool StoreSecret(const std::string& key, const std::string& secret);
std::optional<std::string> ReadSecret(const std::string& key);
[[nodiscard]] bool DeleteSecret(const std::string& key);

}  // namespace plat
