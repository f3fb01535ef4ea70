// A second program instance for the coordination tests: sync_peer ROOT RECORD. It opens the
// process's engine on the device at ROOT, registers its main window and writes
// "registered <window> <master 0|1>" to RECORD, then records "got <name> <wParam> <lParam>" for
// each coordination message. WM_USER+1 makes it call ReloadSlaves, WM_CLOSE ends it.
#include <fstream>
#include <memory>
#include <string>

#include "ext/sync/PimSync.h"
#include "platform/device/Device.h"
#include "platform/loop/EventLoop.h"
#include "platform/text/Utf.h"
#include "platform/window/Window.h"

namespace {

std::string recordFile;
bool closing = false;

void Record(const std::string& line) { std::ofstream(recordFile, std::ios::app) << line << '\n'; }

plat::LRESULT Procedure(plat::HWND, uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    PimSync* engine = PimSync::Instance();
    if (const auto sync = ClassifySyncMessage(message)) {
        Record("got " + plat::ToUtf8(kSyncMessageNames[static_cast<size_t>(*sync)]) + " " + std::to_string(wParam) +
               " " + std::to_string(lParam));
        if (sync == SyncMessage::ChangeToMaster) engine->SetMaster(true);
        if (sync == SyncMessage::ChangeToSlave) engine->SetMaster(false);
    } else if (message == plat::WM_USER + 1) {
        Record("reload " + std::to_string(engine->ReloadSlaves()));
    } else if (message == plat::WM_CLOSE) {
        closing = true;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    recordFile = argv[2];
    plat::SetCurrentDevice(std::make_unique<plat::Device>(argv[1]));
    plat::EnsureApplication();
    const plat::HWND window = plat::CreateWindow(u"SYNC.PEER.MAIN", u"peer", Procedure);
    PimSync* engine = PimSync::Instance();
    if (window == 0 || !engine->Open() || !engine->Register(window)) return 1;
    Record("registered " + std::to_string(window) + " " + std::to_string(engine->IsMaster()));
    plat::RunUntil([] { return closing; }, 120000);
    engine->Unregister();
    PimSync::Destroy();
    plat::DestroyWindow(window);
    return 0;
}
