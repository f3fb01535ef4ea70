#pragma once
// ObjectModelConnection: the process-wide connection to the platform's contacts object model, for the
// few things that must go through it so that the platform's own programs notice them: saving and
// deleting a contact, creating an appointment, beaming contacts, and making the platform create its
// category databases. Every operation first makes sure the connection is available and returns 0
// when it is not; each stops at its first failing call.
#include <cstdint>
#include <memory>

#include "core/array/Array.h"
#include "core/str/Str.h"
#include "store/objectmodel/CalendarWatcher.h"

namespace plat::pom {
class Application;
class InfraredFolder;
}  // namespace plat::pom

class ObjectModelConnection {
public:
    // The connection of this process for the current device (a new one when the device changed).
    static ObjectModelConnection& Instance();

    ObjectModelConnection();
    ~ObjectModelConnection();
    ObjectModelConnection(const ObjectModelConnection&) = delete;
    ObjectModelConnection& operator=(const ObjectModelConnection&) = delete;

    // 1 when logged on. The first call creates the application object and logs on; when that
    // fails the state stays "failed" (0) and later calls only report it.
    int Available();
    // -1 not yet tried, 0 failed, 1 logged on.
    int State() const { return state_; }

    // Saves the contact the caller has just written as record `oid`, whose record identifier value
    // is `itemNumber` (the platform's programs see it as changed), without looking the record up
    // again; 0, with nothing written, when that record is gone or does not have the item number.
    int SaveContact(uint32_t oid, uint32_t itemNumber);
    // Deletes the contact whose record identifier value is `itemNumber`.
    int DeleteContact(uint32_t itemNumber);
    // A new appointment with a 15-minute reminder, shown for editing; while the calendar shows it
    // a watcher waits for the calendar's window.
    int CreateAppointment(const Str& subject, const Str& body);
    // Asks a new contact item for its categories, which makes the platform create its category
    // databases when they are missing.
    int TouchCategories();
    // Sends the contacts (object identifiers of their records) through the infrared folder; 1 at
    // once for an empty list.
    int Beam(const Array<uint32_t>& oids);

    // Shortens the watcher's waits (tests) and lets a caller wait for it.
    void SetWatcherTiming(CalendarWatcher::Timing timing) { watcherTiming_ = timing; }
    CalendarWatcher& Watcher() { return watcher_; }

private:
    std::unique_ptr<plat::pom::Application> app_;
    int state_ = -1;
    CalendarWatcher watcher_;
    CalendarWatcher::Timing watcherTiming_;
};
