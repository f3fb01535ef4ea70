// A second process for the window tests: window_peer ROOT RECORD CLASS. It owns one window of
// CLASS on the device at ROOT, writes "ready <handle>" and "registered <number>" to RECORD, then
// answers messages until WM_CLOSE (see PeerProtocol.h), recording what it gets.
#include <unistd.h>

#include "PeerProtocol.h"
#include "PeerSide.h"
#include "platform/text/Utf.h"

namespace {

using peerside::Record;

std::string Number(long long value) { return std::to_string(value); }

uint32_t Checksum(const uint8_t* bytes, size_t size) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

bool closing = false;

plat::LRESULT Procedure(plat::HWND, uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    switch (message) {
        case plat::WM_CREATE:
        case plat::WM_DESTROY:
            return 0;
        case plat::WM_CLOSE:
            closing = true;
            return 0;
        case plat::WM_COPYDATA: {
            const auto* data = reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam);
            Record("copydata " + Number(static_cast<long long>(data->dwData)) + " " + Number(data->cbData) + " " +
                   Number(Checksum(static_cast<const uint8_t*>(data->lpData), data->cbData)));
            return data->cbData;
        }
        case peer::kDouble:
            return lParam * 2;
        case peer::kCallBack: {
            const plat::LRESULT answer = plat::SendMessage(static_cast<plat::HWND>(wParam), peer::kAddHundred, 0, lParam);
            Record("nested " + Number(answer));
            return answer + 1;
        }
        case peer::kStall:
            usleep(1500 * 1000);
            return 7;
        default:
            Record("msg " + Number(message) + " " + Number(static_cast<long long>(wParam)) + " " + Number(lParam));
            return 0;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const plat::HWND window = peerside::Start(argv[1], argv[2], plat::FromUtf8(argv[3]), Procedure);
    if (window == 0) return 1;
    plat::SetForegroundHandler([](const plat::ForegroundRequest& request) {
        Record("foreground " + Number(request.window) + " " + Number(request.withOwned ? 1 : 0));
    });
    Record("registered " + Number(plat::RegisterWindowMessage(peer::kSharedName)));
    Record("ready " + Number(window));
    peerside::Serve(closing);
    (void)plat::DestroyWindow(window);  // clean-up
    return 0;
}
