// dial: places a call as the program does, through the calling card and dial method in force.
#include <optional>
#include <span>
#include <string>

#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "ext/addins/AddinAbi.h"
#include "ext/addins/AddinManager.h"
#include "phone/dial/CallingCards.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/DialString.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/DialerAddIn.h"
#include "phone/dial/EditDialModel.h"
#include "phone/menu/DefaultNumber.h"
#include "store/contact/Contact.h"

namespace cli {

namespace {

struct DialRequest {
    std::string target;
    std::optional<std::string> card;
    bool sound = false;
};

DialRequest ParseDial(const Args& args) {
    DialRequest request;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sound") {
            request.sound = true;
        } else if (args[i] == "--card" && i + 1 < args.size() && !request.card) {
            request.card = args[++i];
        } else if (request.target.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0) {
            request.target = args[i];
        } else {
            throw UsageError("");
        }
    }
    if (request.target.empty()) throw UsageError("");
    return request;
}

// The registered dialler add-in, run through the add-in manager as the program runs it.
class ManagerDialerAddIn : public DialerAddIn {
public:
    ManagerDialerAddIn(AddinManager& manager, uint32_t command) : manager_(manager), command_(command) {}
    Str Name() const override { return manager_.Addins()[command_ - addin::kFirstCommandId].menu; }
    bool Invoke(plat::HWND, std::span<const uint32_t> items) override { return manager_.Invoke(command_, items); }

private:
    AddinManager& manager_;
    uint32_t command_;
};

// The format of the card named NAME (or shown as NAME); the built-in card has none.
Result<Str> CardFormat(const std::string& name) {
    CallingCards cards;
    cards.Load();
    const Str wanted = Str::FromUtf8(name);
    int index = cards.FindShown(wanted);
    if (index < 0) index = CallingCards::IsVoidName(wanted) ? 0 : cards.FindName(wanted);
    if (index < 0) return Fail("no calling card " + name);
    return cards.At(index).format;
}

Status Dial(Context& context, const Args& args) {
    const DialRequest request = ParseDial(args);
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    Contact contact;
    const std::optional<uint32_t> oid = TryParseOid(request.target);
    const bool isContact = oid && session.Manager().ReadContact(*oid, contact);
    Str number = Str::FromUtf8(request.target);
    if (isContact) {
        const std::optional<ContactNumber> found = DefaultNumber(contact);
        if (!found) return Fail("the contact " + request.target + " has no phone number");
        number = found->number;
    }
    if (request.card) {
        const Result<Str> format = CardFormat(*request.card);
        if (!format) return format.GetStatus();
        number = ComposeDialString(format.Value(), EditDialModel::DialCharactersOf(number));
    }
    if (number.IsEmpty()) return Fail("nothing to dial");
    AddinManager& addins = AddinManager::Instance();
    addins.Load(addin::kFirstCommandId);
    std::optional<ManagerDialerAddIn> dialerAddIn;
    if (addins.DialerAddInCommand() >= 0) {
        dialerAddIn.emplace(addins, static_cast<uint32_t>(addins.DialerAddInCommand()));
        TheDialer().Hooks().addIn = &*dialerAddIn;
    }
    const int result = TheDialer().Dial(0, number, isContact ? &contact : nullptr,
                                        request.sound ? kDialSound : 0, Str());
    TheDialer().Hooks().addIn = nullptr;
    context.out << result << "\n";
    if (result == kDialMissing) return Fail("the dial method's facility is missing on this device");
    if (result == kDialUnknownMethod) return Fail("unknown dial method");
    if (result == kDialFailed) return Fail("the dialler add-in could not dial");
    return Status::Ok();
}

}  // namespace

void AddPhoneCommands(CommandTable& table) {
    table.push_back({"dial", "OID|NUMBER [--card NAME] [--sound]",
                     "places a call as the program does; prints the result",
                     "OID|NUMBER   a contact (its default number) or a number\n"
                     "--card NAME  through that calling card\n--sound      tone dialling",
                     "", Dial});
}

}  // namespace cli
