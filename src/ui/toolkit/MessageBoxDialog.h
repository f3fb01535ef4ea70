#pragma once
// The program's message boxes: every box of the system (plat::MessageBox, the tracer and the
// located error boxes) is shown as a modal Qt message box with the caption given, the buttons
// and icon of its flags, and answers with the handheld's button codes.
#include <cstdint>
#include <string_view>

// Makes ShowMessageBox the handler of plat::MessageBox for this process.
void InstallMessageBoxDialog();

// Shows the box and waits for the answer (IDOK, IDCANCEL, IDYES, ...). Closing it without a
// button answers as its Cancel or No button would, or IDOK when it has neither.
int ShowMessageBox(std::u16string_view text, std::u16string_view caption, uint32_t flags);
