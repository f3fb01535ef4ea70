#include "platform/text/Charset.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <memory>

namespace plat {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Notes that the input had a bad sequence and writes U+FFFD for it (the converter's own
// substitute would be U+001A for some single-byte sets).
void U_CALLCONV SubstituteAndNote(const void* context, UConverterToUnicodeArgs* args,
                                  const char*, int32_t, UConverterCallbackReason reason,
                                  UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;
    *static_cast<bool*>(const_cast<void*>(context)) = true;
    static const UChar kReplacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

ConverterPtr OpenConverter(std::string_view charset) {
    if (charset.empty() || charset.find('\0') != std::string_view::npos) return nullptr;
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(std::string(charset).c_str(), &error));
    if (U_FAILURE(error)) return nullptr;
    return converter;
}

}  // namespace

CharsetStatus DecodeCharset(std::string_view charset, std::string_view bytes, std::u16string& out) {
    out.clear();
    ConverterPtr converter = OpenConverter(charset);
    if (!converter) return CharsetStatus::kUnknownCharset;
    bool illFormed = false;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), SubstituteAndNote, &illFormed, nullptr, nullptr, &error);
    if (U_FAILURE(error)) return CharsetStatus::kUnknownCharset;

    const char* source = bytes.data();
    const char* sourceEnd = source + bytes.size();
    UChar buffer[1024];
    do {
        error = U_ZERO_ERROR;
        UChar* target = buffer;
        ucnv_toUnicode(converter.get(), &target, buffer + std::size(buffer), &source, sourceEnd,
                       nullptr, true, &error);
        out.append(reinterpret_cast<const char16_t*>(buffer), target - buffer);
    } while (error == U_BUFFER_OVERFLOW_ERROR);
    if (U_FAILURE(error)) illFormed = true;
    return illFormed ? CharsetStatus::kIllFormed : CharsetStatus::kOk;
}

}  // namespace plat
