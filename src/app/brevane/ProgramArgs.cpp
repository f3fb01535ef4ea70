#include "app/brevane/ProgramArgs.h"

#include "core/str/Str.h"

std::optional<ProgramArgs> ParseProgramArgs(const std::vector<std::string>& args) {
    ProgramArgs parsed;
    size_t at = 0;
    for (; at < args.size(); ++at) {
        const std::string& arg = args[at];
        if (arg == "--") {
            ++at;
            break;
        }
        if (arg == "--demo") {
            parsed.demo = true;
        } else if (arg == "--root") {
            if (++at == args.size() || args[at].empty()) return std::nullopt;
            parsed.root = args[at];
        } else if (arg.rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            break;
        }
    }
    for (size_t first = at; at < args.size(); ++at) {
        if (at > first) parsed.commandLine += u' ';
        parsed.commandLine += Str::FromUtf8(args[at]).View();
    }
    return parsed;
}
