#include "phone/messaging/Messaging.h"

#include "phone/messaging/HostHandlers.h"
#include "phone/messaging/ShellRegistry.h"
#include "phone/templates/PhoneText.h"
#include "platform/programs/Process.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr std::u16string_view kInboxKey = u"Software\\Microsoft\\Shell\\Rai\\:MSINBOX";
constexpr std::u16string_view kInboxProgram = u"1";
constexpr std::u16string_view kDefaultMailProgram = u"tmail.exe";
constexpr std::u16string_view kFallbackMailProgram = u"pmail.exe";
constexpr std::u16string_view kBrowser = u"iexplore.exe";
// The platform's own wording when the browser is missing; the box has no caption.
constexpr std::u16string_view kNoBrowser = u"Cannot find Iexplore.exe";

constexpr std::u16string_view kSmsNumberChars = u"+1234567890";
constexpr std::u16string_view kSmsNameDropped = u",;[]{}<>:\"";

constexpr std::u16string_view kUnreadSmsKey = u"System\\State\\Messages\\sms\\Unread";
constexpr std::u16string_view kUnreadSmsValue = u"Count";
constexpr std::u16string_view kPhoneStateKey = u"System\\State\\Phone";
constexpr std::u16string_view kMissedCallsValue = u"Missed Call Count";

bool StartMailProgram(const Str& arguments) {
    return plat::StartProgram(MailProgram().View(), arguments.View()) ||
           plat::StartProgram(kFallbackMailProgram, arguments.View());
}

uint32_t Counter(std::u16string_view key, std::u16string_view name) {
    return shellreg::GetDword(plat::Hive::CurrentUser, key, name).value_or(0);
}

}  // namespace

Str MailProgram() {
    // Without the key the program reads as none.
    (void)shellreg::CreateKey(plat::Hive::LocalMachine, kInboxKey);
    const std::u16string program =
        shellreg::GetString(plat::Hive::LocalMachine, kInboxKey, kInboxProgram).value_or(u"");
    const Str unquoted = phonetext::Without(program, u"\"");
    return unquoted.IsEmpty() ? Str(kDefaultMailProgram) : unquoted;
}

Str EmailArguments(std::u16string_view address) {
    return u"-To \"" + phonetext::Without(address, u"\"") + u"\"";
}

Str SmsArguments(std::u16string_view number, std::u16string_view name) {
    Str digits = phonetext::Only(number, kSmsNumberChars);
    Str cleanName = phonetext::Without(name, kSmsNameDropped);
    if (digits.GetLength() > kMaxSmsNumber) digits.Empty();
    if (cleanName.GetLength() > kMaxSmsName) cleanName.Empty();
    const Str to = cleanName.IsEmpty() ? digits : cleanName + u"<" + digits + u">";
    return u"-service \"SMS\" -To \"" + to + u"\"";
}

bool SendEmail(std::u16string_view address) { return StartMailProgram(EmailArguments(address)); }

bool SendSms(std::u16string_view number, std::u16string_view name) {
    if (!StartMailProgram(SmsArguments(number, name))) return false;
    // The message went to the host's programs; a host without a messenger says so.
    (void)hosthandlers::SayWhenNoHostProgram("sms");
    return true;
}

bool OpenWeb(std::u16string_view address) {
    if (plat::StartProgram(kBrowser, address)) return true;
    plat::MessageBox(kNoBrowser, u"", plat::MB_OK);
    return false;
}

bool OpenDocument(std::u16string_view path) { return plat::OpenDocument(path); }

uint32_t UnreadSmsCount() { return Counter(kUnreadSmsKey, kUnreadSmsValue); }

uint32_t MissedCallCount() { return Counter(kPhoneStateKey, kMissedCallsValue); }
