#include "app/cli/Session.h"

#include <chrono>
#include <exception>
#include <thread>

#include "ext/coord/Coordination.h"
#include "platform/device/Device.h"
#include "platform/loop/EventLoop.h"
#include "platform/objectstore/StoreErrors.h"
#include "platform/window/Window.h"

namespace cli {

namespace {

constexpr char16_t kWindowClass[] = u"BREVANE.CLI.WND";
// How long the tool waits for the notifications of its own changes.
constexpr int kNotifyWaitMs = 30000;

}  // namespace

Session::OwnWindow::~OwnWindow() {
    if (handle != 0) (void)plat::DestroyWindow(handle);  // the window goes either way
}

Session::Registration::~Registration() {
    // False: it was not registered; nothing to undo.
    if (Coordination* coord = Coordination::Instance()) (void)coord->Unregister();
    Coordination::Destroy();
}

Session::ManagerLease::~ManagerLease() { ContactManager::Release(); }

Session::Session(Context& context)
    : context_(context), manager_(ContactManager::Instance()), search_(manager_) {}

Status Session::Open() {
    if (Status device = OpenDevice(context_); !device) return device;
    if (Status turn = TakeTurn(); !turn) return turn;
    plat::EnsureApplication();
    Coordination* coord = Coordination::Instance();
    window_.handle =
        plat::CreateWindow(kWindowClass, u"brevane-cli",
                           [](plat::HWND, uint32_t, plat::WPARAM, plat::LPARAM) { return plat::LRESULT{0}; });
    const bool registered =
        coord != nullptr && coord->Open() && window_.handle != 0 && coord->Register(window_.handle);
    plat::SetLastError(plat::ERROR_SUCCESS);
    if (!manager_.Init(registered ? coord : nullptr)) {
        const std::string why = plat::LastErrorMessage();
        return Fail("cannot open the contacts store or its index" + (why.empty() ? "" : ": " + why));
    }
    if (SharesContacts()) share_ = std::make_unique<HostShare>(manager_, SharedBook(HostSharedBookPaths()));
    opened_ = true;
    return Status::Ok();
}

Status Session::TakeTurn() {
    if (!turn_.Open(plat::CurrentDevice().NamespacePath(u"brevane-cli.turn"))) {
        return Fail("the device's lock file cannot be opened; nothing was done");
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTurnWaitMs);
    while (!turn_.TryLockExclusive()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return Fail("another brevane-cli command has been working on the device for " +
                        std::to_string(kTurnWaitMs / 1000) + " s; nothing was done");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return Status::Ok();
}

// Waits for the notifications of the tool's changes, hands them to the index now and saves it.
Status Session::UpdateIndex() {
    if (changes_ > 0 && manager_.Maintains()) {
        // What is not delivered, the next open catches up from the journal.
        (void)plat::RunUntil([&] { return manager_.NotificationsDelivered(); }, kNotifyWaitMs);
        manager_.FlushQueue();
    }
    if (!manager_.SaveNow()) return Fail("the index files cannot be written");
    // The running program's manager keeps the shared address book when it is the master.
    if (share_ && changes_ > 0 && manager_.Maintains() && !(share_->Begin() && share_->Write())) {
        Missed("the contacts shared with the host's phone programs could not all be written");
    }
    return Status::Ok();
}

void Session::Cut(const std::string& what) {
    context_.err << "brevane-cli: " << what << "\n";
    if (context_.status == kDone) context_.status = kDoneWithSkips;
}

std::string Session::Report() const {
    std::string report;
    for (const std::string& what : missed_) report += (report.empty() ? "" : "; ") + what;
    return report;
}

Status Session::Finish() {
    if (finished_) return Status::Ok();
    finished_ = true;
    std::string failure;
    try {
        if (Status updated = UpdateIndex(); !updated) failure = MessageOf(updated);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (!failure.empty()) {
        Missed(std::string(changes_ > 0 ? "the changes are stored, but " : "") +
               "the index could not be brought up to date (" + failure +
               "); the next program to open the device repairs it");
    }
    return missed_.empty() ? Status::Ok() : Fail(Report());
}

Session::~Session() {
    if (finished_ || !opened_) return;
    try {
        if (Status finished = Finish(); !finished) {
            context_.err << "brevane-cli: " << MessageOf(finished) << "\n";
            context_.status = kFailed;
        }
    } catch (const std::exception& error) {
        context_.err << "brevane-cli: " << error.what() << "\n";
        context_.status = kFailed;
    }
}

}  // namespace cli
