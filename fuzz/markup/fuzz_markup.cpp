// Parses arbitrary UTF-16 text as view markup: the runs never hold more characters than the text.
// The text ends at its first NUL, as every text of a contact does (they are stored NUL-ended).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "view/markup/Markup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0) break;
        text.push_back(unit);
    }
    int total = 0;
    for (const StyledRun& run : ParseMarkup(text)) {
        if (run.text.IsEmpty()) std::abort();
        total += run.text.GetLength();
    }
    if (total > static_cast<int>(text.size()) || StripMarkup(text).GetLength() != total) std::abort();
    return 0;
}
