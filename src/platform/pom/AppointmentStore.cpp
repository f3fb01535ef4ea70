#include "platform/pom/AppointmentStore.h"

#include "platform/pom/PomDefs.h"

namespace plat::pom {
DatabaseDescription AppointmentsDbDescription() {
    DatabaseDescription declared;
    declared.name = std::u16string(kAppointmentsDatabase);
    declared.sortOrders = {SortOrderDescription{0, {SortProp{kPropApptStart, 0}}}};
    return declared;
}

DbHandle OpenAppointments(const CeGuid& volume) {
    DbHandle db = OpenDatabase(volume, kAppointmentsDatabase, nullptr, {});
    if (db != kInvalidDbHandle || GetLastError() != ERROR_NOT_FOUND) return db;
    if (CreateDatabase(volume, AppointmentsDbDescription()) == 0 && GetLastError() != ERROR_ALREADY_EXISTS) {
        return kInvalidDbHandle;
    }
    return OpenDatabase(volume, kAppointmentsDatabase, nullptr, {});
}

CeOid WriteAppointment(DbHandle db, CeOid oid, const AppointmentRecord& appointment) {
    const PropVal props[] = {
        PropVal::Text(kPropApptSubject, appointment.subject),
        PropVal::Text(kPropApptBody, appointment.body),
        PropVal::FileTime(kPropApptStart, appointment.start),
        PropVal::FileTime(kPropApptEnd, appointment.end),
        PropVal::Number(kPropApptReminder, appointment.reminderMinutes),
    };
    return WriteRecordProps(db, oid, props);
}

uint64_t NextWholeHour(uint64_t now) { return (now / kFileTimeHour + 1) * kFileTimeHour; }

}  // namespace plat::pom
