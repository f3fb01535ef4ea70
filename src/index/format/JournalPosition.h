#pragma once
// A place in the change journal of a volume of the object store: every change the journal numbers
// up to `seq` is held by whatever records the position. The volume's identifier keeps a position
// from being taken for one of another volume; an all-zero identifier means no position is known.
#include <array>
#include <cstdint>

struct JournalPosition {
    std::array<uint8_t, 16> volume{};
    int64_t seq = 0;

    [[nodiscard]] bool Known() const { return volume != std::array<uint8_t, 16>{}; }
    [[nodiscard]] bool operator==(const JournalPosition&) const = default;
};
