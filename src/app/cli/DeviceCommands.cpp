// init: creates the device at the chosen root with its built-in ringtones; --demo adds the sample
// contacts and the project's add-in.
#include <string_view>

#include "app/cli/Cli.h"
#include "app/cli/DemoContacts.h"
#include "app/cli/Session.h"
#include "categories/ringtones/BuiltinRingtones.h"
#include "ext/addins/AddinTable.h"
#include "platform/device/Device.h"
#include "platform/device/DeviceInit.h"
#include "platform/locale/Locale.h"
#include "platform/programs/Standins.h"
#include "platform/registry/Registry.h"

namespace cli {

namespace {

bool AllIn(std::string_view text, char low, char high) {
    for (const char c : text) {
        if (c < low || c > high) return false;
    }
    return true;
}

// "de_DE", "fil_PH" or a bare language ("de"); an encoding suffix (".UTF-8") is allowed.
bool IsLocaleName(const std::string& name) {
    const std::string normal = plat::NormalizeLocaleName(name);
    const std::string_view language = std::string_view(normal).substr(0, normal.find('_'));
    const std::string_view rest = std::string_view(normal).substr(language.size());
    const bool countryFits = rest.empty() || (rest.size() == 3 && AllIn(rest.substr(1), 'A', 'Z'));
    return language.size() >= 2 && language.size() <= 3 && AllIn(language, 'a', 'z') && countryFits;
}

// Installs the project's add-in as \Windows\CardExport.dll and registers it, when it is built.
void InstallDemoAddin(Context& context) {
    const auto built = plat::FindBuiltAddin("CardExport.dll");
    if (!built) {
        context.err << "the add-in CardExport.dll is not built: the demo device has no add-in\n";
        return;
    }
    const std::u16string key = std::u16string(kAddinsKey) + u"\\CardExport";
    plat::Registry& registry = plat::DeviceRegistry();
    if (!plat::InstallDeviceFile(plat::CurrentDevice(), *built, u"\\Windows\\CardExport.dll") ||
        !registry.SetValue(plat::Hive::LocalMachine, key, u"DLL", plat::RegValue::String(u"CardExport.dll")) ||
        !registry.SetValue(plat::Hive::LocalMachine, key, u"Menu", plat::RegValue::String(u"Save as vCard"))) {
        context.err << "the add-in CardExport.dll cannot be installed on the demo device\n";
        context.status = kFailed;
    }
}

// Adds the sample contacts the device does not hold yet and waits until the index has them; adds
// the project's add-in.
Status AddDemo(Context& context) {
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    InstallDemoAddin(context);
    const DemoAddResult result = AddDemoContacts(session.Manager(), DemoContacts::Everything());
    session.Changed(static_cast<uint32_t>(result.added));
    if (!result.ok) {
        session.Missed("a sample contact cannot be written whole (" + std::to_string(result.added) +
                       " were added)");
    }
    return session.Finish();
}

// A new device comes with the built-in ringtones, so the ringtone picker offers something.
void AddRingtones(Context& context, const std::filesystem::path& root) {
    if (InstallBuiltinRingtones(plat::Device(root))) return;
    context.err << "the built-in ringtones cannot all be written to the new device\n";
    context.status = kFailed;
}

Status Init(Context& context, const Args& args) {
    plat::InitOptions options;
    bool demo = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--demo") {
            demo = true;
        } else if (args[i] == "--no-phone") {
            options.phone = false;
        } else if (args[i] == "--locale" && i + 1 < args.size() && IsLocaleName(args[i + 1])) {
            options.locale = args[++i];
        } else {
            throw UsageError("");
        }
    }
    options.host = context.defaultRoot && !demo;
    const plat::InitResult made = plat::InitDevice(context.root, options);
    if (made.created) AddRingtones(context, made.root);
    if (demo) {
        if (Status added = AddDemo(context); !added) return added;
    }
    context.out << made.root.string() << "\n";
    return Status::Ok();
}

}  // namespace

void AddDeviceCommands(CommandTable& table) {
    table.push_back({"init", "[--demo] [--no-phone] [--locale LL_CC]",
                     "creates the device if it is new; prints its root",
                     "--demo          adds the 300 sample contacts and 6 SIM card entries that are missing,\n"
                     "                and the add-in\n"
                     "--no-phone      a device without a phone\n"
                     "--locale LL_CC  the device's locale (default: from LANG)",
                     "", Init});
}

}  // namespace cli
