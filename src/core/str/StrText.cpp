// Str operations that go through the platform or the resources: UTF-8 conversion, loading.
#include "core/res/ResourceStrings.h"
#include "core/str/Str.h"
#include "platform/text/Utf.h"

Str Str::FromUtf8(std::string_view utf8) { return Str(std::u16string_view(plat::FromUtf8(utf8))); }

std::string Str::ToUtf8() const { return plat::ToUtf8(View()); }

bool Str::LoadString(uint32_t id, const StringTable* module) { return SafeLoadStr(id, *this, module); }
