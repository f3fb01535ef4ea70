#include "core/res/ResourceStrings.h"

#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"
#include "core/diag/Tracer.h"
#include "core/res/StringTable.h"

namespace {

constexpr int kLoadStep = 256;

void ReportLoadFailure(uint32_t id, const StringTable& module) {
    Str text;
    (void)text.Format(u"Resource loading fail (id: %d hInst: %x)", id, module.Handle());  // short texts
    ErrorLog(text.View(), "Str", 173);
    (void)text.Format(u"SafeLoadStr failed, resid: %d", id);
    TracerBox(text.View());
}

}  // namespace

bool SafeLoadStr(uint32_t id, Str& out, const StringTable* module) {
    const StringTable& table = module ? *module : StringTable::Own();
    int capacity = kLoadStep;
    int length = 0;
    for (;;) {
        length = table.Load(id, out.GetBuffer(capacity), capacity);
        if (length < capacity - 2) break;  // room to spare: nothing was cut
        capacity += kLoadStep;
    }
    out.ReleaseBuffer(length);
    if (length == 0) {
        out.Empty();
        ReportLoadFailure(id, table);
    }
    return length > 0;
}

Str RequireStr(uint32_t id) {
    Str text;
    if (!text.LoadString(id)) throw ResourceError(id);
    return text;
}
