#pragma once
// The one platform call through which every message box, tracer box and located box goes. The
// program shows a dialog; the command-line tool and the tests record the boxes (and tests answer).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace plat {

// Button sets and icons of the handheld's MessageBox (the values callers pass in `flags`).
inline constexpr uint32_t MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                          MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF, MB_ICONERROR = 0x10,
                          MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40;
// Answers.
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

int MessageBox(std::u16string_view text, std::u16string_view caption, uint32_t flags);

// Replaces the handler (the program installs its dialog; tests install one that answers); an empty
// handler brings the default back. The default handler (RecordMessageBox) appends the box to
// \Windows\messagebox.log of the current device (standard error without a device) and answers
// DefaultMessageBoxAnswer.
using MessageBoxHandler = std::function<int(std::u16string_view text, std::u16string_view caption,
                                            uint32_t flags)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// The default handler. The log line is UTF-8: caption TAB text TAB flags ("0x24"), with tabs, line
// breaks and other control characters of caption and text written as \t, \n, \r and \xNN.
int RecordMessageBox(std::u16string_view text, std::u16string_view caption, uint32_t flags);

// The answer of an unattended box: IDYES for a Yes/No set, IDABORT for Abort/Retry/Ignore,
// IDRETRY for Retry/Cancel, else IDOK.
int DefaultMessageBoxAnswer(uint32_t flags);

}  // namespace plat
