// The main of every test program: GoogleTest's, with tracer boxes failing the running test and
// programming errors aborting (support/TracerBoxes.h).
#include <gtest/gtest.h>

#include "support/TracerBoxes.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    FailTestsOnTracerBoxes();
    return RUN_ALL_TESTS();
}
