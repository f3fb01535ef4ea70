#pragma once
// ReadStatus: the outcome of reading an imported file, and ReadSkip: a part of the file that could
// not be read and was left out while the rest was read. Both name the line of the file and the
// reason, so the user can find and mend the place.
#include <string>
#include <utility>

class [[nodiscard]] ReadStatus {
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

    [[nodiscard]] bool ok() const { return !failed_; }
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

// What an import left out, and why.
struct ReadSkip {
    enum class Part {
        kProperty,  // one property of a card (with its folded and continuation lines)
        kCard,      // a whole card: its structure is broken, or nothing of it could be read
        kRow,       // a row of a table
        kLines,     // text between cards that belongs to none
        kColumns,   // columns of a table, in every row
    };

    int line = 0;  // 1-based: where the part begins
    Part part = Part::kProperty;
    std::string reason;  // UTF-8

    // "line 4: PHOTO: damaged base64 data (property skipped)".
    std::string ToString() const {
        static const char* const kParts[] = {"property", "card", "row", "lines", "columns"};
        return "line " + std::to_string(line) + ": " + reason + " (" + kParts[static_cast<int>(part)] +
               " skipped)";
    }
    // Whether a contact was lost with this part (a card or a row, not a property).
    [[nodiscard]] bool LosesContact() const { return part == Part::kCard || part == Part::kRow; }
};
