#include "app/standins/support/Standin.h"

#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/device/Device.h"
#include "platform/loop/EventLoop.h"
#include "platform/pom/ProgramLog.h"
#include "platform/programs/ProgramLine.h"
#include "platform/text/Utf.h"

namespace fs = std::filesystem;

namespace standin {
namespace {

constexpr int kRootCheckMs = 1000;

bool UseDevice(const fs::path& root) {
    std::error_code ec;
    if (root.empty() || !fs::is_directory(root, ec)) return false;
    try {
        plat::SetCurrentDevice(std::make_unique<plat::Device>(root));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool RootExists() {
    std::error_code ec;
    return fs::is_directory(plat::CurrentDevice().Root(), ec);
}

// <root>/Windows/<library> gives <root>: the device the library is installed in.
std::optional<fs::path> InstalledRoot(const void* anchor) {
    Dl_info info{};
    if (dladdr(anchor, &info) == 0 || info.dli_fname == nullptr) return std::nullopt;
    const fs::path folder = fs::path(info.dli_fname).parent_path();
    const std::u16string name = plat::FromUtf8(folder.filename().string());
    if (name.size() != 7) return std::nullopt;
    for (size_t i = 0; i < name.size(); ++i) {
        if ((name[i] | 0x20) != u"windows"[i]) return std::nullopt;
    }
    return folder.parent_path();
}

}  // namespace

std::optional<ProgramStart> BeginProgram(int argc, char** argv) {
    if (argc < 1 || !UseDevice(plat::ChooseRoot(std::nullopt))) return std::nullopt;
    ProgramStart start{plat::FromUtf8(fs::path(argv[0]).filename().string()),
                       argc > 1 ? plat::FromUtf8(argv[1]) : std::u16string()};
    (void)plat::LogProgramStart(start.name, start.commandLine);  // a log line lost loses no work
    return start;
}

int AlreadyRunning(std::u16string_view program) {
    LogCall(program, u"already running", {});
    return 0;
}

int NotRunning(std::u16string_view program) {
    LogCall(program, u"not running", {});
    return 0;
}

void ServeUntil(const bool& closing) {
    // A wait that times out only lets the loop look at the root again.
    while (!closing && RootExists()) (void)plat::RunUntil([&] { return closing; }, kRootCheckMs);
}

void LogMessage(std::u16string_view program, uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    LogCall(program, u"message",
            {Number(message), Number(static_cast<int64_t>(wParam)), Number(static_cast<int64_t>(lParam))});
}

void AttachDevice(const char* root) {
    if (root != nullptr) UseDevice(root);
}

bool HaveLibraryDevice(const void* anchor) {
    if (plat::HasCurrentDevice()) return true;
    const auto installed = InstalledRoot(anchor);
    return (installed && UseDevice(*installed)) || UseDevice(plat::ChooseRoot(std::nullopt));
}

void LogCall(std::u16string_view library, std::u16string_view function, std::initializer_list<std::u16string> args) {
    const std::vector<std::u16string> list(args);
    (void)plat::LogLibraryCall(library, function, list);  // a log line lost loses no work
}

uint32_t RegistryDword(plat::Hive hive, std::u16string_view key, std::u16string_view name, uint32_t fallback) {
    try {
        const auto value = plat::DeviceRegistry().GetValue(hive, key, name);
        return value ? value->AsDword().value_or(fallback) : fallback;
    } catch (const plat::RegistryError&) {
        return fallback;
    }
}

bool SetRegistryDword(plat::Hive hive, std::u16string_view key, std::u16string_view name, uint32_t value) {
    try {
        return plat::DeviceRegistry().SetValue(hive, key, name, plat::RegValue::Dword(value));
    } catch (const plat::RegistryError&) {
        return false;
    }
}

std::u16string RegistryString(plat::Hive hive, std::u16string_view key, std::u16string_view name) {
    try {
        const auto value = plat::DeviceRegistry().GetValue(hive, key, name);
        return value ? value->AsString().value_or(std::u16string()) : std::u16string();
    } catch (const plat::RegistryError&) {
        return {};
    }
}

std::u16string Text(const char16_t* text) { return text != nullptr ? std::u16string(text) : u"(null)"; }

std::u16string Number(int64_t value) { return plat::FromUtf8(std::to_string(value)); }

}  // namespace standin
