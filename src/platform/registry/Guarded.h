#pragma once
// Registry work that must not throw: a registry that cannot be had (damaged file, no device)
// counts as a failed operation, so callers read their defaults or report false.
#include <exception>

#include "platform/registry/Registry.h"

namespace plat {

template <typename Result, typename Operation>
Result RegistryGuarded(Result fallback, Operation operation) {
    try {
        return operation(DeviceRegistry());
    } catch (const std::exception&) {
        return fallback;
    }
}

}  // namespace plat
