#include "core/diag/Tracer.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "core/str/Str.h"
#include "platform/text/Utf.h"
#include "platform/ui/MessageBox.h"

namespace {

#ifdef NDEBUG
std::atomic<bool> aborting{false};
#else
std::atomic<bool> aborting{true};
#endif
std::atomic<TracerObserver> observer{nullptr};

[[noreturn]] void Abort(std::u16string_view text) {
    std::fprintf(stderr, "Brevane Tracer: %s\n", plat::ToUtf8(text).c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace

void TracerBox(std::u16string_view text) {
    if (const TracerObserver notify = observer.load()) notify(text);
    plat::MessageBox(text, u"Brevane Tracer", plat::MB_OK);
}

void ProgrammingError(std::u16string_view text) {
    if (aborting.load()) Abort(text);
    TracerBox(text);
}

void AbortOnProgrammingError(std::u16string_view text) {
    if (!aborting.load()) TracerBox(text);
    Abort(text);
}

bool ProgrammingErrorsAbort() { return aborting.load(); }

void SetProgrammingErrorsAbort(bool abort) { aborting.store(abort); }

void SetTracerObserver(TracerObserver notify) { observer.store(notify); }

void TraceIndexOutOfRange(const char* operation, int index, int size) {
    Str text;
    (void)text.Format(u"Array::%S index (%d) out of range (%d)", operation, index, size);  // a short text
    ProgrammingError(text.View());
}

void LocatedBox(std::u16string_view text, std::string_view sourceFile, int line) {
    const size_t slash = sourceFile.find_last_of("/\\");
    if (slash != std::string_view::npos) sourceFile.remove_prefix(slash + 1);
    Str caption;
    (void)caption.Format(u"%S : %i", sourceFile, line);  // a file name and a number
    plat::MessageBox(text, caption.View(), plat::MB_OK);
}
