// Reads arbitrary bytes as a template file and writes the template back: the reader must take
// any input without reading outside it, and what is written must read back with every shown
// group listing as many entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "view/template/ContactTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ContactTemplate t;
    t.ReadFrom(std::span<const uint8_t>(data, size));
    ContactTemplate again;
    again.ReadFrom(t.ToBytes());
    for (int id = 1; id < kTemplateGroupCount; ++id) {
        const int expected = t.Group(id)->shown ? t.Group(id)->order.GetSize() : 0;
        if (again.Group(id)->order.GetSize() != expected) std::abort();
    }
    return 0;
}
