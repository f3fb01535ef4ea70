#include "store/db/CeDBDatabase.h"

#include <vector>

#include "store/db/DbNames.h"

namespace {

// Runs `step` and puts back the last error it found, so a clean-up does not hide why an earlier
// call failed.
template <typename Step>
void KeepingLastError(Step step) {
    const uint32_t error = plat::GetLastError();
    const std::string message = plat::LastErrorMessage();
    step();
    plat::SetLastError(error, message);
}

}  // namespace

bool CCeDBDatabase::Open(const char16_t* name, const plat::SortProp* sorts, int count, plat::NotifyCallback notify,
                         uint16_t keyFlags) {
    Close();
    if (!plat::MountDbVol(kVolumePath, volume_)) {
        volume_ = plat::CeGuid{};
        return false;
    }
    plat::SortOrderDescription order{keyFlags, {}};
    if (sorts != nullptr && count > 0) order.props.assign(sorts, sorts + count);
    handle_ = plat::OpenDatabase(volume_, name, order.props.empty() ? nullptr : &order, std::move(notify), &database_);
    if (handle_ == plat::kInvalidDbHandle) {
        Close();
        return false;
    }
    atEnd = false;
    return true;
}

void CCeDBDatabase::Close() {
    KeepingLastError([this] {
        // The handle and the volume are given up either way.
        if (handle_ != plat::kInvalidDbHandle) (void)plat::CloseDatabase(handle_);
        if (!volume_.IsZero()) (void)plat::UnmountDbVol(volume_);
    });
    handle_ = plat::kInvalidDbHandle;
    volume_ = plat::CeGuid{};
    database_ = 0;
    contactsFlag_ = false;
}

bool CCeDBDatabase::Seeked(plat::CeOid oid) {
    if (oid == 0) return false;
    atEnd = false;
    return true;
}

bool CCeDBDatabase::SeekFirst(uint32_t offset) { return Seeked(plat::SeekDatabase(handle_, plat::SeekType::Beginning, offset)); }

bool CCeDBDatabase::SeekLast(uint32_t offset) {
    return Seeked(plat::SeekDatabase(handle_, plat::SeekType::End, -static_cast<int64_t>(offset)));
}

bool CCeDBDatabase::SeekToRecord(plat::CeOid oid) { return Seeked(plat::SeekDatabase(handle_, plat::SeekType::Oid, oid)); }

bool CCeDBDatabase::SeekNext() {
    if (plat::SeekDatabase(handle_, plat::SeekType::Current, 1) != 0) return true;
    atEnd = true;
    return false;
}

plat::CeOid CCeDBDatabase::CurrentRecordId() { return plat::SeekDatabase(handle_, plat::SeekType::Current, 0); }

bool CCeDBDatabase::SeekEqual(const CCeDBProp& value) {
    const plat::PropVal key = value.ToPropVal();
    return Seeked(plat::SeekDatabaseByValues(handle_, plat::SeekType::ValueFirstEqual, std::span(&key, 1)));
}

bool CCeDBDatabase::SeekGreater(const CCeDBProp* values, int count) {
    std::vector<plat::PropVal> keys;
    for (int i = 0; i < count; ++i) keys.push_back(values[i].ToPropVal());
    return Seeked(plat::SeekDatabaseByValues(handle_, plat::SeekType::ValueGreater, keys));
}

plat::CeOid CCeDBDatabase::Read(CCeDBRecord& record, const uint32_t* propIds, int count) {
    if (autoAdvance && atEnd) {
        plat::SetLastError(plat::ERROR_HANDLE_EOF, "read past the last record");
        return 0;
    }
    record.RemoveAll();
    std::vector<plat::PropVal> props;
    const std::span<const uint32_t> ids(propIds, propIds != nullptr && count > 0 ? static_cast<size_t>(count) : 0);
    const plat::CeOid oid = plat::ReadRecordProps(handle_, ids, props);
    if (oid == 0) return 0;
    for (const plat::PropVal& prop : props) record.Add(new CCeDBProp(prop));
    record.SetOid(oid);
    record.SetVolume(volume_);
    if (autoAdvance) (void)SeekNext();  // at the end there is no next record, which the next read says
    return oid;
}

plat::CeOid CCeDBDatabase::Write(const CCeDBRecord& record, int mode, const uint32_t* propIds, int count) {
    if (mode < kWriteNew || mode > kWriteDeleteProps) {
        plat::SetLastError(plat::ERROR_INVALID_PARAMETER, "unknown write mode");
        return 0;
    }
    std::vector<plat::PropVal> selected;
    for (int i = 0; i < record.GetCount(); ++i) {
        const CCeDBProp* prop = record.GetAt(i);
        bool wanted = propIds == nullptr || count <= 0;
        for (int j = 0; !wanted && j < count; ++j) wanted = plat::PropNumber(propIds[j]) == prop->GetNumber();
        if (!wanted) continue;
        selected.push_back(prop->ToPropVal());
        if (mode == kWriteDeleteProps) selected.back().flags |= plat::CEDB_PROPDELETE;
    }
    if (selected.empty()) {
        plat::SetLastError(plat::ERROR_NO_DATA, "no property to write");
        return 0;
    }
    plat::CeOid target = record.GetOid();
    // An update without an identifier goes to the current record, never to a new one.
    if (target == 0 && mode != kWriteNew && (target = CurrentRecordId()) == 0) return 0;
    const plat::CeOid written = plat::WriteRecordProps(handle_, target, selected);
    if (written != 0 && autoAdvance) (void)SeekNext();  // as in Read
    return written;
}

bool CCeDBDatabase::DeleteRecord(plat::CeOid oid) { return plat::DeleteRecord(handle_, oid); }

bool CCeDBDatabase::GetInfo(plat::DatabaseInfo& info) const {
    if (plat::GetDatabaseInfo(volume_, database_, info)) return true;
    info = plat::DatabaseInfo{};
    return false;
}

bool CCeDBDatabase::GetStatus(plat::DatabaseStatus& status) const {
    if (plat::GetDatabaseStatus(volume_, database_, status)) return true;
    status = plat::DatabaseStatus{};
    return false;
}

bool CCeDBDatabase::GetFlag(uint32_t propId) const {
    std::vector<plat::PropVal> props;
    if (!plat::GetDatabaseProps(handle_, std::span(&propId, 1), props) || props.empty()) return false;
    const plat::PropVal& prop = props.front();
    if ((prop.flags & plat::CEDB_PROPNOTFOUND) != 0) return false;
    switch (plat::PropType(prop.propId)) {
        case plat::CEVT_LPWSTR: return !prop.text.empty();
        case plat::CEVT_BLOB: return !prop.blob.empty();
        case plat::CEVT_FILETIME: return prop.filetime != 0;
        default: return prop.u32 != 0;
    }
}

void CCeDBDatabase::ReadContactsFlag() { contactsFlag_ = GetFlag(kContactsFlagProp); }

uint64_t CCeDBDatabase::GetVolumeTime() {
    plat::CeGuid volume;
    // The mount only makes the volume file exist.
    if (plat::MountDbVol(kVolumePath, volume)) (void)plat::UnmountDbVol(volume);
    const uint64_t time = plat::VolumeFileTime(kVolumePath);
    return time != 0 ? time : plat::FileTimeNow();
}
