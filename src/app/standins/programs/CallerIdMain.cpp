// The caller-ID program (Velmora CallerID.exe): logs its command line, owns the window of class
// "CALLERID_MAINCLASS" and logs every message the window gets (the window system's own WM_CREATE
// and WM_DESTROY aside) until WM_CLOSE or the device is removed. "/SHUTDOWN" asks the running one
// to close and ends (logging "not running" when there is none); a second start while one runs logs "already running"
// and ends.
#include "app/standins/support/Standin.h"
#include "platform/loop/EventLoop.h"
#include "platform/window/Window.h"

namespace {

constexpr std::u16string_view kClass = u"CALLERID_MAINCLASS";

bool IsShutdown(std::u16string_view commandLine) {
    while (!commandLine.empty() && commandLine.back() == u' ') commandLine.remove_suffix(1);
    while (!commandLine.empty() && commandLine.front() == u' ') commandLine.remove_prefix(1);
    constexpr std::u16string_view kShutdown = u"/SHUTDOWN";
    if (commandLine.size() != kShutdown.size()) return false;
    for (size_t i = 0; i < kShutdown.size(); ++i) {
        const char16_t c = commandLine[i] >= u'a' && commandLine[i] <= u'z' ? commandLine[i] - 32 : commandLine[i];
        if (c != kShutdown[i]) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const auto start = standin::BeginProgram(argc, argv);
    if (!start) return 2;
    plat::EnsureApplication();
    const plat::HWND running = plat::FindWindow(kClass);
    if (IsShutdown(start->commandLine)) {
        if (running == 0) return standin::NotRunning(start->name);
        return plat::PostMessage(running, plat::WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (running != 0) return standin::AlreadyRunning(start->name);
    bool closing = false;
    const std::u16string name = start->name;
    const plat::WndProc procedure = [&](plat::HWND, uint32_t message, plat::WPARAM wParam,
                                        plat::LPARAM lParam) -> plat::LRESULT {
        if (message == plat::WM_CREATE || message == plat::WM_DESTROY) return 0;
        standin::LogMessage(name, message, wParam, lParam);
        if (message == plat::WM_CLOSE) closing = true;
        return 0;
    };
    const plat::HWND window = plat::CreateWindow(kClass, u"Caller ID", procedure);
    if (window == 0) return 1;
    standin::ServeUntil(closing);
    (void)plat::DestroyWindow(window);  // the program ends either way
    return 0;
}
