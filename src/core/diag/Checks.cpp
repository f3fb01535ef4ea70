#include "core/diag/Checks.h"

#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"

void RequireMemory(const void* block) {
    if (block) return;
    ErrorLog(u"Memory not allocated!!!", "DebugUtils", 172);
    throw FatalError(kFatalMemory, 0);
}
