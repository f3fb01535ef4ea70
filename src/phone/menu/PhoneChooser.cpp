#include "phone/menu/PhoneChooser.h"

#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/menu/CustomTag.h"
#include "phone/menu/DefaultNumber.h"
#include "phone/menu/PhoneFields.h"
#include "phone/templates/PhoneTemplates.h"
#include "store/contact/Contact.h"

uint32_t PhoneChooser::StoredDialType() {
    const uint32_t type = SettingsStore::ReadDword(settings::kSettings, settings::kDialType, kDefaultDialType);
    return type >= kDialTypeNever && type <= kDialTypeAlways ? type : kDefaultDialType;
}

bool PhoneChooser::ShouldOffer(uint32_t dialType, const Contact& contact) {
    const size_t numbers = PhoneNumbers(contact).size();
    if (dialType == kDialTypeAlways) return numbers >= 1;
    if (dialType == kDialTypeTwoOrMore) return numbers >= 2;
    return false;
}

void PhoneChooser::Build(const Contact& contact, const PhoneTemplates& formats) {
    entries_.clear();
    auto add = [&](uint32_t tag, const Str& label, const Str& raw) {
        if (raw.IsEmpty()) return;
        ChooserEntry entry{tag, label, raw, raw};
        entry.display = formats.Formatted(entry.display);
        entries_.push_back(std::move(entry));
    };
    for (const NumberField& field : kChooserPhoneFields) {
        add(field.tag, RequireStr(field.label), FieldText(contact, field.tag));
    }
    for (const CustText& phone : contact.phones) {
        add(CustomTag(phone.label.View(), phone.value.View()), phone.label, phone.value);
    }
    selected_ = entries_.empty() ? -1 : 0;
    const uint32_t tag = contact.GetDefaultTag();
    for (size_t i = 0; i < entries_.size() && tag != 0; ++i) {
        if (entries_[i].tag == tag) {
            selected_ = static_cast<int>(i);
            break;
        }
    }
}

void PhoneChooser::Select(int index) {
    if (index >= 0 && index < static_cast<int>(entries_.size())) selected_ = index;
}

Str PhoneChooser::SelectedNumber() const { return selected_ < 0 ? Str() : entries_[selected_].display; }

ChooserCommand PhoneChooser::OnKey(ChooserKey key, bool picking) const {
    if (key == ChooserKey::End) return picking ? ChooserCommand::Cancel : ChooserCommand::Close;
    if (selected_ < 0) return ChooserCommand::None;
    switch (key) {
        case ChooserKey::Enter: return picking ? ChooserCommand::Pick : ChooserCommand::Call;
        case ChooserKey::Action:
        case ChooserKey::Talk: return picking ? ChooserCommand::None : ChooserCommand::Call;
        case ChooserKey::Sms: return picking ? ChooserCommand::None : ChooserCommand::Message;
        default: return ChooserCommand::None;
    }
}

Str PhoneChooser::Title(const Contact& contact, uint32_t sortType) {
    Str title = sortType == 1 ? contact.GetText(kFieldFileAs) : contact.GetDisplayName();
    title.TrimLeft();
    title.TrimRight();
    return title.IsEmpty() ? RequireStr(kStrUnnamed) : title;
}

int PhoneChooser::TopBand(int dpi) { return (26 * dpi + 48) / 96; }

bool PhoneChooser::TakesFrontBack(uint64_t sinceShownMs, std::u16string_view className) {
    return sinceShownMs < kKeepFrontMs || className != u"Dialog";
}
