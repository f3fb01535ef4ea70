#pragma once
// ReadStatus: the outcome of reading an imported file. A failure names the line of the file
// where reading stopped and the reason, so the user can find and mend the place.
#include <string>
#include <utility>

class ReadStatus {
public:
    ReadStatus() = default;  // success

    static ReadStatus Ok() { return ReadStatus(); }
    static ReadStatus Error(int line, std::string reason) {
        ReadStatus status;
        status.failed_ = true;
        status.line_ = line;
        status.reason_ = std::move(reason);
        return status;
    }

    bool ok() const { return !failed_; }
    int line() const { return line_; }                     // 1-based; 0 on success
    const std::string& reason() const { return reason_; }  // UTF-8
    // "line 12: BEGIN:VCARD without END:VCARD", or "ok".
    std::string ToString() const {
        return failed_ ? "line " + std::to_string(line_) + ": " + reason_ : "ok";
    }

private:
    bool failed_ = false;
    int line_ = 0;
    std::string reason_;
};
