#include "platform/programs/Process.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/device/Device.h"
#include "platform/objectstore/StoreErrors.h"
#include "platform/pom/ProgramLog.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/Spawn.h"
#include "platform/text/Utf.h"

namespace fs = std::filesystem;

namespace plat {
namespace {

bool HasFolder(std::u16string_view path) { return path.find_first_of(u"\\/") != std::u16string_view::npos; }

// How a device path becomes a host path: Device::HostPath for documents, Device::ProgramHostPath
// for programs.
using Mapping = std::optional<fs::path> (Device::*)(std::u16string_view) const;

// The host file of a device path that names an existing regular file.
std::optional<fs::path> ExistingFile(std::u16string_view devicePath, Mapping map) {
    if (!HasCurrentDevice()) {
        SetLastError(ERROR_FILE_NOT_FOUND, "there is no current device");
        return std::nullopt;
    }
    const auto host = (CurrentDevice().*map)(devicePath);
    std::error_code ec;
    if (!host || !fs::is_regular_file(*host, ec)) {
        SetLastError(ERROR_FILE_NOT_FOUND, ToUtf8(devicePath) + " does not exist on the device");
        return std::nullopt;
    }
    return host;
}

}  // namespace

std::u16string ProgramDevicePath(std::u16string_view program) {
    if (HasFolder(program)) return std::u16string(program);
    return u"\\Windows\\" + std::u16string(program);
}

bool StartProgram(std::u16string_view program, std::u16string_view commandLine) {
    const std::u16string devicePath = ProgramDevicePath(program);
    if (program.empty() || commandLine.find(u'\0') != std::u16string_view::npos) {
        SetLastError(ERROR_INVALID_PARAMETER, "a program needs a name and a command line without NUL");
        return false;
    }
    const auto host = ExistingFile(devicePath, &Device::ProgramHostPath);
    if (!host) return false;
    const int error = SpawnDetached(host->string(), {host->string(), ToUtf8(commandLine)},
                                    {"BREVANE_ROOT=" + CurrentDevice().Root().string()});
    if (error != 0) {
        SetLastError(ERROR_GEN_FAILURE, ToUtf8(devicePath) + " cannot be started: " + std::strerror(error));
        return false;
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

bool OpenDocument(std::u16string_view devicePath) {
    const auto host = ExistingFile(devicePath, &Device::HostPath);
    if (!host) return false;
    const std::u16string args[] = {u"open", std::u16string(devicePath)};
    (void)LogLibraryCall(u"coredll.dll", u"ShellExecuteEx", args);  // a log line lost loses no work
    (void)OpenOnDesktop(host->string());  // the host's desktop is a courtesy; the call is logged
    SetLastError(ERROR_SUCCESS);
    return true;
}

}  // namespace plat
