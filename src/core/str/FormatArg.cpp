#include "core/str/FormatArg.h"

#include <cmath>
#include <cstdint>

uint64_t FormatArg::Bits() const {
    switch (kind_) {
        case Kind::Signed:
            return static_cast<uint64_t>(signed_);
        case Kind::Unsigned:
            return unsigned_;
        case Kind::Floating:
            // Out of the range of a 64-bit integer (or not a number): 0 rather than undefined.
            return std::isfinite(floating_) && std::fabs(floating_) < 9.2e18
                       ? static_cast<uint64_t>(static_cast<int64_t>(floating_))
                       : 0;
        case Kind::Pointer:
        case Kind::Counter:
            return reinterpret_cast<uintptr_t>(pointer_);
        default:
            return 0;
    }
}

double FormatArg::AsDouble() const {
    switch (kind_) {
        case Kind::Signed:
            return static_cast<double>(signed_);
        case Kind::Unsigned:
            return static_cast<double>(unsigned_);
        case Kind::Floating:
            return floating_;
        default:
            return 0;
    }
}
