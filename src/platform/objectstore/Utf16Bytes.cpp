#include "platform/objectstore/Utf16Bytes.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"

namespace plat::objstore {

std::vector<uint8_t> Utf16Bytes(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string Utf16Text(const std::vector<uint8_t>& bytes) {
    if (bytes.size() % 2 != 0) Fail(ERROR_FILE_CORRUPT, "a stored text has an odd number of bytes");
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return text;
}

std::u16string FoldCase(std::u16string_view text) {
    // Folding may lengthen a text (ß -> ss); three units per unit is always enough.
    std::u16string folded(text.size() * 3 + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = u_strFoldCase(folded.data(), static_cast<int32_t>(folded.size()), text.data(),
                                         static_cast<int32_t>(text.size()), U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status)) return std::u16string(text);
    folded.resize(static_cast<size_t>(length));
    return folded;
}

}  // namespace plat::objstore
