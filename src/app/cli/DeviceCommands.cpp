// init: creates the device at the chosen root.
#include <string_view>

#include "app/cli/Cli.h"
#include "platform/device/DeviceInit.h"
#include "platform/locale/Locale.h"

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

void Init(Context& context, const Args& args) {
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
    if (demo) {
        throw Failure("--demo needs the contacts store, which this build does not have yet; "
                      "nothing was created (run init without --demo)");
    }
    context.out << plat::InitDevice(context.root, options).root.string() << "\n";
}

}  // namespace

void AddDeviceCommands(CommandTable& table) {
    table.push_back({"init", "[--demo] [--no-phone] [--locale LL_CC]", Init});
}

}  // namespace cli
