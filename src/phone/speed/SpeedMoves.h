#pragma once
// The speed-dial buttons of contacts that go away and come back: a merge moves the buttons of
// the contacts merged away to the merged contact, a delete keeps a copy of the contact's buttons
// with it in the trash, and a restore points them at the contact again (its object identifier is
// new), putting back a button that was removed meanwhile when its cell is still free.
//
// The buttons live in the registry, outside the contacts store's transactions: they are moved
// after the store's change is committed. A button left pointing at a contact that is gone finds
// its contact again by name when the speed dial next loads, as for any deleted contact.
#include <cstdint>
#include <span>
#include <vector>

#include "manager/trash/ContactTrash.h"
#include "phone/speed/SpeedRecord.h"

// The buttons of contact `oid`, as bytes to keep (empty when it has none).
std::vector<uint8_t> CaptureSpeedEntries(uint32_t oid);
// Points the kept buttons at contact `oid`: the button now in a kept button's cell with its number
// (whichever contact it points at, as after a merge), else the kept button put back when its cell
// is free. False when a write failed.
[[nodiscard]] bool RestoreSpeedEntries(std::span<const uint8_t> kept, uint32_t oid);
// Points every button of contact `from` at contact `to`. False when a write failed.
[[nodiscard]] bool MoveSpeedEntries(uint32_t from, uint32_t to);

// The byte form of kept buttons: per button its oid, btn, link and index (32-bit little-endian),
// then first, last, middle, company, display, phone and type (each a 32-bit count of UTF-16 units
// and the units). Nothing (and `records` as far as read) when the bytes end early.
std::vector<uint8_t> EncodeSpeedRecords(std::span<const SpeedRecord> records);
[[nodiscard]] bool DecodeSpeedRecords(std::span<const uint8_t> bytes, std::vector<SpeedRecord>& records);

// The speed-dial buttons as what a contact keeps beside its record.
class SpeedDialAttachments : public ContactAttachments {
public:
    std::vector<uint8_t> Capture(uint32_t oid) override { return CaptureSpeedEntries(oid); }
    [[nodiscard]] bool Restore(std::span<const uint8_t> kept, uint32_t oid) override {
        return RestoreSpeedEntries(kept, oid);
    }
    [[nodiscard]] bool Move(uint32_t from, uint32_t to) override { return MoveSpeedEntries(from, to); }
};
