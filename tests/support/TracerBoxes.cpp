#include "support/TracerBoxes.h"

#include <gtest/gtest.h>

#include <atomic>

#include "core/diag/Tracer.h"
#include "platform/text/Utf.h"

namespace {

std::atomic<int> expecting{0};

void FailTheTest(std::u16string_view text) {
    if (expecting.load() == 0) ADD_FAILURE() << "tracer box: " << plat::ToUtf8(text);
}

}  // namespace

void FailTestsOnTracerBoxes() {
    SetProgrammingErrorsAbort(true);
    SetTracerObserver(FailTheTest);
}

ExpectTracerBoxes::ExpectTracerBoxes() {
    ++expecting;
    SetProgrammingErrorsAbort(false);
}

ExpectTracerBoxes::~ExpectTracerBoxes() {
    if (--expecting == 0) SetProgrammingErrorsAbort(true);
}
