#include "phone/dial/CallingCards.h"

#include <exception>
#include <string>

#include "core/res/ResourceStrings.h"
#include "core/result/StatusText.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/registry/Registry.h"

namespace {

Str Lowered(const Str& text) {
    Str lower(text.View());
    lower.MakeLower();
    return lower;
}

bool SameName(const Str& a, const Str& b) { return Lowered(a) == Lowered(b); }

std::vector<std::pair<std::u16string, plat::RegValue>> StoredValues() {
    std::u16string key(settings::kRoot);
    key += settings::kCallCard;
    try {
        return plat::DeviceRegistry().Values(plat::Hive::CurrentUser, key);
    } catch (const std::exception&) {
        return {};
    }
}

Str Cut(std::u16string_view text) { return Str(text.substr(0, CallingCards::kMaxStoredChars)); }

}  // namespace

Str CallingCard::Shown() const {
    if (format.IsEmpty()) return name;
    if (name.IsEmpty()) return u"(" + format + u")";
    return name + u" (" + format + u")";
}

void CallingCards::Load() {
    cards_.clear();
    cards_.push_back({RequireStr(kStrVoidCard), Str()});
    for (const auto& [name, value] : StoredValues()) {
        const std::optional<std::u16string> format = value.AsString();
        if (!format || IsVoidName(Str(name))) continue;
        cards_.push_back({Cut(name), Cut(*format)});
    }
}

int CallingCards::FindShown(const Str& shown) const {
    for (int i = 0; i < Count(); ++i) {
        if (cards_[i].Shown() == shown) return i;
    }
    return -1;
}

int CallingCards::FindName(const Str& name) const {
    for (int i = 1; i < Count(); ++i) {
        if (SameName(cards_[i].name, name)) return i;
    }
    return -1;
}

bool CallingCards::IsVoidName(const Str& name) { return SameName(name, RequireStr(kStrVoidCard)); }

int CallingCards::Add(const CallingCard& card) {
    if (card.name.IsEmpty() || card.format.IsEmpty() || IsVoidName(card.name)) return -1;
    const int same = FindName(card.name);
    if (same >= 0 && cards_[same].format == card.format) return same;
    if (!SettingsStore::WriteString(settings::kCallCard, card.name.View(), card.format.View())) return -1;
    if (same >= 0) {
        cards_[same] = card;
        return same;
    }
    cards_.push_back(card);
    return Count() - 1;
}

Status CallingCards::Replace(int index, const CallingCard& card) {
    if (!IsStored(index) || index >= Count() || card.name.IsEmpty() || IsVoidName(card.name)) {
        return FailedWith(kStrNotStored, StatusCode::Invalid);
    }
    if (!SettingsStore::DeleteValue(settings::kCallCard, cards_[index].name.View()) ||
        !SettingsStore::WriteString(settings::kCallCard, card.name.View(), card.format.View())) {
        return FailedWith(kStrNotStored);
    }
    cards_[index] = card;
    for (int i = Count() - 1; i > 0; --i) {
        if (i != index && SameName(cards_[i].name, card.name)) cards_.erase(cards_.begin() + i);
    }
    return Status::Ok();
}

Status CallingCards::Remove(int index) {
    if (!IsStored(index) || index >= Count()) return FailedWith(kStrNotDeleted, StatusCode::Invalid);
    if (!SettingsStore::DeleteValue(settings::kCallCard, cards_[index].name.View())) {
        return FailedWith(kStrNotDeleted);
    }
    cards_.erase(cards_.begin() + index);
    return Status::Ok();
}
