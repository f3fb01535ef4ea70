// A second program instance for the coordination tests: sync_peer ROOT RECORD. It opens the
// process's engine on the device at ROOT, registers its main window and writes
// "registered <window> <master 0|1>" to RECORD, then records "got <name> <wParam> <lParam>" for
// each coordination message. WM_USER+1 makes it call ReloadSlaves, WM_CLOSE ends it.

#include "ext/sync/PimSync.h"
#include "platform/text/Utf.h"
#include "platform/window/PeerSide.h"

namespace {

using peerside::Record;

bool closing = false;

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
    const plat::HWND window = peerside::Start(argv[1], argv[2], u"SYNC.PEER.MAIN", Procedure);
    PimSync* engine = PimSync::Instance();
    if (window == 0 || !engine->Open() || !engine->Register(window)) return 1;
    Record("registered " + std::to_string(window) + " " + std::to_string(engine->IsMaster()));
    peerside::Serve(closing);
    engine->Unregister();
    PimSync::Destroy();
    (void)plat::DestroyWindow(window);  // clean-up
    return 0;
}
