#pragma once
// The dialler add-in as dialling sees it: something registered that dials a contact given as an
// item list. The add-in layer supplies the real one; Dial only needs these two calls.
#include <cstdint>
#include <span>

#include "core/str/Str.h"
#include "platform/window/WindowTypes.h"

class DialerAddIn {
public:
    virtual ~DialerAddIn() = default;
    // The add-in's name, the label of its dial method.
    virtual Str Name() const = 0;
    // Dials the items (each 0x80000000 | a contact's item number). False when it failed.
    [[nodiscard]] virtual bool Invoke(plat::HWND owner, std::span<const uint32_t> items) = 0;
};

// The item-list entry of a contact with that item number.
inline uint32_t ContactItem(uint32_t itemNumber) { return 0x80000000u | itemNumber; }
