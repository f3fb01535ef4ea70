#pragma once
// A contact's note as text: the note block holds the text in UTF-16LE without a terminator
// (StdContact::GetNoteText reads it back up to the first NUL unit).
#include <string_view>

#include "store/contact/ByteBlock.h"

ByteBlock NoteFromText(std::u16string_view text);
