#pragma once
// Status: whether an operation worked and, when it did not, why. A failure carries a code, for the
// callers that branch on the kind of failure, and a message in words the user or the command line
// can be shown as they are. The type is [[nodiscard]]: a caller handles it (tells the user, sets an
// exit status, passes it on, retries) or casts it to void with a comment saying why it may.
#include <cstdint>
#include <string>
#include <utility>

enum class StatusCode : uint8_t {
    Ok,
    Failed,    // the work could not be done or kept (a write or a read of the store failed)
    NotFound,  // what the request names does not exist
    Invalid,   // the request itself is wrong (a position outside the grid, a malformed value)
};

class [[nodiscard]] Status {
public:
    Status() = default;  // success
    [[nodiscard]] static Status Ok() { return {}; }
    // A failure with `message`; StatusCode::Ok is taken as StatusCode::Failed (a failure is never ok).
    [[nodiscard]] static Status Error(StatusCode code, std::u16string message) {
        return Status(code == StatusCode::Ok ? StatusCode::Failed : code, std::move(message));
    }
    [[nodiscard]] static Status Failed(std::u16string message) {
        return Error(StatusCode::Failed, std::move(message));
    }

    [[nodiscard]] bool IsOk() const { return code_ == StatusCode::Ok; }
    explicit operator bool() const { return IsOk(); }
    [[nodiscard]] StatusCode Code() const { return code_; }
    // Empty for success.
    [[nodiscard]] const std::u16string& Message() const { return message_; }

private:
    Status(StatusCode code, std::u16string message) : code_(code), message_(std::move(message)) {}

    StatusCode code_ = StatusCode::Ok;
    std::u16string message_;
};
