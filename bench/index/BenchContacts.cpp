#include "BenchContacts.h"

#include <array>
#include <span>
#include <string>

#include "index/alphabet/AbcGroupTable.h"
#include "index/contact_index/IndexEntry.h"
#include "store/contact/ContactFields.h"

namespace {

using Pool = std::span<const std::u16string_view>;

// A person's name in one script: first names, and last names made of a root and an ending.
struct Script {
    Pool first;
    Pool roots;
    Pool endings;
    std::u16string_view country;  // the dialling prefix
    int digits;                   // of a national number
};

constexpr std::u16string_view kLatinFirst[] = {
    u"Anna", u"José", u"François", u"Zoë", u"Jürgen", u"Øyvind", u"Łukasz", u"Ágnes", u"Renée", u"Søren",
    u"Michael", u"Sarah", u"David", u"Laura", u"Thomas", u"Emma", u"Lucía", u"Mateo", u"Chloé", u"Håkon",
    u"Björn", u"Ines", u"Paweł", u"Zuzana", u"Tomáš", u"Noémie", u"Andrés", u"Ayşe", u"Mehmet", u"Giulia",
    u"Marco", u"Sophie", u"Jean", u"Élodie", u"Oliver", u"Hannah", u"Nicolás", u"Ana", u"Karl", u"Eva"};
constexpr std::u16string_view kLatinRoots[] = {
    u"Berg", u"Müll", u"Schmid", u"Novák", u"Kowal", u"Garc", u"Fern", u"Sánch", u"Duboi", u"Lefèv",
    u"Rossi", u"Bianc", u"Smith", u"John", u"Will", u"Brown", u"Ødeg", u"Hans", u"Łuk", u"Şah",
    u"Kovač", u"Dvořá", u"Nagy", u"Szab", u"Jans", u"Peder", u"Hoff", u"Wagn", u"Bauer", u"Marti"};
constexpr std::u16string_view kLatinEndings[] = {u"", u"er", u"mann", u"son", u"sen", u"ová", u"ski", u"ez",
                                                 u"ini", u"ard", u"aard", u"ič", u"ek", u"ière", u"ow", u"in"};
constexpr std::u16string_view kCyrillicFirst[] = {
    u"Иван", u"Мария", u"Алексей", u"Ольга", u"Дмитрий", u"Наталья", u"Сергей", u"Елена", u"Андрей",
    u"Татьяна", u"Михаил", u"Анна", u"Юрий", u"Светлана", u"Павел", u"Ирина", u"Николай", u"Ксения"};
constexpr std::u16string_view kCyrillicRoots[] = {
    u"Иван", u"Смирн", u"Кузнец", u"Поп", u"Сокол", u"Лебед", u"Козл", u"Новик", u"Мороз", u"Волк",
    u"Соловь", u"Васильев", u"Зайц", u"Павл", u"Семён", u"Голуб", u"Виноград", u"Богдан", u"Ворон", u"Фёдор"};
constexpr std::u16string_view kCyrillicEndings[] = {u"ов", u"ова", u"ин", u"ина", u"ский", u"ская", u"ев",
                                                    u"ева", u"енко", u"ук"};
constexpr std::u16string_view kGreekFirst[] = {u"Γιώργος", u"Μαρία", u"Νίκος", u"Ελένη", u"Κώστας",
                                               u"Δήμητρα", u"Γιάννης", u"Σοφία", u"Παναγιώτης", u"Αικατερίνη",
                                               u"Χρήστος", u"Αναστασία"};
constexpr std::u16string_view kGreekRoots[] = {u"Παπαδ", u"Οικονόμ", u"Γεωργ", u"Νικολ", u"Καραγιάνν",
                                               u"Βλάχ", u"Αθανασ", u"Μιχαηλ", u"Δημητρ", u"Ιωανν"};
constexpr std::u16string_view kGreekEndings[] = {u"όπουλος", u"ου", u"ίδης", u"άκης", u"άτος", u"ίου"};
constexpr std::u16string_view kCjkFirst[] = {u"伟", u"芳", u"娜", u"秀英", u"敏", u"静", u"丽", u"强",
                                             u"磊", u"洋", u"太郎", u"花子", u"翔", u"陽菜", u"민준", u"서연"};
constexpr std::u16string_view kCjkRoots[] = {u"王", u"李", u"张", u"刘", u"陈", u"杨", u"黄", u"赵",
                                             u"佐藤", u"鈴木", u"高橋", u"田中", u"김", u"이", u"박"};
constexpr std::u16string_view kNoEnding[] = {u""};

constexpr Script kLatin{kLatinFirst, kLatinRoots, kLatinEndings, u"+49", 10};
constexpr Script kCyrillic{kCyrillicFirst, kCyrillicRoots, kCyrillicEndings, u"+7", 10};
constexpr Script kGreek{kGreekFirst, kGreekRoots, kGreekEndings, u"+30", 10};
constexpr Script kCjk{kCjkFirst, kCjkRoots, kNoEnding, u"+86", 11};

constexpr std::u16string_view kCompanyWords[] = {
    u"Nordlicht", u"Acme", u"Société", u"Générale", u"Müller", u"Bau", u"Logistik", u"Consulting", u"Systems",
    u"Ατλας", u"Техно", u"Сервис", u"华为", u"銀行", u"Pharma", u"Energía", u"Verde", u"Studio", u"Kraków",
    u"Digital", u"Medical", u"Transport", u"Café", u"Foods"};
constexpr std::u16string_view kCompanyForms[] = {u"GmbH", u"Ltd", u"SA", u"ООО", u"AE", u"Inc", u"AG", u"sp. z o.o."};
constexpr std::u16string_view kMailHosts[] = {u"mail.example", u"post.example.de", u"example.com",
                                              u"yandex.example", u"corp.example.org"};
constexpr std::array<int, 4> kPhoneFields = {kFieldMobile, kFieldWorkPhone, kFieldHomePhone, kFieldWorkPhone2};

template <typename Rng>
std::u16string_view Pick(Rng& rng, Pool pool) {
    return pool[rng() % pool.size()];
}

template <typename Rng>
const Script& PickScript(Rng& rng) {
    const uint32_t roll = rng() % 100;
    return roll < 60 ? kLatin : roll < 75 ? kCyrillic : roll < 85 ? kGreek : kCjk;
}

template <typename Rng>
std::u16string Digits(Rng& rng, int count) {
    std::u16string out;
    for (int i = 0; i < count; ++i) out += static_cast<char16_t>(u'0' + rng() % 10);
    return out;
}

// "+49 30 1234 5678": the country, an area code and the rest in two groups.
template <typename Rng>
Str PhoneNumber(Rng& rng, const Script& script) {
    const std::u16string number = Digits(rng, script.digits);
    const size_t area = 2 + rng() % 2;
    const size_t half = area + (number.size() - area) / 2;
    std::u16string out(script.country);
    out += u" " + number.substr(0, area) + u" " + number.substr(area, half - area) + u" " + number.substr(half);
    return Str(std::u16string_view(out));
}

template <typename Rng>
Str Company(Rng& rng) {
    std::u16string out(Pick(rng, kCompanyWords));
    if (rng() % 2 == 0) out += u" " + std::u16string(Pick(rng, kCompanyWords));
    out += u" " + std::u16string(Pick(rng, kCompanyForms));
    return Str(std::u16string_view(out));
}

}  // namespace

