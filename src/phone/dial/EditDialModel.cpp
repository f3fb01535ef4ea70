#include "phone/dial/EditDialModel.h"

#include <algorithm>
#include <string_view>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/DialString.h"
#include "phone/dial/Dialer.h"
#include "phone/menu/DefaultNumber.h"

Str EditDialModel::DialCharactersOf(const Str& number) {
    const std::u16string_view allowed(kDialCharacters);
    Str out;
    for (const char16_t c : number.View()) {
        if (out.GetLength() >= kMaxNumberChars) break;
        if (allowed.find(c) != std::u16string_view::npos) out += c;
    }
    return out;
}

void EditDialModel::Open(const Contact& contact) {
    contact_.Assign(contact);
    numbers_.clear();
    number_ = -1;
    const std::optional<ContactNumber> byDefault = DefaultNumber(contact);
    for (const ContactNumber& n : PhoneNumbers(contact)) {
        if (byDefault && number_ < 0 && n.tag == byDefault->tag) number_ = static_cast<int>(numbers_.size());
        numbers_.push_back(DialCharactersOf(n.number));
    }
    cards_.Load();
    const Str stored = SettingsStore::ReadString(settings::kSettings, settings::kDefCard, u"");
    card_ = std::max(0, cards_.FindShown(stored));
    Rebuild();
}

void EditDialModel::SelectNumber(int index) {
    if (index < 0 || index >= static_cast<int>(numbers_.size())) return;
    number_ = index;
    Rebuild();
}

void EditDialModel::SelectCard(int index) {
    if (index < 0 || index >= cards_.Count()) return;
    card_ = index;
    Rebuild();
}

bool EditDialModel::AddCard(const CallingCard& card) {
    const int index = cards_.Add(card);
    if (index < 0) return false;
    SelectCard(index);
    return true;
}

bool EditDialModel::EditCard(const CallingCard& card) {
    const Str shown = card.Shown();
    if (!cards_.Replace(card_, card)) return false;
    SelectCard(std::max(0, cards_.FindShown(shown)));
    return true;
}

bool EditDialModel::DeleteCard() {
    if (!cards_.Remove(card_)) return false;
    SelectCard(std::min(card_, cards_.Count() - 1));
    return true;
}

void EditDialModel::Rebuild() {
    const Str number = number_ >= 0 ? numbers_[number_] : Str();
    SetDialString(ComposeDialString(cards_.At(card_).format, number));
}

void EditDialModel::SetDialString(const Str& text) {
    dial_ = text.Left(kMaxDialChars);
    caret_ = dial_.GetLength();
}

void EditDialModel::Press(char16_t c) {
    if (dial_.GetLength() >= kMaxDialChars) return;
    dial_ = dial_.Left(caret_) + c + dial_.Mid(caret_);
    ++caret_;
}

void EditDialModel::Press(Key key) {
    switch (key) {
        case Key::Delete:
            if (caret_ == 0) return;
            dial_ = dial_.Left(caret_ - 1) + dial_.Mid(caret_);
            --caret_;
            return;
        case Key::Left: caret_ = std::max(0, caret_ - 1); return;
        case Key::Right: caret_ = std::min(dial_.GetLength(), caret_ + 1); return;
    }
}

int EditDialModel::Ok(Dialer& dialer, plat::HWND owner) {
    // The card chosen is a preference; the call goes on.
    (void)SettingsStore::WriteString(settings::kSettings, settings::kDefCard,
                                     cards_.At(card_).Shown().View());
    return dialer.Dial(owner, dial_, &contact_, sound_ ? kDialSound : 0, Str());
}
