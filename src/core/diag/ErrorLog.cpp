#include "core/diag/ErrorLog.h"

#include "platform/device/Device.h"
#include "platform/device/HostFiles.h"

namespace {

// One byte per character; what is not ASCII becomes "?". The text ends at a NUL.
void AppendNarrow(std::string& out, std::u16string_view text) {
    for (char16_t ch : text) {
        if (ch == 0) break;
        out += ch < 0x80 ? static_cast<char>(ch) : '?';
    }
}

}  // namespace

std::u16string ErrorLogPath() {
    if (plat::HasCurrentDevice()) {
        const std::u16string& module = plat::CurrentDevice().ModulePath();
        if (!module.empty()) return module + u".log";
    }
    return u"\\error.log";
}

std::string ErrorLogLine(std::u16string_view message, std::string_view module, int line,
                         std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[40];
    std::strftime(stamp, sizeof stamp, "%Y.%m.%d %H:%M:%S - ", &local);
    std::string out = stamp;
    AppendNarrow(out, message);
    if (!module.empty()) {
        out += "\t\t";
        for (char ch : module) out += static_cast<unsigned char>(ch) < 0x80 ? ch : '?';
        out += ":  (" + std::to_string(line) + ")";
    }
    out += "\r\n";
    return out;
}

void ErrorLog(std::u16string_view message, std::string_view module, int line) {
    try {
        if (!plat::HasCurrentDevice()) return;
        const auto file = plat::CurrentDevice().HostPath(ErrorLogPath());
        // As below: a log line that cannot be written is lost.
        if (file)
            (void)plat::AppendToRegularFile(*file, ErrorLogLine(message, module, line, std::time(nullptr)));
    } catch (...) {
        // The log is the channel of last resort: a failure to write it is not reported.
    }
}
