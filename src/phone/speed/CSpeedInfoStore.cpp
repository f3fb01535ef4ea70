#include "phone/speed/CSpeedInfoStore.h"

#include <utility>

#include "core/res/ResourceStrings.h"
#include "core/result/StatusText.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/dial/Dialer.h"
#include "phone/menu/DefaultNumber.h"
#include "phone/speed/SpeedContacts.h"
#include "phone/speed/SpeedRegistry.h"
#include "phone/templates/PhoneTemplates.h"
#include "platform/locale/Locale.h"
#include "store/contact/Contact.h"

namespace {

template <typename T>
bool Take(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

// Copies the contact's names and, when it still has the record's phone field, that number.
bool TakeContact(SpeedRecord& r, const Contact& contact) {
    bool changed = Take(r.first, contact.GetText(kFieldFirst));
    changed |= Take(r.last, contact.GetText(kFieldLast));
    changed |= Take(r.middle, contact.GetText(kFieldMiddle));
    changed |= Take(r.company, contact.GetText(kFieldCompany));
    if (const std::optional<ContactNumber> number = NumberByTag(contact, r.link)) {
        changed |= Take(r.phone, number->number);
        changed |= Take(r.type, number->label);
        changed |= Take(r.link, number->tag);
    }
    r.fileAs = contact.GetText(kFieldFileAs);
    r.picture = contact.GetPicture();
    return changed;
}

Str SearchText(const SpeedRecord& r) {
    Str text = r.first;
    for (const Str* part : {&r.last, &r.middle, &r.company}) {
        if (!part->IsEmpty()) text += u" " + *part;
    }
    return text;
}

Str Formatted(const char16_t* format, const Str& a, const Str& b) {
    Str out;
    (void)out.Format(format, a, b);  // names of a button: short texts
    return out;
}

// A failure of the speed dial, in the words the user is shown whatever its kind.
Status NotSaved(StatusCode code) { return FailedWith(CSpeedInfoStore::kStrNotSaved, code); }

Status Written(bool ok) { return OkOr(ok, CSpeedInfoStore::kStrNotSaved); }

}  // namespace

void CSpeedInfoStore::Load(int columns, int rows) {
    records_.clear();
    columns_ = columns;
    rows_ = rows;
    for (int position = 0;; ++position) {
        std::optional<SpeedRecord> record = ReadSpeedRecord(position);
        if (!record) break;
        records_.push_back(std::move(*record));
    }
    for (int position = 0; position < static_cast<int>(records_.size()); ++position) Refresh(position);
}

void CSpeedInfoStore::Refresh(int position) {
    SpeedRecord& r = records_[position];
    if (r.oid == 0) return;
    Contact contact;
    bool changed = false;
    if (!contacts_.Read(r.oid, contact)) {
        const std::optional<uint32_t> found = contacts_.FirstFound(SearchText(r));
        if (!found || !contacts_.Read(*found, contact)) {
            (void)Save(position);  // an update not kept is made again at the next Load
            return;
        }
        changed = Take(r.oid, *found);
    }
    if (TakeContact(r, contact) || changed) (void)Save(position);  // as above
}

Status CSpeedInfoStore::Save(int position) {
    if (position < 0) return SaveAll();
    if (position >= static_cast<int>(records_.size())) {
        return NotSaved(StatusCode::Invalid);
    }
    return Written(WriteSpeedRecord(position, records_[position]));
}

Status CSpeedInfoStore::SaveAll() {
    bool ok = true;
    for (int i = 0; i < static_cast<int>(records_.size()); ++i) ok = WriteSpeedRecord(i, records_[i]) && ok;
    return Written(ok);
}

Status CSpeedInfoStore::Remove(int cell) {
    if (cell < 0) {
        records_.clear();
        return Written(DeleteSpeedRecords());
    }
    const int position = FindCell(cell);
    if (position < 0) return Status::Ok();
    records_.erase(records_.begin() + position);
    // The records left are written whole after the key went: positions close up.
    const bool deleted = DeleteSpeedRecords();
    return deleted ? SaveAll() : Written(false);
}

int CSpeedInfoStore::FindCell(int cell) const {
    for (int i = 0; i < static_cast<int>(records_.size()); ++i) {
        if (static_cast<int>(records_[i].index) == cell) return i;
    }
    return -1;
}

Status CSpeedInfoStore::Move(int from, int to) {
    const int moving = FindCell(from);
    if (moving < 0 || to < 0 || to >= Cells()) return NotSaved(StatusCode::Invalid);
    const int occupant = FindCell(to);
    records_[moving].index = static_cast<uint32_t>(to);
    if (occupant >= 0) records_[occupant].index = static_cast<uint32_t>(from);
    return SaveAll();
}

Status CSpeedInfoStore::Rename(int cell, const Str& text) {
    const int position = FindCell(cell);
    if (position < 0) return Status::Ok();
    records_[position].display = text;
    return Save(position);
}

Status CSpeedInfoStore::ApplyRename(int cell, const Str& text) {
    const int position = FindCell(cell);
    if (position >= 0 && text != DisplayName(records_[position])) return Rename(cell, text);
    return Status::Ok();
}

Status CSpeedInfoStore::SortByName() {
    bool changed = false;
    const int count = static_cast<int>(records_.size());
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (plat::CompareText(DisplayName(records_[j]).View(), DisplayName(records_[i]).View()) < 0) {
                std::swap(records_[i], records_[j]);
                changed = true;
            }
        }
    }
    for (int i = 0; i < count; ++i) changed |= Take(records_[i].index, static_cast<uint32_t>(i));
    return changed ? SaveAll() : Status::Ok();
}

