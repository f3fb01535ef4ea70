// A second program instance for the coordination tests: coord_peer ROOT RECORD. It opens the
// process's engine on the device at ROOT, registers its main window and writes
// "registered <window> <master 0|1>" to RECORD, then records "got <name> <wParam> <lParam>" for
// each coordination message. WM_USER+1 makes it call ReloadSlaves, WM_CLOSE ends it.

#include "ext/coord/Coordination.h"
#include "platform/text/Utf.h"
#include "platform/window/PeerSide.h"

namespace {

using peerside::Record;

bool closing = false;

plat::LRESULT Procedure(plat::HWND, uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    Coordination* engine = Coordination::Instance();
    if (const auto coord = ClassifyCoordMessage(message)) {
        Record("got " + plat::ToUtf8(kCoordMessageNames[static_cast<size_t>(*coord)]) + " " +
               std::to_string(wParam) + " " + std::to_string(lParam));
        if (coord == CoordMessage::ChangeToMaster) engine->SetMaster(true);
        if (coord == CoordMessage::ChangeToSlave) engine->SetMaster(false);
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
    const plat::HWND window = peerside::Start(argv[1], argv[2], u"COORD.PEER.MAIN", Procedure);
    Coordination* engine = Coordination::Instance();
    if (window == 0 || !engine->Open() || !engine->Register(window)) return 1;
    Record("registered " + std::to_string(window) + " " + std::to_string(engine->IsMaster()));
    peerside::Serve(closing);
    engine->Unregister();
    Coordination::Destroy();
    (void)plat::DestroyWindow(window);  // clean-up
    return 0;
}
