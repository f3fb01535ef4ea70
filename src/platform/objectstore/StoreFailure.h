#pragma once
// Inside the object store a failed step throws StoreFailure with the handheld's error code; each
// public call turns it into its false or zero result and the thread's last error.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace plat::objstore {

class StoreFailure : public std::runtime_error {
public:
    StoreFailure(uint32_t code, const std::string& message) : std::runtime_error(message), code(code) {}
    uint32_t code;
};

[[noreturn]] inline void Fail(uint32_t code, const std::string& message) { throw StoreFailure(code, message); }

}  // namespace plat::objstore
