#include "app/cli/Cli.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>

#include "platform/device/Device.h"
#include "platform/device/DeviceInit.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/registry/Registry.h"
#include "platform/text/Utf.h"

namespace cli {

namespace {

constexpr const char* kProgram = "brevane-cli";

CommandTable AllCommands() {
    CommandTable table;
    AddDeviceCommands(table);
    AddRegistryCommands(table);
    AddViewCommands(table);
    AddContactCommands(table);
    AddListCommands(table);
    AddCategoryCommands(table);
    AddIndexCommands(table);
    AddPhoneCommands(table);
    AddMessagingCommands(table);
    AddSyncCommands(table);
    AddMergeCommands(table);
    return table;
}

std::string GeneralUsage(const CommandTable& table) {
    std::string usage = "[--root DIR] COMMAND [ARGS...]; commands:";
    const char* separator = " ";
    for (const Command& command : table) {
        usage += separator + command.name;
        separator = ", ";
    }
    return usage;
}

constexpr const char* kExitStatuses =
    "exit status: 0 done; 1 the request failed (standard error says why, and what was done when\n"
    "  anything was); 2 the command line is wrong (standard error shows the usage)";

// `brevane-cli --help`: the usage, then each command with its line.
void PrintHelp(const CommandTable& table, std::ostream& out) {
    out << "usage: " << kProgram << " [--root DIR] COMMAND [ARGS...]\n"
        << "       " << kProgram << " COMMAND --help    (that command's arguments and exit statuses)\n"
        << "The device is DIR, else $BREVANE_ROOT, else the default device. Text is UTF-8; object\n"
        << "identifiers (OID) are lower-case hexadecimal. docs/cli.md is the full reference.\n\ncommands:\n";
    size_t width = 0;
    for (const Command& command : table) width = std::max(width, command.name.size());
    for (const Command& command : table) {
        out << "  " << command.name << std::string(width + 2 - command.name.size(), ' ') << command.summary
            << "\n";
    }
    out << "\n" << kExitStatuses << "\n";
}

// `brevane-cli COMMAND --help`: its usage and line, its arguments, its exit statuses.
void PrintCommandHelp(const Command& command, std::ostream& out) {
    out << "usage: " << kProgram << " " << command.name << (command.usage.empty() ? "" : " ") << command.usage
        << "\n"
        << command.summary << "\n";
    if (!command.details.empty()) out << "\n" << command.details << "\n";
    out << "\n" << kExitStatuses << (command.exits.empty() ? "" : "; ") << command.exits << "\n";
}

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// Takes the global options off the front of the arguments.
std::optional<std::filesystem::path> TakeGlobalOptions(Args& args, bool& help) {
    std::optional<std::filesystem::path> root;
    size_t used = 0;
    while (used < args.size() && args[used].starts_with("-")) {
        const std::string& option = args[used];
        if (option == "--root" && used + 1 < args.size() && !args[used + 1].empty()) {
            root = args[used + 1];
            used += 2;
        } else if (option.starts_with("--root=") && option.size() > 7) {
            root = option.substr(7);
            used += 1;
        } else if (IsHelpOption(option)) {
            help = true;
            used += 1;
        } else {
            throw UsageError("");
        }
    }
    args.erase(args.begin(), args.begin() + static_cast<long>(used));
    return root;
}

// A page of the store that could not be read while the command ran (a contact drawn as "Unnamed", a
// category left out) makes whatever it printed untrustworthy: the command fails, naming the page.
// `said` is what the command's own failure said already.
int ReportDamage(Context& context, uint64_t damageBefore, std::string_view said = {}) {
    const plat::VolumeDamage damage = plat::VolumeDamageSeen();
    if (damage.count == damageBefore) return context.status;
    if (said.find(damage.message) == std::string_view::npos)
        context.err << kProgram << ": " << damage.message << "\n";
    return kFailed;
}

int Dispatch(const CommandTable& table, Args args, Context& context) {
    const std::string name = args.front();
    args.erase(args.begin());
    for (const Command& command : table) {
        if (command.name != name) continue;
        if (!args.empty() && IsHelpOption(args.front())) {
            PrintCommandHelp(command, context.out);
            return kDone;
        }
        const uint64_t damage = plat::VolumeDamageSeen().count;
        try {
            const Status done = command.run(context, args);
            if (done) return ReportDamage(context, damage);
            const std::string message = MessageOf(done);
            context.err << kProgram << ": " << message << "\n";
            context.status = kFailed;
            return ReportDamage(context, damage, message);
        } catch (const UsageError& error) {
            const std::string usage = *error.what() != '\0' ? error.what() : command.name + " " + command.usage;
            context.err << "usage: " << kProgram << " " << usage << "\n";
            if (!error.Reason().empty()) context.err << kProgram << ": " << error.Reason() << "\n";
            return kWrongUsage;
        } catch (const std::exception& error) {
            context.err << kProgram << ": " << error.what() << "\n";
            context.status = kFailed;
            return ReportDamage(context, damage, error.what());
        }
    }
    context.err << "usage: " << kProgram << " " << GeneralUsage(table) << "\n";
    return kWrongUsage;
}

}  // namespace

Status Fail(const std::string& message) { return Status::Failed(plat::FromUtf8(message)); }

std::string MessageOf(const Status& status) { return plat::ToUtf8(status.Message()); }

Status OpenDevice(const Context& context) {
    const std::string missing = "no device at " + context.root.string() + " (create one with: " + kProgram + " init)";
    std::error_code ec;
    if (!std::filesystem::is_directory(context.root, ec)) return Fail(missing);
    auto device = std::make_unique<plat::Device>(context.root);
    if (!std::filesystem::exists(plat::DeviceRegistryFile(*device), ec)) return Fail(missing);
    plat::SetCurrentDevice(std::move(device));
    // Opened (and checked) now: a damaged registry is reported, not read as all defaults.
    try {
        plat::DeviceRegistry();
    } catch (const plat::RegistryError& error) {
        return Fail(error.what());
    }
    return Status::Ok();
}

int Run(const Args& arguments, std::ostream& out, std::ostream& err) {
    const CommandTable table = AllCommands();
    try {
        Args args = arguments;
        bool help = false;
        const auto root = TakeGlobalOptions(args, help);
        if (help && args.empty()) {
            PrintHelp(table, out);
            return kDone;
        }
        if (help) args.insert(args.begin() + 1, "--help");
        if (args.empty()) throw UsageError("");
        Context context{plat::ChooseRoot(root), out, err};
        context.defaultRoot = plat::IsDefaultRoot(root);
        return Dispatch(table, std::move(args), context);
    } catch (const UsageError&) {
        err << "usage: " << kProgram << " " << GeneralUsage(table) << "\n";
        return kWrongUsage;
    } catch (const std::exception& error) {
        err << kProgram << ": " << error.what() << "\n";
        return kFailed;
    }
}

}  // namespace cli
