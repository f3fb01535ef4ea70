#pragma once
// Random record changes on "Contacts Database" shared by the tests and their second process: new
// records, new companies (the key of the database's order) and deletes, some records without a
// company. The same seed gives the same kinds of change; the records picked depend on the database.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/objectstore/ObjectStore.h"

inline constexpr uint32_t kCompany = plat::MakePropId(0x8A, plat::CEVT_LPWSTR);

// A few companies that differ in case and accents, so ties and collation both matter.
inline std::vector<plat::PropVal> RandomCompany(std::mt19937& random) {
    static const char16_t* const kNames[] = {u"Acme", u"acme", u"Bolt", u"Écru", u"ecru", u"Zinc", u""};
    const std::u16string name = kNames[random() % std::size(kNames)];
    if (name.empty()) return {plat::PropVal::Delete(kCompany)};
    return {plat::PropVal::Text(kCompany, name)};
}

// Makes `count` changes through `db` (opened on "Contacts Database" without an order); false when
// a store call failed.
inline bool Churn(plat::DbHandle db, std::mt19937& random, int count) {
    for (int i = 0; i < count; ++i) {
        const uint32_t kind = random() % 10;
        // One of the last 64 records by identifier (none when the database is empty).
        const bool any = plat::SeekDatabase(db, plat::SeekType::End, 0) != 0;
        const auto back = static_cast<int64_t>(random() % 64);
        const plat::CeOid picked = any ? plat::SeekDatabase(db, plat::SeekType::End, -back) : 0;
        if (kind < 4 || picked == 0) {
            std::vector<plat::PropVal> props = RandomCompany(random);
            props.push_back(plat::PropVal::Number(plat::MakePropId(0x9, plat::CEVT_UI4), random()));
            if (plat::WriteRecordProps(db, 0, props) == 0) return false;
        } else if (kind < 8) {
            if (plat::WriteRecordProps(db, picked, RandomCompany(random)) != picked) return false;
        } else if (!plat::DeleteRecord(db, picked)) {
            return false;
        }
    }
    return true;
}
