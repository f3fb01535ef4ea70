#pragma once
// FatalError: an unrecoverable condition that ends the program. It is raised after the condition
// has been logged; entry points catch it, log its code and argument, and exit. Nothing continues
// after it.
#include <cstdint>
#include <exception>

// Codes of the conditions, as the error log and the exit report them.
inline constexpr uint32_t kFatalResource = 0xEFFFFFFC;  // a required resource is missing (arg: id)
inline constexpr uint32_t kFatalDatabase = 0xEFFFFFFD;  // a database operation failed
inline constexpr uint32_t kFatalMemory = 0xEFFFFFFF;    // an allocation or file mapping failed

class FatalError : public std::exception {
public:
    FatalError(uint32_t code, uint32_t arg) : code_(code), arg_(arg) {}
    uint32_t Code() const noexcept { return code_; }
    uint32_t Arg() const noexcept { return arg_; }
    const char* what() const noexcept override;

private:
    uint32_t code_;
    uint32_t arg_;
};

// A required string or icon resource that could not be loaded (code kFatalResource, the
// resource identifier as its argument).
class ResourceError : public FatalError {
public:
    explicit ResourceError(uint32_t id) : FatalError(kFatalResource, id) {}
};
