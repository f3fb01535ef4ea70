#include "platform/pom/ProgramLog.h"

#include "platform/device/Device.h"
#include "platform/device/HostFiles.h"
#include "platform/text/Escape.h"
#include "platform/text/Utf.h"

namespace plat {
namespace {

std::string LocalStamp(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    return stamp;
}

std::string Field(std::u16string_view text) { return EscapeControls(ToUtf8(text)); }

}  // namespace

std::string LibraryCallLine(std::u16string_view library, std::u16string_view function,
                            std::span<const std::u16string> args, std::time_t when) {
    // Appended piece by piece: no temporary strings, and nothing GCC's -O3 misreads as overlapping.
    std::string line = LocalStamp(when);
    const auto field = [&line](std::u16string_view text) { line.append(1, '\t').append(Field(text)); };
    field(library);
    field(function);
    for (const std::u16string& arg : args) field(arg);
    line += '\n';
    return line;
}

bool LogLibraryCall(std::u16string_view library, std::u16string_view function,
                    std::span<const std::u16string> args) {
    if (!HasCurrentDevice()) return false;
    const auto path = CurrentDevice().HostPath(kProgramLogPath);
    if (!path) return false;
    return AppendToRegularFile(*path, LibraryCallLine(library, function, args, std::time(nullptr)));
}

}  // namespace plat
