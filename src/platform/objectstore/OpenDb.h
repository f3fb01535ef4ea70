#pragma once
// One open database handle: its order, its cursor (the current record) and the reads, writes and
// seeks on it. Other processes may change the database between two calls; the cursor follows: the
// current record stays current while it exists, and once it is gone the cursor rests where it
// stood, so a seek forward lands on the record that followed it.
#include <optional>
#include <span>
#include <vector>

#include "platform/objectstore/ObjectStore.h"
#include "platform/objectstore/OrderedView.h"

namespace plat::objstore {

class OpenDb {
public:
    OpenDb(Volume& volume, CeOid database, std::vector<SortProp> keys)
        : volume_(volume), guid_(volume.Guid()), database_(database), view_(database, std::move(keys)) {}

    const CeGuid& VolumeGuid() const { return guid_; }
    CeOid Database() const { return database_; }
    uint32_t Subscription() const { return subscription_; }
    void SetSubscription(uint32_t subscription) { subscription_ = subscription; }

    // Each returns the new current record; a failed seek throws and leaves no current record.
    CeOid SeekOid(CeOid record);
    CeOid SeekPosition(SeekType type, int64_t value);
    CeOid SeekValues(SeekType type, std::span<const PropVal> values);

    CeOid Read(std::span<const uint32_t> propIds, std::vector<PropVal>& props);
    // Returns the identifier written.
    CeOid Write(CeOid record, std::span<const PropVal> props);
    void Delete(CeOid record);

    std::vector<PropVal> GetProps(std::span<const uint32_t> propIds);
    void SetProps(std::span<const PropVal> props);

private:
    struct Position {
        size_t index = 0;
        bool onRecord = false;  // false: the current record is gone; `index` is where it stood
    };
    Position Locate();
    CeOid MakeCurrent(size_t index);
    [[noreturn]] void FailNoRecord(const char* why);

    Volume& volume_;
    CeGuid guid_;
    CeOid database_;
    OrderedView view_;
    std::optional<ViewEntry> current_;
    std::optional<size_t> currentIndex_;  // valid for the view's present contents only
    // The database's auto-increment properties, fixed when it was made; read at the first write.
    std::optional<std::vector<uint16_t>> automatic_;
    uint32_t subscription_ = 0;
};

}  // namespace plat::objstore