Status CSpeedInfoStore::Assign(int cell, uint32_t oid, uint32_t tag) {
    Contact contact;
    if (!contacts_.Read(oid, contact)) return NotSaved(StatusCode::NotFound);
    SpeedRecord r;
    r.oid = oid;
    r.index = static_cast<uint32_t>(cell);
    r.link = tag;
    TakeContact(r, contact);
    int position = FindCell(cell);
    if (position >= 0) {
        r.btn = records_[position].btn;
        records_[position] = std::move(r);
    } else {
        records_.push_back(std::move(r));
        position = static_cast<int>(records_.size()) - 1;
    }
    return Save(position);
}

int CSpeedInfoStore::DialButton(int cell, const Str& number, Dialer& dialer, plat::HWND owner,
                                const PhoneTemplates& formats) {
    const int position = FindCell(cell);
    if (position < 0) return kDialMissing;
    const SpeedRecord& r = records_[position];
    Str dialled = number.IsEmpty() ? r.phone : number;
    dialled = formats.Formatted(dialled);
    Contact contact;
    // A button given its own name calls under that name; otherwise under the contact's name now.
    if (r.oid != 0 && contacts_.Read(r.oid, contact))
        return dialer.Dial(owner, dialled, &contact, 0, r.display);
    return dialer.Dial(owner, dialled, nullptr, 0, DisplayName(r));
}

Str CSpeedInfoStore::DisplayName(const SpeedRecord& r) {
    if (!r.display.IsEmpty()) return r.display;
    if (SettingsStore::ReadDword(settings::kSettings, settings::kSortType, 0) == 1 && !r.fileAs.IsEmpty()) {
        return r.fileAs;
    }
    StdContact names;
    names.SetText(kFieldLast, r.last);
    names.SetText(kFieldFirst, r.first);
    names.SetText(kFieldCompany, r.company);
    names.SetText(kFieldMiddle, r.middle);
    const Str composed = names.GetDisplayName();
    return composed.IsEmpty() ? RequireStr(kStrUnnamed) : composed;
}

Str CSpeedInfoStore::NumberLine(const SpeedRecord& r, const PhoneTemplates& formats) {
    Str number = r.phone;
    number = formats.Formatted(number);
    return r.type.IsEmpty() ? number : Formatted(u"%s (%s)", number, r.type);
}

std::vector<Str> CSpeedInfoStore::RenameCandidates(const SpeedRecord& r) {
    std::vector<Str> names;
    const bool first = !r.first.IsEmpty(), last = !r.last.IsEmpty(), company = !r.company.IsEmpty();
    if (first) names.push_back(r.first);
    if (first && last) names.push_back(Formatted(u"%s %s", r.first, r.last));
    if (first && last) names.push_back(Formatted(u"%s, %s", r.last, r.first));
    if (first && company) names.push_back(Formatted(u"%s (%s)", r.first, r.company));
    if (last) names.push_back(r.last);
    if (last && company) names.push_back(Formatted(u"%s (%s)", r.last, r.company));
    if (company) names.push_back(r.company);
    return names;
}

int CSpeedInfoStore::MoveTarget(int cell, Direction direction, int columns, int cells) {
    int target = cell;
    switch (direction) {
        case Direction::Up: target = cell - columns; break;
        case Direction::Down: target = cell + columns; break;
        case Direction::Left: target = cell - 1; break;
        case Direction::Right: target = cell + 1; break;
    }
    return target >= 0 && target < cells ? target : -1;
}
