#include "index/words/ContactWords.h"

#include <cstdint>
#include <string>

#include "index/words/Tokenizer.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactDate.h"
#include "store/contact/ContactFieldAccess.h"
#include "store/contact/ContactFields.h"

namespace {

// Whether `text` is inline binary data kept as a value ("data:...;base64,..."; an import keeps a
// picture it cannot decode that way): its letters are no words of the contact, and a picture's
// base64 would put megabytes of random words into the index.
bool IsInlineData(std::u16string_view text) {
    constexpr std::u16string_view kScheme = u"data:";
    if (text.size() < kScheme.size()) return false;
    for (size_t i = 0; i < kScheme.size(); ++i) {
        if ((text[i] | 0x20) != kScheme[i]) return false;
    }
    const size_t comma = text.find(u',');
    return comma != std::u16string_view::npos && text.substr(0, comma).ends_with(u";base64");
}

class WordSink {
public:
    void Value(std::u16string_view text) {
        if (!IsInlineData(text)) Text(text);
    }
    void Text(std::u16string_view text) {
        ForEachToken(text, [this](std::u16string_view token) {
            words.push_back({std::u16string(token)});
            std::u16string folded = FoldedSpelling(token);
            if (!folded.empty()) words.push_back({std::move(folded), true});
        });
    }
    void Number(uint32_t value) {
        if (value != 0) Text(Str::FromUtf8(std::to_string(value)).View());
    }
    void Date(uint64_t fileTime) {
        if (fileTime != 0) Text(ContactDateText(fileTime));
    }
    void Phone(std::u16string_view number) {
        if (number.empty()) return;
        Text(number);
        for (std::u16string& key : PhoneKeys(number)) words.push_back({std::move(key), true});
    }

    std::vector<IndexWord> words;
};

// The contact's own further numbers are numbers like those of the phone fields: found by their
// trailing digits too.
void FurtherValues(const ContactCustProps& values, WordSink& sink) {
    for (const Array<CustText>* list : {&values.phones, &values.emails, &values.webPages,
                                        &values.people, &values.ringtones, &values.others}) {
        for (int i = 0; i < list->GetSize(); ++i) {
            sink.Text((*list)[i].label.View());
            if (list == &values.phones) {
                sink.Phone((*list)[i].value.View());
            } else {
                sink.Value((*list)[i].value.View());
            }
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

std::vector<IndexWord> ContactWords(const Contact& contact, std::u16string_view note) {
    WordSink sink;
    const std::span<const FieldInfo> fields = ContactFieldTable();
    for (const FieldInfo& info : fields) {
        if (info.kind == FieldKind::Text) sink.Text(contact.GetText(info.id).View());
    }
    for (const FieldInfo& info : fields) {
        if (info.kind == FieldKind::Date) sink.Date(GetDateField(contact, info.id));
    }
    for (const FieldInfo& info : fields) {
        if (info.phone) sink.Phone(contact.GetText(info.id).View());
    }
    FurtherValues(contact, sink);
    sink.Text(note);
    if (contact.IsFromSim()) sink.words.push_back({std::u16string(kSimContactKey), true});
    return std::move(sink.words);
}
