#include "index/contact_index/IndexEntry.h"

#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"

SortKeys SortKeysOf(const Contact& contact) {
    SortKeys keys;
    keys.fileAs = contact.GetText(kFieldFileAs);
    keys.title = contact.GetText(kFieldTitle);
    keys.first = contact.GetText(kFieldFirst);
    keys.last = contact.GetText(kFieldLast);
    keys.company = contact.GetText(kFieldCompany);
    return keys;
}

ContactCategories CategoriesOf(const Contact& contact) {
    return {contact.GetRecordId() != 0, std::vector<uint32_t>(contact.categories.begin(), contact.categories.end())};
}

WordIndex::Entry IndexEntryOf(const Contact& contact, std::u16string_view note, uint32_t slot) {
    return {contact.GetOid(), ContactWords(contact, note), SortKeysOf(contact), slot, CategoriesOf(contact)};
}
