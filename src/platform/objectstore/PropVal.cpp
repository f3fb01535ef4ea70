#include "platform/objectstore/PropVal.h"

#include <algorithm>
#include <chrono>

namespace plat {

bool CeGuid::IsZero() const {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t byte) { return byte == 0; });
}

bool IsKnownPropType(uint16_t type) {
    return type == CEVT_I4 || type == CEVT_UI4 || type == CEVT_LPWSTR || type == CEVT_FILETIME ||
           type == CEVT_BLOB || type == CEVT_STREAM || type == CEVT_AUTO_I4;
}

PropVal PropVal::Number(uint32_t propId, uint32_t value) {
    PropVal prop;
    prop.propId = propId;
    prop.u32 = value;
    return prop;
}

PropVal PropVal::FileTime(uint32_t propId, uint64_t value) {
    PropVal prop;
    prop.propId = propId;
    prop.filetime = value;
    return prop;
}

PropVal PropVal::Text(uint32_t propId, std::u16string value) {
    PropVal prop;
    prop.propId = propId;
    prop.text = std::move(value);
    return prop;
}

PropVal PropVal::Blob(uint32_t propId, std::vector<uint8_t> value) {
    PropVal prop;
    prop.propId = propId;
    prop.blob = std::move(value);
    return prop;
}

PropVal PropVal::Delete(uint32_t propId) {
    PropVal prop;
    prop.propId = propId;
    prop.flags = CEDB_PROPDELETE;
    return prop;
}

uint64_t FileTimeNow() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
    return FileTimeFromUnix(seconds.count(), std::chrono::nanoseconds(sinceEpoch - seconds).count());
}

uint64_t FileTimeFromUnix(int64_t seconds, int64_t nanoseconds) {
    // File times count 100 ns units from 1601-01-01; the Unix epoch is 11644473600 s later.
    constexpr int64_t kEpochSeconds = 11644473600;
    return static_cast<uint64_t>(seconds + kEpochSeconds) * 10000000ULL + static_cast<uint64_t>(nanoseconds / 100);
}

}  // namespace plat
