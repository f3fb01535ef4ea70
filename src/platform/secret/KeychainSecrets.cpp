#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>
#include <cstdlib>

#include "platform/loop/EventLoop.h"
#include "platform/secret/Secrets.h"

namespace plat {

namespace {

constexpr const char* kService = "brevane";
constexpr int kWaitMs = 10000;

bool Available() {
    return std::getenv("BREVANE_NO_KEYCHAIN") == nullptr &&
           std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr;
}

// Runs the job to its end (or kWaitMs); true when it ended without an error.
bool Run(QKeychain::Job& job, const std::string& key) {
    EnsureApplication();
    job.setAutoDelete(false);
    job.setKey(QString::fromStdString(key));
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    job.start();
    if (!finished) loop.exec();
    return finished && job.error() == QKeychain::NoError;
}

}  // namespace

bool StoreSecret(const std::string& key, const std::string& secret) {
    if (!Available()) return false;
    QKeychain::WritePasswordJob job(kService);
    job.setTextData(QString::fromStdString(secret));
    return Run(job, key);
}

std::optional<std::string> ReadSecret(const std::string& key) {
    if (!Available()) return std::nullopt;
    QKeychain::ReadPasswordJob job(kService);
    if (!Run(job, key)) return std::nullopt;
    return job.textData().toStdString();
}

bool DeleteSecret(const std::string& key) {
    if (!Available()) return false;
    QKeychain::DeletePasswordJob job(kService);
    return Run(job, key);
}

}  // namespace plat
