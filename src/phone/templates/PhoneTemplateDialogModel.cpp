#include "phone/templates/PhoneTemplateDialogModel.h"

#include "core/res/ResourceStrings.h"
#include "phone/templates/PhoneText.h"

namespace {

constexpr uint32_t kStrNothingToDisplay = 41296;

}  // namespace

Str ExampleDigits(int count) {
    Str digits;
    for (int i = 0; i < count; ++i) digits += phonetext::kDigits[i % phonetext::kDigits.size()];
    return digits;
}

void PhoneTemplateDialogModel::Open() {
    templates_.Load();
    SortBySlotCount();
    selection_ = -1;
    text_.Empty();
}

Str PhoneTemplateDialogModel::Example() const {
    Str example;
    const Str digits = ExampleDigits(phonetext::CountOf(text_.View(), u"#"));
    if (text_.IsEmpty() || !PhoneTemplates::Apply(text_.View(), digits.View(), example)) {
        return RequireStr(kStrNothingToDisplay);
    }
    return example;
}

void PhoneTemplateDialogModel::Select(int index) {
    selection_ = index >= 0 && index < templates_.GetCount() ? index : -1;
    if (selection_ >= 0) text_ = templates_.Template(selection_);
}

void PhoneTemplateDialogModel::SetText(std::u16string_view text) {
    text_ = Str(text.substr(0, kPhoneMaxChars));
}

PhoneTemplateDialogModel::AddResult PhoneTemplateDialogModel::Add() {
    if (text_.IsEmpty()) return AddResult::Ignored;
    for (int i = 0; i < templates_.GetCount(); ++i) {
        if (templates_.Template(i) == text_) return AddResult::Ignored;
    }
    if (!PhoneTemplates::IsAllowed(text_.View())) return AddResult::Forbidden;
    templates_.Insert(0, text_);
    selection_ = 0;
    return AddResult::Added;
}

void PhoneTemplateDialogModel::Delete() {
    if (selection_ < 0) return;
    templates_.Remove(selection_);
    if (selection_ >= templates_.GetCount()) selection_ = templates_.GetCount() - 1;
    Select(selection_);
}

void PhoneTemplateDialogModel::Up() { Move(-1); }

void PhoneTemplateDialogModel::Down() { Move(1); }

void PhoneTemplateDialogModel::Move(int delta) {
    const int other = selection_ + delta;
    if (selection_ < 0 || other < 0 || other >= templates_.GetCount()) return;
    templates_.Exchange(selection_, other);
    selection_ = other;
}

void PhoneTemplateDialogModel::Default() {
    templates_.LoadDefaults();
    SortBySlotCount();
    selection_ = -1;
}

void PhoneTemplateDialogModel::ToggleIgnoreHyphens() {
    templates_.SetIgnoreHyphens(!templates_.IgnoresHyphens());
}

bool PhoneTemplateDialogModel::Ok() const { return templates_.Save(); }

// For each place from the first, every later template with fewer slots than the one at that
// place is exchanged with it.
void PhoneTemplateDialogModel::SortBySlotCount() {
    for (int i = 0; i < templates_.GetCount(); ++i) {
        for (int j = i + 1; j < templates_.GetCount(); ++j) {
            if (templates_.SlotCount(j) < templates_.SlotCount(i)) templates_.Exchange(i, j);
        }
    }
}
