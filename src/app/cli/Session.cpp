#include "app/cli/Session.h"

#include "ext/sync/PimSync.h"
#include "platform/loop/EventLoop.h"
#include "platform/window/Window.h"

namespace cli {

namespace {

constexpr char16_t kWindowClass[] = u"BREVANE.CLI.WND";
// How long the tool waits for the notifications of its own changes.
constexpr int kNotifyWaitMs = 30000;

}  // namespace

Session::Session(const Context& context) : manager_(ContactManager::Instance()), search_(manager_) {
    OpenDevice(context);
    plat::EnsureApplication();
    PimSync* sync = PimSync::Instance();
    window_ = plat::CreateWindow(kWindowClass, u"brevane-cli", [](plat::HWND, uint32_t, plat::WPARAM, plat::LPARAM) {
        return plat::LRESULT{0};
    });
    const bool registered = sync != nullptr && sync->Open() && window_ != 0 && sync->Register(window_);
    if (!manager_.Init(registered ? sync : nullptr, nullptr)) {
        throw Failure("cannot open the contacts store or its index");
    }
}

void Session::Finish() {
    if (finished_) return;
    finished_ = true;
    if (changes_ > 0 && manager_.Maintains()) {
        plat::RunUntil([&] { return manager_.NotificationsDelivered(); }, kNotifyWaitMs);
        manager_.FlushQueue();
    }
    manager_.SaveNow();
}

Session::~Session() {
    try {
        Finish();
    } catch (...) {
    }
    ContactManager::Release();
    if (PimSync* sync = PimSync::Instance()) sync->Unregister();
    PimSync::Destroy();
    if (window_ != 0) plat::DestroyWindow(window_);
}

}  // namespace cli
