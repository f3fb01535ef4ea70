// sms, email, web: the messaging program or the browser started as the program starts them.
#include "app/cli/Cli.h"
#include "core/str/Str.h"
#include "phone/messaging/Messaging.h"

namespace cli {

namespace {

Status Sms(Context& context, const Args& args) {
    if (args.empty() || args.size() > 2 || args[0].empty()) throw UsageError("");
    if (Status device = OpenDevice(context); !device) return device;
    const Str number = Str::FromUtf8(args[0]);
    const Str name = args.size() == 2 ? Str::FromUtf8(args[1]) : Str();
    if (!SendSms(number.View(), name.View())) return Fail("the messaging program cannot be started");
    return Status::Ok();
}

Status Email(Context& context, const Args& args) {
    if (args.size() != 1 || args[0].empty()) throw UsageError("");
    if (Status device = OpenDevice(context); !device) return device;
    if (!SendEmail(Str::FromUtf8(args[0]).View())) return Fail("the messaging program cannot be started");
    return Status::Ok();
}

Status Web(Context& context, const Args& args) {
    if (args.size() != 1 || args[0].empty()) throw UsageError("");
    if (Status device = OpenDevice(context); !device) return device;
    if (!OpenWeb(Str::FromUtf8(args[0]).View())) return Fail("the browser cannot be started");
    return Status::Ok();
}

}  // namespace

void AddMessagingCommands(CommandTable& table) {
    table.push_back({"sms", "NUMBER [NAME]", "starts the messaging program with a new SMS",
                     "NUMBER  the recipient's number\nNAME    the recipient's name", "", Sms});
    table.push_back({"email", "ADDRESS", "starts the messaging program with a new e-mail",
                     "ADDRESS  the recipient's address", "", Email});
    table.push_back({"web", "ADDRESS", "starts the browser", "ADDRESS  the page", "", Web});
}

}  // namespace cli
