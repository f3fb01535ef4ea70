#pragma once
// "Appointments Database": the object model's appointments, one record each.
#include <cstdint>
#include <string>

#include "platform/objectstore/ObjectStore.h"

namespace plat::pom {

inline constexpr uint32_t kPropApptSubject = MakePropId(1, CEVT_LPWSTR);
inline constexpr uint32_t kPropApptBody = MakePropId(2, CEVT_LPWSTR);
inline constexpr uint32_t kPropApptStart = MakePropId(3, CEVT_FILETIME);
inline constexpr uint32_t kPropApptEnd = MakePropId(4, CEVT_FILETIME);
inline constexpr uint32_t kPropApptReminder = MakePropId(5, CEVT_UI4);  // minutes before the start

inline constexpr uint64_t kFileTimeHour = 36'000'000'000;  // an hour in file time units

DatabaseDescription AppointmentsDbDescription();

// Opens "Appointments Database" of the volume, creating it first when missing.
DbHandle OpenAppointments(const CeGuid& volume);

struct AppointmentRecord {
    std::u16string subject;
    std::u16string body;
    uint64_t start = 0;
    uint64_t end = 0;
    uint32_t reminderMinutes = 0;
};

// Writes a new record (`oid` 0) or rewrites one; the record's identifier, 0 on failure.
CeOid WriteAppointment(DbHandle db, CeOid oid, const AppointmentRecord& appointment);

// The start of a new appointment: the next whole hour after `now` (file times).
uint64_t NextWholeHour(uint64_t now);

}  // namespace plat::pom
