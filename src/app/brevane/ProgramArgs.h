#pragma once
// The program's own arguments: brevane [--root DIR] [--demo] [TEXT...]. The words of TEXT,
// joined by single blanks, form the handheld command line handed to the main window.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ProgramArgs {
    std::optional<std::filesystem::path> root;
    bool demo = false;
    std::u16string commandLine;
};

inline constexpr const char* kProgramUsage = "usage: brevane [--root DIR] [--demo] [TEXT...]";

// Nothing when the arguments are wrong (--root without a folder, an unknown option before the
// text). Everything from the first word that is not an option on is text; "--" ends the options.
std::optional<ProgramArgs> ParseProgramArgs(const std::vector<std::string>& args);
