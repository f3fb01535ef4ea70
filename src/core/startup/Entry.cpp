#include "core/startup/Entry.h"

#include <optional>

#include "core/diag/ErrorLog.h"
#include "core/startup/CommandLine.h"
#include "platform/window/Window.h"

plat::HWND FindRunningInstance() { return plat::FindWindow(kMainWindowClass); }

bool PostRequest(plat::HWND window, std::u16string_view commandLine) {
    const std::optional<WindowRequest> request = RequestFor(commandLine);
    if (!request) return true;
    return plat::PostMessage(window, request->message, request->wParam, request->lParam);
}

int ForwardToRunningInstance(plat::HWND running, std::u16string_view commandLine) {
    if (!PostRequest(running, commandLine)) ErrorLog(u"The running instance did not take the request", "Entry", __LINE__);
    (void)plat::SetForegroundWindow(running | 1);  // the request was handed over; raising it is a courtesy
    return kExitForwarded;
}
