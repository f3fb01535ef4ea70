#include "platform/ui/MessageBox.h"

#include <cstdio>
#include <mutex>

#include "platform/device/Device.h"
#include "platform/device/HostFiles.h"
#include "platform/text/Escape.h"
#include "platform/text/Utf.h"

namespace plat {

namespace {

struct HandlerSlot {
    std::mutex mutex;
    MessageBoxHandler handler;
};

HandlerSlot& Slot() {
    static HandlerSlot slot;
    return slot;
}

// One line a box: caption TAB text TAB flags (hexadecimal), with the text's control characters
// written as escapes so that every box stays on its line.
std::string LogLine(std::u16string_view text, std::u16string_view caption, uint32_t flags) {
    char hexFlags[16];
    std::snprintf(hexFlags, sizeof hexFlags, "0x%X", flags);
    return EscapeControls(ToUtf8(caption)) + '\t' + EscapeControls(ToUtf8(text)) + '\t' + hexFlags + '\n';
}

void Record(std::u16string_view text, std::u16string_view caption, uint32_t flags) {
    const std::string line = LogLine(text, caption, flags);
    const auto file = HasCurrentDevice() ? CurrentDevice().HostPath(u"\\Windows\\messagebox.log") : std::nullopt;
    if (file && AppendToRegularFile(*file, line)) return;
    std::fputs(("message box: " + line).c_str(), stderr);  // no device to record it on
}

}  // namespace

int DefaultMessageBoxAnswer(uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL: return IDYES;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        case MB_RETRYCANCEL: return IDRETRY;
        default: return IDOK;
    }
}

int RecordMessageBox(std::u16string_view text, std::u16string_view caption, uint32_t flags) {
    Record(text, caption, flags);
    return DefaultMessageBoxAnswer(flags);
}

int MessageBox(std::u16string_view text, std::u16string_view caption, uint32_t flags) {
    MessageBoxHandler handler;
    {
        std::lock_guard lock(Slot().mutex);
        handler = Slot().handler;
    }
    return handler ? handler(text, caption, flags) : RecordMessageBox(text, caption, flags);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard lock(Slot().mutex);
    Slot().handler = std::move(handler);
}

}  // namespace plat
