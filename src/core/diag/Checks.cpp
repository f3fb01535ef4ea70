#include "core/diag/Checks.h"

#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"

void RequireMemory(const void* block) {
    if (block) return;
    ErrorLog(u"Memory not allocated!!!", "DebugUtils", 172);
    throw FatalError(kFatalMemory, 0);
}

void RequireMapping(const void* view, size_t size, std::string_view module, int line) {
    if (view && size) return;
    ErrorLog(u"Unable open memory as mapped file!!!", module, line);
    throw FatalError(kFatalMemory, 0);
}
