#pragma once
// The two diagnostic boxes: the tracer box (captioned "Brevane Tracer") for programming errors,
// after which the program goes on, and the located box, captioned with the caller's source file
// name (without its folder) and line.
//
// Where programming errors abort (builds without NDEBUG, such as the sanitizer builds, and every
// test program, which turns it on), a programming error writes its text to standard error and ends
// the process instead: a fault is then seen where it happens, not as a box and a lost write.
#include <string_view>

void TracerBox(std::u16string_view text);

// A programming error: the tracer box with `text`, or, where programming errors abort, `text` on
// standard error and an abort.
void ProgrammingError(std::u16string_view text);

// A programming error after which there is nothing to go on with: `text` on standard error (and
// in the tracer box where programming errors do not abort), then an abort.
[[noreturn]] void AbortOnProgrammingError(std::u16string_view text);

// Whether programming errors abort; the switch is process-wide and may be turned from any thread.
[[nodiscard]] bool ProgrammingErrorsAbort();
void SetProgrammingErrorsAbort(bool abort);

// Called with the text of every tracer box before it is shown (null: none). Tests install one
// that fails the running test.
using TracerObserver = void (*)(std::u16string_view text);
void SetTracerObserver(TracerObserver observer);

// "Array::<operation> index (<index>) out of range (<size>)" as a programming error.
void TraceIndexOutOfRange(const char* operation, int index, int size);

// A box whose caption is "<file name> : <line>" and whose text is `text`. `sourceFile` is the
// caller's __FILE__.
void LocatedBox(std::u16string_view text, std::string_view sourceFile, int line);
