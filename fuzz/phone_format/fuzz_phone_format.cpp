// Formats an arbitrary number with an arbitrary template beside the default ones. Input: one
// byte of switches, then UTF-16 text: the template up to the first line feed, the number after.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "phone/templates/PhoneTemplates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    std::u16string text;
    for (size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    const size_t split = text.find(u'\n');
    const std::u16string layout = text.substr(0, split);
    const std::u16string number = split == std::u16string::npos ? std::u16string() : text.substr(split + 1);

    PhoneTemplates templates;
    templates.LoadDefaults();
    templates.Insert((data[0] & 4) ? 0 : templates.GetCount(), Str(layout));
    templates.SetActive(true);
    templates.SetIgnoreHyphens(data[0] & 1);
    const std::optional<Str> formatted = templates.TryFormat(Str(number));
    if (formatted && formatted->GetLength() > kPhoneMaxChars) std::abort();
    if (templates.Formatted(Str(number)) != formatted.value_or(Str(number))) std::abort();
    Str applied;
    (void)PhoneTemplates::Apply(layout, number, applied);  // only that nothing breaks counts here
    (void)PhoneTemplates::Fits(layout, number);
    return 0;
}
