#include "index/words/ContactWords.h"

#include <chrono>
#include <cstdint>
#include <string>

#include "index/words/Tokenizer.h"
#include "platform/locale/Locale.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"

namespace {

constexpr uint64_t kFileTimeTicksPerDay = 864000000000ull;
constexpr int64_t kDaysFrom1601To1970 = 134774;

class WordSink {
public:
    void Text(std::u16string_view text) {
        ForEachToken(text, [this](std::u16string_view token) { words.push_back({std::u16string(token)}); });
    }
    void Number(uint32_t value) {
        if (value != 0) Text(Str::FromUtf8(std::to_string(value)).View());
    }
    void Date(uint64_t fileTime) {
        if (fileTime != 0) Text(ShortDateText(fileTime));
    }
    void Phone(std::u16string_view number) {
        if (number.empty()) return;
        Text(number);
        for (std::u16string& key : PhoneKeys(number)) words.push_back({std::move(key), true});
    }

    std::vector<IndexWord> words;
};

void FurtherValues(const ContactCustProps& values, WordSink& sink) {
    for (const Array<CustText>* list : {&values.phones, &values.emails, &values.webPages,
                                        &values.people, &values.ringtones, &values.others}) {
        for (int i = 0; i < list->GetSize(); ++i) {
            sink.Text((*list)[i].label.View());
            sink.Text((*list)[i].value.View());
        }
    }
    for (int i = 0; i < values.ims.GetSize(); ++i) {
        for (const Str* text : {&values.ims[i].label, &values.ims[i].value, &values.ims[i].type}) {
            sink.Text(text->View());
        }
    }
    for (int i = 0; i < values.dates.GetSize(); ++i) {
        sink.Text(values.dates[i].label.View());
        sink.Date(values.dates[i].date);
    }
    for (int i = 0; i < values.addresses.GetSize(); ++i) {
        const CustAddress& a = values.addresses[i];
        sink.Number(a.format);
        for (const Str* text : {&a.label, &a.street, &a.city, &a.state, &a.postalCode, &a.country}) {
            sink.Text(text->View());
        }
    }
    sink.Number(values.homeAddressFormat);
    sink.Number(values.workAddressFormat);
    sink.Number(values.otherAddressFormat);
}

}  // namespace

std::u16string ShortDateText(uint64_t fileTime) {
    using namespace std::chrono;
    const auto days = static_cast<int64_t>(fileTime / kFileTimeTicksPerDay) - kDaysFrom1601To1970;
    const year_month_day date{sys_days{std::chrono::days{days}}};
    return plat::FormatShortDate(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                                 static_cast<int>(unsigned(date.day())));
}

std::vector<IndexWord> ContactWords(const Contact& contact, std::u16string_view note) {
    WordSink sink;
    for (int field = 0; field < kTextFieldCount; ++field) sink.Text(contact.GetText(field).View());
    sink.Date(contact.GetBirthday());
    sink.Date(contact.GetAnniversary());
    for (int field = 0; field < kTextFieldCount; ++field) {
        if (IsPhoneField(field)) sink.Phone(contact.GetText(field).View());
    }
    FurtherValues(contact, sink);
    sink.Text(note);
    return std::move(sink.words);
}
