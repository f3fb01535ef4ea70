// The service-code program (callpol.exe): logs its command line and owns the window of class
// "CallPol" until WM_CLOSE or the device is removed. Each copy-data message 1150 it gets is logged
// as "service code" with the code of its block (answer 1), or as "damaged block" with the block's
// size (answer 0). A second start while one runs logs "already running" and ends.
#include <cstdint>
#include <span>

#include "app/standins/support/Standin.h"
#include "platform/loop/EventLoop.h"
#include "platform/programs/CallPolicyBlock.h"
#include "platform/programs/PhoneAbi.h"
#include "platform/window/Window.h"

int main(int argc, char** argv) {
    const auto start = standin::BeginProgram(argc, argv);
    if (!start) return 2;
    plat::EnsureApplication();
    if (plat::FindWindow(plat::kCallPolicyClass) != 0) return standin::AlreadyRunning(start->name);
    bool closing = false;
    const std::u16string name = start->name;
    const plat::WndProc procedure = [&](plat::HWND, uint32_t message, plat::WPARAM, plat::LPARAM lParam) -> plat::LRESULT {
        if (message == plat::WM_CLOSE) closing = true;
        if (message != plat::WM_COPYDATA) return 0;
        const auto* data = reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam);
        if (data->dwData != plat::kCallPolicyCopyData) return 0;
        const std::span<const uint8_t> block(static_cast<const uint8_t*>(data->lpData), data->cbData);
        const auto code = plat::ReadCallPolicyBlock(block);
        if (code) {
            standin::LogCall(name, u"service code", {*code});
        } else {
            standin::LogCall(name, u"damaged block", {standin::Number(data->cbData)});
        }
        return code ? 1 : 0;
    };
    const plat::HWND window = plat::CreateWindow(plat::kCallPolicyClass, u"Call policy", procedure);
    if (window == 0) return 1;
    standin::ServeUntil(closing);
    (void)plat::DestroyWindow(window);  // the program ends either way
    return 0;
}
