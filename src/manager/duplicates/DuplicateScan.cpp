#include "manager/duplicates/DuplicateScan.h"

#include <algorithm>

#include "index/words/Tokenizer.h"
#include "manager/contacts/ContactManager.h"
#include "manager/contacts/ReadPass.h"
#include "platform/objectstore/PropVal.h"
#include "platform/text/TextFold.h"
#include "store/contact/ContactFields.h"
#include "store/db/DbScan.h"

namespace {

// The name's parts are folded together (a fold is the concatenation of its letters' folds) and
// then cut into words.
std::u16string NameKey(const Contact& contact) {
    std::u16string name;
    for (const int field : {kFieldFirst, kFieldMiddle, kFieldLast}) {
        name += contact.GetText(field).View();
        name += u' ';
    }
    std::vector<std::u16string> words = Tokens(plat::FoldText(name));
    if (words.empty()) words = Tokens(plat::FoldText(contact.GetText(kFieldFileAs).View()));
    std::sort(words.begin(), words.end());
    std::u16string key;
    for (const std::u16string& word : words) {
        if (!key.empty()) key += u' ';
        key += word;
    }
    return key;
}

void AddNumber(const Str& number, DuplicateKeys& keys) {
    std::string digits;
    for (const char16_t unit : number.View()) {
        if (unit >= u'0' && unit <= u'9') digits.push_back(static_cast<char>(unit));
    }
    if (digits.size() >= kNumberDigits) keys.numbers.push_back(std::move(digits));
}

void AddEmail(const Str& address, DuplicateKeys& keys) {
    Str lower = address;
    lower.TrimLeft();
    lower.TrimRight();
    lower.MakeLower();
    if (!lower.IsEmpty()) keys.emails.emplace_back(lower.View());
}

// The properties the keys are made of.
std::vector<uint32_t> KeyProperties() {
    std::vector<uint32_t> props;
    for (const int field : {kFieldFirst, kFieldMiddle, kFieldLast, kFieldFileAs}) {
        props.push_back(plat::MakePropId(TextFieldProp(field), plat::CEVT_LPWSTR));
    }
    for (const int field : kPhoneFieldsNamedOrder)
        props.push_back(plat::MakePropId(TextFieldProp(field), plat::CEVT_LPWSTR));
    for (const int field : kEmailFields)
        props.push_back(plat::MakePropId(TextFieldProp(field), plat::CEVT_LPWSTR));
    props.push_back(plat::MakePropId(kPropNote, plat::CEVT_BLOB));
    props.push_back(plat::MakePropId(kPropUid, plat::CEVT_LPWSTR));
    return props;
}

}  // namespace

DuplicateKeys KeysOf(const Contact& contact) {
    DuplicateKeys keys;
    keys.oid = contact.GetOid();
    keys.name = NameKey(contact);
    for (const int field : kPhoneFieldsNamedOrder) AddNumber(contact.GetText(field), keys);
    for (const CustText& phone : contact.phones) AddNumber(phone.value, keys);
    for (const int field : kEmailFields) AddEmail(contact.GetText(field), keys);
    for (const CustText& email : contact.emails) AddEmail(email.value, keys);
    return keys;
}

std::optional<std::vector<DuplicateKeys>> GatherKeys(ContactManager& manager, std::vector<Str>* uids) {
    CCeDBDatabase& contacts = manager.Databases().Contacts();
    if (!contacts.IsOpen()) return std::nullopt;
    const std::vector<uint32_t> props = KeyProperties();
    std::vector<DuplicateKeys> all;
    Contact contact;
    const ReadPass reading(contacts.VolumeId());
    const bool read =
        ScanDatabase(contacts, props.data(), static_cast<int>(props.size()), [&](const CCeDBRecord& record) {
            contact.LoadFromRecord(record, Contact::PictureLoad::Skip);
            all.push_back(KeysOf(contact));
            if (uids != nullptr) uids->push_back(contact.GetUid());
        });
    if (!read) return std::nullopt;
    return all;
}
