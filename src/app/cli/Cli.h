#pragma once
// The command-line tool's frame: global options, the command table, exit codes, help.
#include <filesystem>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/result/Result.h"
#include "core/result/Status.h"

namespace cli {

// Exit statuses of the tool: done; the request failed (nothing changed); the command line is
// wrong; done, but parts of the input could not be read and were left out (import).
inline constexpr int kDone = 0, kFailed = 1, kWrongUsage = 2, kDoneWithSkips = 3;

using Args = std::vector<std::string>;

// The command line is wrong: the tool prints "usage: brevane-cli " + the usage text (the
// command's own when empty), then the reason when there is one, and exits 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& usage, std::string reason = {})
        : std::runtime_error(usage), reason_(std::move(reason)) {}
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

// An argument of the command that cannot be used, with what is wrong with it.
inline UsageError BadArgument(std::string reason) { return UsageError("", std::move(reason)); }

// The request failed: a command returns this status, and the tool prints its message (UTF-8) and
// exits 1. The message says what was done when anything was (a command that stores part of its
// work never reports that part as failed, nor the failed part as done).
Status Fail(const std::string& message);
// The message of a failed status, as the tool prints it.
std::string MessageOf(const Status& status);

struct Context {
    std::filesystem::path root;  // chosen by --root, BREVANE_ROOT or the default
    std::ostream& out;
    std::ostream& err;
    // The exit status of a command that ends normally: kDoneWithSkips for an import that left
    // parts out, kFailed (after a message on `err`) when part of the work failed after the
    // command's result was printed, as a session's last index save.
    int status = kDone;
    // The root is the user's own device (neither --root nor BREVANE_ROOT chose it).
    bool defaultRoot = false;
};

struct Command {
    std::string name;
    std::string usage;    // the arguments after the name, for the usage line
    std::string summary;  // one line: what the command does
    // `COMMAND --help`: the arguments and what is printed, a line each ("" for none), and the exit
    // statuses beyond 0, 1 and 2 ("" for none).
    std::string details;
    std::string exits;
    // Returns the command's failure, or success; throws UsageError for a wrong command line.
    std::function<Status(Context&, const Args&)> run;
};

// Makes the device at the context's root the current device; fails when there is no initialised
// device there or its registry is damaged. Commands call it once their arguments are checked.
Status OpenDevice(const Context& context);

// A group of commands adds its commands to the table (one group per source file).
using CommandTable = std::vector<Command>;
void AddDeviceCommands(CommandTable& table);
void AddRegistryCommands(CommandTable& table);
void AddViewCommands(CommandTable& table);
void AddContactCommands(CommandTable& table);
void AddListCommands(CommandTable& table);
void AddCategoryCommands(CommandTable& table);
void AddIndexCommands(CommandTable& table);
void AddPhoneCommands(CommandTable& table);
void AddMessagingCommands(CommandTable& table);
void AddSyncCommands(CommandTable& table);
void AddMergeCommands(CommandTable& table);

// Runs the tool on its arguments (without the program name) and returns the exit status.
int Run(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace cli
