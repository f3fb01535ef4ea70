#pragma once
// Tracer boxes in tests. Every test program fails the running test on a tracer box (a programming
// error of the code under test) and aborts on an array index out of range; a test that checks how
// the release program reports a programming error says so with ExpectTracerBoxes.

// Makes tracer boxes fail the running test and programming errors abort; the test main calls it.
void FailTestsOnTracerBoxes();

// While it lives, tracer boxes are expected (they are recorded as any box is) and programming
// errors go on as in the release program instead of aborting.
class ExpectTracerBoxes {
public:
    ExpectTracerBoxes();
    ~ExpectTracerBoxes();
    ExpectTracerBoxes(const ExpectTracerBoxes&) = delete;
    ExpectTracerBoxes& operator=(const ExpectTracerBoxes&) = delete;
};
