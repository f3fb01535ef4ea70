// The phone program of the device (cprog.exe): logs its command line and owns the windows of the
// classes "MSCprog" and "MSCProg" until one of them gets WM_CLOSE or the device is removed. A
// second start while it runs logs "already running" and ends.
#include "app/standins/support/Standin.h"
#include "platform/loop/EventLoop.h"
#include "platform/window/Window.h"

int main(int argc, char** argv) {
    const auto start = standin::BeginProgram(argc, argv);
    if (!start) return 2;
    plat::EnsureApplication();
    if (plat::FindWindow(u"MSCprog") != 0) return standin::AlreadyRunning(start->name);
    bool closing = false;
    const plat::WndProc procedure = [&](plat::HWND, uint32_t message, plat::WPARAM, plat::LPARAM) -> plat::LRESULT {
        if (message == plat::WM_CLOSE) closing = true;
        return 0;
    };
    const plat::HWND main = plat::CreateWindow(u"MSCprog", u"Phone", procedure);
    const plat::HWND ready = plat::CreateWindow(u"MSCProg", u"Phone", procedure);
    if (main != 0 && ready != 0) standin::ServeUntil(closing);
    if (ready != 0) (void)plat::DestroyWindow(ready);  // the program ends either way
    if (main != 0) (void)plat::DestroyWindow(main);
    return main != 0 && ready != 0 ? 0 : 1;
}
