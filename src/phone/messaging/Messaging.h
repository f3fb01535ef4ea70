#pragma once
// Messages, mail and web pages go through the platform's programs: the messaging program is
// started with a command line that opens a new e-mail or SMS, the browser with a web address.
// docs/messaging.md lists every command line and registry value used.
#include <cstdint>
#include <string_view>

#include "core/str/Str.h"

// The longest number and name an SMS is addressed with; longer ones are left out.
inline constexpr int kMaxSmsNumber = 199;
inline constexpr int kMaxSmsName = 255;

// The platform's messaging program: value "1" of HKLM "Software\Microsoft\Shell\Rai\:MSINBOX"
// (the key is created when missing) without its double quotes, or "tmail.exe" when that is empty.
Str MailProgram();

// The arguments of a new e-mail: -To "address". Double quotes are taken out of the address, so
// it stays one quoted argument.
Str EmailArguments(std::u16string_view address);
// The arguments of a new SMS: -service "SMS" -To "name<number>", or -To "number" without a name.
// The number keeps only "+1234567890"; the name loses ",;[]{}<>:" and double quotes. A number
// longer than 199 or a name longer than 255 characters is left out.
Str SmsArguments(std::u16string_view number, std::u16string_view name);

// Start the messaging program, or "pmail.exe" when it cannot be started. True when one started.
[[nodiscard]] bool SendEmail(std::u16string_view address);
[[nodiscard]] bool SendSms(std::u16string_view number, std::u16string_view name);

// Starts "iexplore.exe" with the address as its command line; when it cannot be started a box
// says "Cannot find Iexplore.exe". True when it started.
[[nodiscard]] bool OpenWeb(std::u16string_view address);

// The shell's "open" verb on a device file; false when it does not exist.
[[nodiscard]] bool OpenDocument(std::u16string_view path);

// The platform's counters: "Count" of HKCU "System\State\Messages\sms\Unread" and "Missed Call
// Count" of HKCU "System\State\Phone"; 0 when missing or not a REG_DWORD.
uint32_t UnreadSmsCount();
uint32_t MissedCallCount();
