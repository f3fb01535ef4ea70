#pragma once
// Result<T>: the value of an operation that worked, or the Status of one that failed. Like Status
// it is [[nodiscard]]. Reading the value of a failure is a programming error that ends the program
// (there is no value to go on with); test it with IsOk or operator bool first.
#include <optional>
#include <utility>

#include "core/diag/Tracer.h"
#include "core/result/Status.h"

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor): returned as is
    // A failure; a Status that is ok (it carries no value) becomes StatusCode::Failed.
    Result(Status status)  // NOLINT(google-explicit-constructor)
        : status_(status.IsOk() ? Status::Failed(u"no value") : std::move(status)) {}

    [[nodiscard]] bool IsOk() const { return value_.has_value(); }
    explicit operator bool() const { return IsOk(); }
    [[nodiscard]] const Status& GetStatus() const { return status_; }

    [[nodiscard]] T& Value() & { return Checked(); }
    [[nodiscard]] const T& Value() const& { return const_cast<Result*>(this)->Checked(); }
    [[nodiscard]] T&& Value() && { return std::move(Checked()); }
    T* operator->() { return &Checked(); }
    const T* operator->() const { return &const_cast<Result*>(this)->Checked(); }

private:
    T& Checked() {
        if (!value_) AbortOnProgrammingError(u"Result::Value of a failure");
        return *value_;
    }

    Status status_;
    std::optional<T> value_;
};
