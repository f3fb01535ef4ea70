#include "platform/objectstore/NotificationHub.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <map>
#include <string>

#include "platform/loop/EventLoop.h"
#include "platform/loop/LoopFailure.h"
#include "platform/objectstore/Journal.h"
#include "platform/objectstore/Store.h"
#include "platform/objectstore/WakeSocket.h"
#include "platform/registry/Sql.h"

namespace plat::objstore {

namespace {

constexpr int kRetryMs = 200;  // after a failed journal read (the volume was busy for too long)

// The wake-up socket of one volume, watched on the thread that runs the event loop. The socket and
// its notifier go together, so the notifier never watches a closed descriptor.
class WakeWatcher : public QObject {
public:
    WakeWatcher(std::unique_ptr<WakeSocket> socket, CeGuid volume) : socket_(std::move(socket)), volume_(volume) {}

    void Start() {
        auto* notifier = new QSocketNotifier(socket_->Fd(), QSocketNotifier::Read, this);
        const CeGuid volume = volume_;
        QObject::connect(notifier, &QSocketNotifier::activated, this, [volume] {
            CallFromLoop([volume] { NotificationHub::Instance().Deliver(volume); });
        });
    }
    void Drain() { socket_->Drain(); }

private:
    std::unique_ptr<WakeSocket> socket_;
    CeGuid volume_;
};

void StartOnLoopThread(WakeWatcher* watcher) {
    QThread* loopThread = QCoreApplication::instance()->thread();
    if (QThread::currentThread() == loopThread) {
        watcher->Start();
        return;
    }
    watcher->moveToThread(loopThread);
    QMetaObject::invokeMethod(watcher, [watcher] { watcher->Start(); }, Qt::QueuedConnection);
}

struct Listener {
    std::string id;
    int64_t seen = 0;
    WakeWatcher* watcher = nullptr;
    bool delivering = false;
    bool again = false;
};

struct Subscriber {
    CeGuid volume;
    NotifyCallback callback;
    int64_t after = 0;  // gets the rows committed after this one
};

struct Pending {
    int64_t seq = 0;
    Notification notification;
};

std::map<std::array<uint8_t, 16>, Listener> listeners;
std::map<uint32_t, Subscriber> subscribers;
uint32_t nextSubscription = 1;

std::string NewListenerId() {
    static unsigned counter = 0;
    return std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

// Takes the rows the listener has not seen and records them as seen. When rows were pruned before
// this listener saw them (it fell too far behind, or was taken for dead), a volume notification
// comes first so that the subscribers reload everything.
std::vector<Pending> Fetch(Volume& volume, Listener& listener) {
    sqlite3* db = volume.Db();
    const Transactions::ReadPause pause(volume.Writes());
    sql::WriteTransaction transaction(db);
    const std::vector<journal::Row> rows = journal::ReadAfter(db, listener.seen);
    const int64_t head = journal::Head(db);
    bool lost = !rows.empty() && rows.front().seq > listener.seen + 1;
    if (!journal::Advance(db, listener.id, head)) {
        journal::Register(db, listener.id, head);
        lost = lost || head > listener.seen + static_cast<int64_t>(rows.size());
    }
    transaction.Commit();
    std::vector<Pending> pending;
    if (lost) pending.push_back(Pending{listener.seen + 1, Notification{DB_CEOID_VOLUME, volume.Guid(), 0, 0}});
    for (const journal::Row& row : rows) {
        pending.push_back(Pending{row.seq, Notification{row.type, volume.Guid(), row.oid, row.parent}});
    }
    listener.seen = head;
    return pending;
}

// A write batch of this process holds changes of the volume: they are delivered once committed
// (the commit wakes this listener again).
bool HoldsUncommitted(const CeGuid& volume) {
    try {
        return Store::Instance().VolumeOf(volume).Writes().HoldsUncommitted();
    } catch (const std::exception&) {
        return false;  // not mounted: the fetch fails and is tried again
    }
}

std::vector<uint32_t> SubscribersFor(const CeGuid& volume, int64_t seq) {
    std::vector<uint32_t> found;
    for (const auto& [id, subscriber] : subscribers) {
        if (subscriber.volume == volume && subscriber.after < seq) found.push_back(id);
    }
    return found;
}

// Calls each subscriber that is still subscribed, without holding the lock during the call. A
// subscriber handed a volume notification reloads everything after the fetch that found rows
// missing, so the rows of the same fetch would only repeat what it reads: it is not handed them.
void Hand(std::unique_lock<std::recursive_mutex>& lock, const Pending& pending, std::vector<uint32_t>& reloading) {
    const bool reload = pending.notification.type == DB_CEOID_VOLUME;
    for (const uint32_t id : SubscribersFor(pending.notification.volume, pending.seq)) {
        const auto found = subscribers.find(id);
        if (found == subscribers.end()) continue;
        if (reload) {
            reloading.push_back(id);
        } else if (std::find(reloading.begin(), reloading.end(), id) != reloading.end()) {
            continue;
        }
        const NotifyCallback callback = found->second.callback;
        lock.unlock();
        callback(pending.notification);
        lock.lock();
    }
}

}  // namespace

NotificationHub& NotificationHub::Instance() {
    static NotificationHub hub;
    return hub;
}

uint32_t NotificationHub::Subscribe(const CeGuid& volume, NotifyCallback callback) {
    EnsureApplication();
    Volume& store = Store::Instance().VolumeOf(volume);
    if (listeners.find(volume.bytes) == listeners.end()) {
        // Bound before registering: any commit after the registration finds the socket.
        std::unique_ptr<WakeSocket> socket = WakeSocket::Bind();
        Listener listener;
        listener.id = NewListenerId();
        store.Writes().Write([&] {
            listener.seen = journal::Head(store.Db());
            journal::Register(store.Db(), listener.id, listener.seen);
        }, false);
        listener.watcher = new WakeWatcher(std::move(socket), volume);
        StartOnLoopThread(listener.watcher);
        listeners[volume.bytes] = listener;
    }
    const uint32_t id = nextSubscription++;
    subscribers[id] = Subscriber{volume, std::move(callback), journal::Head(store.Db())};
    return id;
}

void NotificationHub::Unsubscribe(uint32_t subscription) {
    const auto found = subscribers.find(subscription);
    if (found == subscribers.end()) return;
    const CeGuid volume = found->second.volume;
    subscribers.erase(found);
    for (const auto& [id, subscriber] : subscribers) {
        if (subscriber.volume == volume) return;
    }
    const auto listener = listeners.find(volume.bytes);
    if (listener == listeners.end()) return;
    try {
        journal::Unregister(Store::Instance().VolumeOf(volume).Db(), listener->second.id);
    } catch (const std::exception&) {
        // The row is forgotten once this process has ended.
    }
    listener->second.watcher->deleteLater();
    listeners.erase(listener);
}

bool NotificationHub::Delivered(const CeGuid& volume) {
    const auto found = listeners.find(volume.bytes);
    if (found == listeners.end()) return true;
    return !found->second.delivering && journal::Head(Store::Instance().VolumeOf(volume).Db()) <= found->second.seen;
}

void NotificationHub::Deliver(const CeGuid& volume) {
    std::unique_lock lock(Store::Instance().Mutex());
    auto found = listeners.find(volume.bytes);
    if (found == listeners.end()) return;
    if (HoldsUncommitted(volume)) return;
    if (found->second.delivering) {
        found->second.again = true;  // a callback is running the event loop; the outer call goes on
        return;
    }
    found->second.delivering = true;
    // Cleared however the delivery ends: a callback that raises leaves the volume deliverable.
    struct EndDelivery {
        const CeGuid& volume;
        ~EndDelivery() {
            const auto listener = listeners.find(volume.bytes);
            if (listener != listeners.end()) listener->second.delivering = false;
        }
    } end{volume};
    do {
        found->second.again = false;
        found->second.watcher->Drain();
        std::vector<Pending> pending;
        try {
            pending = Fetch(Store::Instance().VolumeOf(volume), found->second);
        } catch (const std::exception&) {
            QTimer::singleShot(kRetryMs, [volume] {
                CallFromLoop([volume] { NotificationHub::Instance().Deliver(volume); });
            });
        }
        std::vector<uint32_t> reloading;
        for (const Pending& each : pending) Hand(lock, each, reloading);
        found = listeners.find(volume.bytes);
        if (found == listeners.end()) return;
    } while (found->second.again);
}

}  // namespace plat::objstore
