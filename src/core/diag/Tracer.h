#pragma once
// The two diagnostic boxes: the tracer box (captioned "Brevane Tracer") for programming errors,
// after which the program goes on, and the located box, captioned with the caller's source file
// name (without its folder) and line.
#include <string_view>

void TracerBox(std::u16string_view text);

// "Array::<operation> index (<index>) out of range (<size>)" in the tracer box.
void TraceIndexOutOfRange(const char* operation, int index, int size);

// A box whose caption is "<file name> : <line>" and whose text is `text`. `sourceFile` is the
// caller's __FILE__.
void LocatedBox(std::u16string_view text, std::string_view sourceFile, int line);
