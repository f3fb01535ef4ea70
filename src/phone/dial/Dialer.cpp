#include "phone/dial/Dialer.h"

#include <span>

#include "phone/dial/CallPolBlock.h"
#include "phone/dial/DialCountdown.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/DialerAddIn.h"
#include "phone/dial/PhoneService.h"
#include "phone/dial/ToneDialer.h"
#include "phone/messaging/HostHandlers.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/window/Window.h"
#include "store/contact/Contact.h"

uint32_t Dialer::ResolveMethod(uint32_t method) const {
    return ResolveDialMethod(method, StoredDialMethod(), IsPhoneDevice(), hooks_.addIn != nullptr);
}

plat::Sleeper& Dialer::Sleeper() const { return hooks_.sleeper ? *hooks_.sleeper : plat::RealSleeper(); }

int Dialer::Dial(plat::HWND owner, const Str& number, const Contact* contact, uint32_t method,
                 const Str& calledParty) {
    const uint32_t resolved = ResolveMethod(method);
    if (number.IsEmpty() || resolved == kDialNone) return 0;
    switch (resolved) {
        case kDialJustCall: return CallService(number, contact, calledParty);
        case kDialSound: return ToneDial(number);
        case kDialAddIn: return AddInDial(owner, contact);
        default: return kDialUnknownMethod;
    }
}

bool SendServiceCode(const Str& number) {
    const plat::HWND window = plat::FindWindow(kCallPolClass);
    if (window == 0) return false;
    const std::vector<uint8_t> block = BuildCallPolBlock(number.View());
    plat::COPYDATASTRUCT data;
    data.dwData = kCallPolMessage;
    data.cbData = static_cast<uint32_t>(block.size());
    data.lpData = block.data();
    plat::SendMessage(window, plat::WM_COPYDATA, 0, reinterpret_cast<plat::LPARAM>(&data));
    return true;
}

int Dialer::CallService(const Str& number, const Contact* contact, const Str& calledParty) {
    if (IsServiceCode(number.View())) return SendServiceCode(number) ? 0 : kDialMissing;
    if (!PhoneCallAvailable()) return kDialMissing;
    const Str party = calledParty.IsEmpty() && contact != nullptr ? CalledPartyOf(*contact) : calledParty;
    if (hooks_.beforeCall) hooks_.beforeCall();
    // Without the phone program the call below fails and says so.
    (void)EnsurePhoneProgram(kPhoneProgramWaitMs, Sleeper());
    const std::optional<int32_t> result = PhoneMakeCall(number.View(), party.View());
    // The call went to the host's programs; a host without one for calls says so.
    if (result == 0) (void)hosthandlers::SayWhenNoHostProgram("tel");
    return result ? *result : kDialMissing;
}

int Dialer::ToneDial(const Str& number) {
    DialCountdown countdown(number);
    if (hooks_.countdown) {
        hooks_.countdown(countdown);
    } else {
        while (!countdown.Finished() && !countdown.Cancelled()) {
            Sleeper().Sleep(DialCountdown::kStepMs);
            (void)countdown.Tick();  // the loop asks Finished itself
        }
    }
    if (countdown.Finished()) PlayTones(number.View(), Sleeper());
    return 0;
}

int Dialer::AddInDial(plat::HWND owner, const Contact* contact) {
    if (!contact || !hooks_.addIn) return kDialMissing;
    const uint32_t items[] = {ContactItem(contact->GetRecordId())};
    return hooks_.addIn->Invoke(owner, items) ? 0 : kDialFailed;
}

Dialer& TheDialer() {
    static Dialer dialer;
    return dialer;
}

Str CalledPartyOf(const Contact& contact) {
    const Str& fileAs = contact.GetText(kFieldFileAs);
    return fileAs.IsEmpty() ? contact.GetDisplayName() : fileAs;
}
