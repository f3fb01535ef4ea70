#pragma once
// Delivers the change journal of each volume to the handles of this process that asked for
// notifications: one wake-up socket and one listener row per volume, read on the thread running
// the Qt event loop, each row handed to every subscribed handle that was open when it was
// committed, in commit order, once.
#include <cstdint>

#include "platform/objectstore/Notification.h"

namespace plat::objstore {

class NotificationHub {
public:
    static NotificationHub& Instance();

    // With the store lock held. Throws StoreFailure when the volume cannot be listened to.
    uint32_t Subscribe(const CeGuid& volume, NotifyCallback callback);
    void Unsubscribe(uint32_t subscription);

    // Reads the journal of the volume and delivers what is new (run by the wake-up socket).
    void Deliver(const CeGuid& volume);
    // With the store lock held: true when every change committed to the volume so far has been
    // handed to the subscribers (also when there are none).
    [[nodiscard]] bool Delivered(const CeGuid& volume);
};

}  // namespace plat::objstore
