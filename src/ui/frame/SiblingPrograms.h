#pragma once
// The family's sibling programs that the command-line switches start: the dialler and the call
// history from the program folder, or the platform's own phone program as the dialler when the
// settings ask for the system dialler.
#include <string_view>

inline constexpr std::u16string_view kFamilyDialler = u"Velmora Dialer.exe";
inline constexpr std::u16string_view kFamilyHistory = u"Velmora History.exe";

struct DiallerStart {
    bool systemDialler = false;  // the platform's phone program was asked for (the caller minimises)
    bool started = false;
};

// `SysDialer` 1: starts the platform's phone program; otherwise the family dialler. A program
// that cannot be started is logged.
DiallerStart StartDialler();

// Starts the family's call history. False (and logged) when it cannot be started.
[[nodiscard]] bool StartHistory();
