#include "core/diag/Tracer.h"

#include "core/str/Str.h"
#include "platform/ui/MessageBox.h"

void TracerBox(std::u16string_view text) { plat::MessageBox(text, u"Brevane Tracer", plat::MB_OK); }

void TraceIndexOutOfRange(const char* operation, int index, int size) {
    Str text;
    text.Format(u"Array::%S index (%d) out of range (%d)", operation, index, size);
    TracerBox(text.View());
}

void LocatedBox(std::u16string_view text, std::string_view sourceFile, int line) {
    const size_t slash = sourceFile.find_last_of("/\\");
    if (slash != std::string_view::npos) sourceFile.remove_prefix(slash + 1);
    Str caption;
    caption.Format(u"%S : %i", sourceFile, line);
    plat::MessageBox(text, caption.View(), plat::MB_OK);
}
