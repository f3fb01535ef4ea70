// brevane-callerid: names the caller of an incoming call in a desktop notification, from the
// contacts of the device, and hangs up on callers the call filter keeps out (docs/host.md). One
// runs per session: a second start finds the bus name taken and ends.
//   brevane-callerid [--root DIR]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <iostream>
#include <optional>
#include <string>

#include "app/callerid/CallWatcher.h"
#include "platform/device/Device.h"
#include "platform/pom/ProgramLog.h"
#include "platform/registry/Registry.h"

namespace {

constexpr int kFailed = 1, kWrongUsage = 2;
const QString kBusName = QStringLiteral("org.brevane.CallerId");

std::optional<std::optional<std::filesystem::path>> ParseRoot(int argc, char** argv) {
    if (argc == 1) return std::optional<std::filesystem::path>();
    if (argc == 3 && std::string(argv[1]) == "--root") return std::optional<std::filesystem::path>(argv[2]);
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const auto root = ParseRoot(argc, argv);
    if (!root) {
        std::cerr << "usage: brevane-callerid [--root DIR]\n";
        return kWrongUsage;
    }
    const std::filesystem::path device = plat::ChooseRoot(*root);
    std::error_code error;
    auto opened = std::make_unique<plat::Device>(device);
    if (!std::filesystem::exists(plat::DeviceRegistryFile(*opened), error)) {
        std::cerr << "brevane-callerid: no device at " << device.string() << "\n";
        return kFailed;
    }
    plat::SetCurrentDevice(std::move(opened));
    QCoreApplication application(argc, argv);
    if (!QDBusConnection::sessionBus().isConnected()) {
        std::cerr << "brevane-callerid: the session bus cannot be reached\n";
        return kFailed;
    }
    if (!QDBusConnection::sessionBus().registerService(kBusName)) return 0;  // one runs already
    CallWatcher watcher(device);
    if (!watcher.Start()) {
        std::cerr << "brevane-callerid: the system bus cannot be reached: "
                  << QDBusConnection::systemBus().lastError().message().toStdString() << "\n";
        return kFailed;
    }
    (void)plat::LogLibraryCall(u"brevane-callerid", u"watching", {});
    return QCoreApplication::exec();
}