Contact ContactMaker::Make(uint32_t oid) {
    const Script& script = PickScript(rng_);
    const std::u16string first(Pick(rng_, script.first));
    const std::u16string last = std::u16string(Pick(rng_, script.roots)) + std::u16string(Pick(rng_, script.endings));
    Contact c;
    c.SetOid(oid);
    c.SetText(kFieldFirst, Str(std::u16string_view(first)));
    c.SetText(kFieldLast, Str(std::u16string_view(last)));
    c.SetText(kFieldFileAs, Str(std::u16string_view(last + u", " + first)));
    if (rng_() % 10 < 4) c.SetText(kFieldCompany, Company(rng_));
    if (rng_() % 10 < 7) {
        const std::u16string mail = u"user" + Digits(rng_, 5) + u"@" + std::u16string(Pick(rng_, kMailHosts));
        c.SetText(kFieldEmail1, Str(std::u16string_view(mail)));
    }
    const uint32_t phones = 1 + rng_() % 4;
    for (uint32_t i = 0; i < phones; ++i) c.SetText(kPhoneFields[i], PhoneNumber(rng_, script));
    c.SetRecordId(oid);
    std::minstd_rand categories(oid);
    for (uint32_t n = categories() % 4; n > 0; --n) c.categories.Add(1 + categories() % kCategories);
    return c;
}

void BenchDatabase::Put(const Contact& contact) {
    const uint32_t oid = contact.GetOid();
    if (oid >= byOid_.size()) byOid_.resize(oid + 1 + oid / 4);
    if (byOid_[oid].fileAs.View().empty() && byOid_[oid].first.View().empty()) ++records_;
    byOid_[oid] = SortKeysOf(contact);
}

bool BenchDatabase::ReadSortKeys(uint32_t oid, SortKeys& out) {
    if (oid >= byOid_.size()) return false;
    out = byOid_[oid];
    return true;
}

bool BenchDatabase::ReadState(DatabaseState& out) {
    out = {0x01DA000000000000ull, records_};
    return true;
}

WordRow WordRowOf(const WordIndex::Entry& entry, const AbcGroupTable& groups) {
    WordRow row{entry.oid, {}, {}, entry.categories};
    for (const IndexWord& word : entry.words) {
        row.text.push_back(word.text);
        if (word.textOnly) continue;
        std::u16string key(groups.GroupKey(word.text).View());
        if (!key.empty()) row.groups.push_back(std::move(key));
    }
    return row;
}
