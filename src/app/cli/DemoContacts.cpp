#include "app/cli/DemoContacts.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <span>
#include <string_view>

#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "store/contact/ContactFields.h"
#include "store/vcard/CardDate.h"
#include "store/vcard/NoteText.h"

namespace {

// A text and the ASCII form e-mail and web addresses are made from.
struct Named {
    const char16_t* text;
    const char* ascii;
};

// What the contacts of one country have in common. In the patterns each 'X' becomes a random
// digit and each '#' a house number.
struct Culture {
    int weight;  // share of the sample contacts, in units of 1/32
    std::span<const Named> maleFirst, femaleFirst, maleLast, femaleLast;
    std::span<const Named> companies;
    std::span<const char16_t* const> cities, streets, regions;
    const char16_t* country;
    const char16_t* postalCode;
    const char16_t* mobile;
    const char16_t* landline;
    const char* domain;  // the private e-mail domain
};

// --- Tables ---------------------------------------------------------------------------------------

constexpr Named kUsMale[] = {{u"James", "james"}, {u"Michael", "michael"}, {u"Robert", "robert"},
    {u"David", "david"}, {u"William", "william"}, {u"Daniel", "daniel"}, {u"Matthew", "matthew"}};
constexpr Named kUsFemale[] = {{u"Mary", "mary"}, {u"Jennifer", "jennifer"}, {u"Linda", "linda"},
    {u"Emily", "emily"}, {u"Sarah", "sarah"}, {u"Jessica", "jessica"}, {u"Olivia", "olivia"}};
constexpr Named kUsLast[] = {{u"Smith", "smith"}, {u"Johnson", "johnson"}, {u"Brown", "brown"},
    {u"Miller", "miller"}, {u"Davis", "davis"}, {u"Wilson", "wilson"}, {u"Anderson", "anderson"},
    {u"Taylor", "taylor"}, {u"Moore", "moore"}, {u"Clark", "clark"}, {u"Walker", "walker"}};
constexpr Named kUsCompanies[] = {{u"Brightmoor Labs", "brightmoor"}, {u"Calloway Print", "calloway"},
    {u"Dunmore Freight", "dunmore"}, {u"Granite Peak Insurance", "granitepeak"},
    {u"Juniper Bakery", "juniper"}, {u"Larkspur Media", "larkspur"}};
constexpr const char16_t* kUsCities[] = {u"Springfield", u"Riverton", u"Lakewood", u"Fairview"};
constexpr const char16_t* kUsStreets[] = {u"# Oak Street", u"# Maple Avenue", u"# Cedar Lane", u"# Hillcrest Road"};
constexpr const char16_t* kUsRegions[] = {u"NY", u"CA", u"IL", u"TX", u"WA"};

constexpr Named kUkMale[] = {{u"Oliver", "oliver"}, {u"George", "george"}, {u"Harry", "harry"}, {u"Jack", "jack"}};
constexpr Named kUkFemale[] = {{u"Amelia", "amelia"}, {u"Isla", "isla"}, {u"Sophie", "sophie"},
    {u"Charlotte", "charlotte"}};
constexpr Named kUkLast[] = {{u"Hughes", "hughes"}, {u"Edwards", "edwards"}, {u"O'Brien", "obrien"},
    {u"Fitzgerald", "fitzgerald"}, {u"Baker-Jones", "baker-jones"}, {u"Wright", "wright"}};
constexpr Named kUkCompanies[] = {{u"Alder & Finch", "alderfinch"}, {u"Harbourview Hotel", "harbourview"},
    {u"Ironbridge Consulting", "ironbridge"}};
constexpr const char16_t* kUkCities[] = {u"London", u"Leeds", u"Bristol", u"York"};
constexpr const char16_t* kUkStreets[] = {u"# High Street", u"# Church Road", u"# Station Approach"};

constexpr Named kDeMale[] = {{u"Jürgen", "juergen"}, {u"Björn", "bjoern"}, {u"Matthias", "matthias"},
    {u"Lukas", "lukas"}, {u"Jörg", "joerg"}};
constexpr Named kDeFemale[] = {{u"Käthe", "kaethe"}, {u"Bärbel", "baerbel"}, {u"Lena", "lena"},
    {u"Sophie", "sophie"}, {u"Jana", "jana"}};
constexpr Named kDeLast[] = {{u"Müller", "mueller"}, {u"Schröder", "schroeder"}, {u"Weiß", "weiss"},
    {u"Groß", "gross"}, {u"Köhler", "koehler"}, {u"Schäfer", "schaefer"}, {u"Krüger", "krueger"}};
constexpr Named kDeCompanies[] = {{u"Müller & Söhne GmbH", "mueller-soehne"},
    {u"Bäckerei Großmann", "grossmann"}, {u"Elbtal Logistik AG", "elbtal"}};
constexpr const char16_t* kDeCities[] = {u"München", u"Köln", u"Düsseldorf", u"Lübeck", u"Berlin"};
constexpr const char16_t* kDeStreets[] = {u"Hauptstraße #", u"Schillerweg #", u"Am Mühlbach #"};

constexpr Named kCzMale[] = {{u"Jiří", "jiri"}, {u"Tomáš", "tomas"}, {u"Lukáš", "lukas"},
    {u"Ondřej", "ondrej"}, {u"Petr", "petr"}};
constexpr Named kCzFemale[] = {{u"Kateřina", "katerina"}, {u"Tereza", "tereza"}, {u"Lucie", "lucie"},
    {u"Markéta", "marketa"}, {u"Zuzana", "zuzana"}};
constexpr Named kCzMaleLast[] = {{u"Dvořák", "dvorak"}, {u"Novák", "novak"}, {u"Černý", "cerny"},
    {u"Procházka", "prochazka"}, {u"Kučera", "kucera"}};
constexpr Named kCzFemaleLast[] = {{u"Dvořáková", "dvorakova"}, {u"Nováková", "novakova"},
    {u"Černá", "cerna"}, {u"Procházková", "prochazkova"}, {u"Kučerová", "kucerova"}};
constexpr Named kCzCompanies[] = {{u"Stavební firma Říha", "riha"}, {u"Pivovar U Žáby", "uzaby"}};
constexpr const char16_t* kCzCities[] = {u"Praha", u"Brno", u"České Budějovice", u"Plzeň"};
constexpr const char16_t* kCzStreets[] = {u"Husova #", u"Náměstí Míru #", u"Křižíkova #"};

constexpr Named kPlMale[] = {{u"Łukasz", "lukasz"}, {u"Paweł", "pawel"}, {u"Michał", "michal"},
    {u"Grzegorz", "grzegorz"}};
constexpr Named kPlFemale[] = {{u"Małgorzata", "malgorzata"}, {u"Agnieszka", "agnieszka"},
    {u"Katarzyna", "katarzyna"}, {u"Zofia", "zofia"}};
constexpr Named kPlMaleLast[] = {{u"Wiśniewski", "wisniewski"}, {u"Wójcik", "wojcik"},
    {u"Zieliński", "zielinski"}, {u"Nowak", "nowak"}};
constexpr Named kPlFemaleLast[] = {{u"Wiśniewska", "wisniewska"}, {u"Wójcik", "wojcik"},
    {u"Zielińska", "zielinska"}, {u"Nowak", "nowak"}};
constexpr Named kPlCompanies[] = {{u"Żurawie Gdańsk", "zurawie"}};
constexpr const char16_t* kPlCities[] = {u"Kraków", u"Łódź", u"Gdańsk", u"Wrocław"};
constexpr const char16_t* kPlStreets[] = {u"ul. Długa #", u"ul. Świętokrzyska #"};

constexpr Named kFrMale[] = {{u"François", "francois"}, {u"Jérôme", "jerome"}, {u"Loïc", "loic"},
    {u"Benoît", "benoit"}, {u"Théo", "theo"}};
constexpr Named kFrFemale[] = {{u"Hélène", "helene"}, {u"Chloé", "chloe"}, {u"Zoë", "zoe"},
    {u"Maëlle", "maelle"}, {u"Célestine", "celestine"}};
constexpr Named kFrLast[] = {{u"Lefèvre", "lefevre"}, {u"Dubois", "dubois"}, {u"Mercier", "mercier"},
    {u"Lemaître", "lemaitre"}, {u"Rousseau", "rousseau"}, {u"Girard", "girard"}};
constexpr Named kFrCompanies[] = {{u"Pâtisserie Dorée", "doree"}, {u"Éditions du Cèdre", "cedre"}};
constexpr const char16_t* kFrCities[] = {u"Paris", u"Besançon", u"Nîmes", u"Orléans"};
constexpr const char16_t* kFrStreets[] = {u"# rue de l'Église", u"# avenue Émile Zola", u"# quai des Célestins"};

constexpr Named kEsMale[] = {{u"José", "jose"}, {u"Íñigo", "inigo"}, {u"Álvaro", "alvaro"}, {u"Andrés", "andres"}};
constexpr Named kEsFemale[] = {{u"María", "maria"}, {u"Lucía", "lucia"}, {u"Begoña", "begona"}, {u"Inés", "ines"}};
constexpr Named kEsLast[] = {{u"García", "garcia"}, {u"Muñoz", "munoz"}, {u"Pérez", "perez"},
    {u"Ibáñez", "ibanez"}, {u"Núñez", "nunez"}};
constexpr Named kEsCompanies[] = {{u"Cerámicas Ibáñez", "ceramicas"}};
constexpr const char16_t* kEsCities[] = {u"Málaga", u"Córdoba", u"León", u"Cádiz"};
constexpr const char16_t* kEsStreets[] = {u"Calle Mayor #", u"Avenida de Andalucía #"};

constexpr Named kNoMale[] = {{u"Søren", "soren"}, {u"Åke", "ake"}, {u"Øystein", "oystein"}, {u"Björn", "bjorn"}};
constexpr Named kNoFemale[] = {{u"Åsa", "asa"}, {u"Ingrid", "ingrid"}, {u"Signe", "signe"}, {u"Maja", "maja"}};
constexpr Named kNoLast[] = {{u"Jørgensen", "jorgensen"}, {u"Ødegård", "odegard"}, {u"Åberg", "aberg"},
    {u"Lindqvist", "lindqvist"}, {u"Sørensen", "sorensen"}};
constexpr Named kNoCompanies[] = {{u"Fjordlys Møbler", "fjordlys"}};
constexpr const char16_t* kNoCities[] = {u"København", u"Århus", u"Ålborg"};
constexpr const char16_t* kNoStreets[] = {u"Søndergade #", u"Østerbrogade #"};

constexpr Named kRuMale[] = {{u"Алексей", "aleksei"}, {u"Дмитрий", "dmitri"}, {u"Иван", "ivan"},
    {u"Сергей", "sergei"}, {u"Михаил", "mikhail"}};
constexpr Named kRuFemale[] = {{u"Мария", "maria"}, {u"Ольга", "olga"}, {u"Наталья", "natalya"},
    {u"Екатерина", "ekaterina"}, {u"Анна", "anna"}};
constexpr Named kRuMaleLast[] = {{u"Иванов", "ivanov"}, {u"Смирнов", "smirnov"}, {u"Кузнецов", "kuznetsov"},
    {u"Соколов", "sokolov"}, {u"Лебедев", "lebedev"}, {u"Волков", "volkov"}};
constexpr Named kRuFemaleLast[] = {{u"Иванова", "ivanova"}, {u"Смирнова", "smirnova"},
    {u"Кузнецова", "kuznetsova"}, {u"Соколова", "sokolova"}, {u"Лебедева", "lebedeva"}, {u"Волкова", "volkova"}};
constexpr Named kRuCompanies[] = {{u"ООО «Северный ветер»", "severveter"}, {u"Уральские самоцветы", "samotsvety"}};
constexpr const char16_t* kRuCities[] = {u"Москва", u"Санкт-Петербург", u"Казань", u"Новосибирск"};
constexpr const char16_t* kRuStreets[] = {u"ул. Садовая, д. #", u"пр. Мира, д. #"};

constexpr Named kGrMale[] = {{u"Γιώργος", "giorgos"}, {u"Νίκος", "nikos"}, {u"Δημήτρης", "dimitris"},
    {u"Κώστας", "kostas"}};
constexpr Named kGrFemale[] = {{u"Ελένη", "eleni"}, {u"Μαρία", "maria"}, {u"Κατερίνα", "katerina"},
    {u"Σοφία", "sofia"}};
constexpr Named kGrMaleLast[] = {{u"Παπαδόπουλος", "papadopoulos"}, {u"Οικονόμου", "oikonomou"},
    {u"Γεωργίου", "georgiou"}, {u"Βλάχος", "vlachos"}};
constexpr Named kGrFemaleLast[] = {{u"Παπαδοπούλου", "papadopoulou"}, {u"Οικονόμου", "oikonomou"},
    {u"Γεωργίου", "georgiou"}, {u"Βλάχου", "vlachou"}};
constexpr Named kGrCompanies[] = {{u"Αιγαίο Ναυτιλιακή", "aigaio"}};
constexpr const char16_t* kGrCities[] = {u"Αθήνα", u"Θεσσαλονίκη", u"Πάτρα"};
constexpr const char16_t* kGrStreets[] = {u"Οδός Ερμού #", u"Λεωφόρος Αλεξάνδρας #"};

constexpr Named kJpMale[] = {{u"太郎", "taro"}, {u"健一", "kenichi"}, {u"翔", "sho"}};
constexpr Named kJpFemale[] = {{u"花子", "hanako"}, {u"美咲", "misaki"}, {u"由美", "yumi"}};
constexpr Named kJpLast[] = {{u"山田", "yamada"}, {u"佐藤", "sato"}, {u"鈴木", "suzuki"}, {u"高橋", "takahashi"}};
constexpr Named kJpCompanies[] = {{u"山田商事", "yamada-shoji"}};
constexpr const char16_t* kJpCities[] = {u"東京", u"大阪", u"札幌"};
constexpr const char16_t* kJpStreets[] = {u"千代田区丸の内#-1", u"中央区銀座#-4"};

constexpr Named kCnMale[] = {{u"伟", "wei"}, {u"磊", "lei"}, {u"建国", "jianguo"}};
constexpr Named kCnFemale[] = {{u"芳", "fang"}, {u"秀英", "xiuying"}, {u"静", "jing"}};
constexpr Named kCnLast[] = {{u"王", "wang"}, {u"李", "li"}, {u"张", "zhang"}, {u"陈", "chen"}};
constexpr Named kCnCompanies[] = {{u"长城电子", "changcheng"}};
constexpr const char16_t* kCnCities[] = {u"北京", u"上海", u"广州"};
constexpr const char16_t* kCnStreets[] = {u"朝阳区建国路#号", u"浦东新区世纪大道#号"};

const Culture kCultures[] = {
    {6, kUsMale, kUsFemale, kUsLast, kUsLast, kUsCompanies, kUsCities, kUsStreets, kUsRegions,
     u"USA", u"XXXXX", u"+1 555 XXX XXXX", u"+1 555 XXX XXXX", "example.com"},
    {3, kUkMale, kUkFemale, kUkLast, kUkLast, kUkCompanies, kUkCities, kUkStreets, {},
     u"United Kingdom", u"EC1A XBB", u"+44 7700 9XXXXX", u"+44 20 7946 0XXX", "example.co.uk"},
    {4, kDeMale, kDeFemale, kDeLast, kDeLast, kDeCompanies, kDeCities, kDeStreets, {},
     u"Deutschland", u"XXXXX", u"+49 17X XXXXXXX", u"+49 30 XXXXXXX", "example.de"},
    {3, kCzMale, kCzFemale, kCzMaleLast, kCzFemaleLast, kCzCompanies, kCzCities, kCzStreets, {},
     u"Česko", u"XXX XX", u"+420 6XX XXX XXX", u"+420 2XX XXX XXX", "example.cz"},
    {2, kPlMale, kPlFemale, kPlMaleLast, kPlFemaleLast, kPlCompanies, kPlCities, kPlStreets, {},
     u"Polska", u"XX-XXX", u"+48 5XX XXX XXX", u"+48 22 XXX XX XX", "example.pl"},
    {3, kFrMale, kFrFemale, kFrLast, kFrLast, kFrCompanies, kFrCities, kFrStreets, {},
     u"France", u"XXXXX", u"+33 6 XX XX XX XX", u"+33 1 XX XX XX XX", "example.fr"},
    {2, kEsMale, kEsFemale, kEsLast, kEsLast, kEsCompanies, kEsCities, kEsStreets, {},
     u"España", u"XXXXX", u"+34 6XX XXX XXX", u"+34 91 XXX XX XX", "example.es"},
    {2, kNoMale, kNoFemale, kNoLast, kNoLast, kNoCompanies, kNoCities, kNoStreets, {},
     u"Danmark", u"XXXX", u"+45 XX XX XX XX", u"+45 33 XX XX XX", "example.dk"},
    {3, kRuMale, kRuFemale, kRuMaleLast, kRuFemaleLast, kRuCompanies, kRuCities, kRuStreets, {},
     u"Россия", u"XXXXXX", u"+7 9XX XXX-XX-XX", u"+7 495 XXX-XX-XX", "example.ru"},
    {2, kGrMale, kGrFemale, kGrMaleLast, kGrFemaleLast, kGrCompanies, kGrCities, kGrStreets, {},
     u"Ελλάδα", u"XXX XX", u"+30 69X XXX XXXX", u"+30 210 XXX XXXX", "example.gr"},
    {1, kJpMale, kJpFemale, kJpLast, kJpLast, kJpCompanies, kJpCities, kJpStreets, {},
     u"日本", u"XXX-XXXX", u"+81 90-XXXX-XXXX", u"+81 3-XXXX-XXXX", "example.jp"},
    {1, kCnMale, kCnFemale, kCnLast, kCnLast, kCnCompanies, kCnCities, kCnStreets, {},
     u"中国", u"XXXXXX", u"+86 13X XXXX XXXX", u"+86 10 XXXX XXXX", "example.cn"},
};

constexpr const char16_t* kJobTitles[] = {u"Sales Manager", u"Engineer", u"Accountant", u"Designer",
    u"Project Lead", u"Nurse", u"Teacher", u"Chef", u"Lawyer", u"Architect", u"Buyer", u"Director"};
constexpr const char16_t* kDepartments[] = {u"Sales", u"Research", u"Purchasing", u"Finance", u"Support"};
constexpr const char16_t* kNotes[] = {
    u"Met at the trade fair in Brno.",
    u"Prefers calls after 6 pm.",
    u"Vegetarian. Allergic to nuts.",
    u"Gate code 4711\r\nSecond floor, the door on the left.",
    u"Lent me the ladder in May; give it back!",
    u"Помогал с переездом в прошлом году.",
    u"Κάλεσε για την προσφορά πριν την Παρασκευή.",
    u"来週の会議について連絡する。",
    u"Schickt jedes Jahr eine Weihnachtskarte – zurückschreiben.",
};
constexpr const char16_t* kNicknames[] = {u"Bobby", u"Kiki", u"Doc", u"Sunny", u"Max"};

constexpr const char16_t* kBusiness = u"Business";
constexpr const char16_t* kSuppliers = u"Suppliers";
// Categories of private contacts with their chances in percent (each drawn on its own).
constexpr struct {
    const char16_t* name;
    uint32_t percent;
} kPrivateCategories[] = {{u"Personal", 30}, {u"Friends", 30}, {u"Family", 15}, {u"Holiday Cards", 8},
                          {u"Sports Club", 6}, {u"VIP", 4}};

// --- Generation -----------------------------------------------------------------------------------

// splitmix64: the same sequence on every machine and standard library.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    template <typename Items>
    const auto& Pick(const Items& items) { return items[Below(static_cast<uint32_t>(std::size(items)))]; }

private:
    uint64_t state_;
};

constexpr uint64_t kSeed = 0x42726576616E65ull;

const Culture& PickCulture(Random& random) {
    uint32_t total = 0;
    for (const Culture& culture : kCultures) total += static_cast<uint32_t>(culture.weight);
    uint32_t at = random.Below(total);
    for (const Culture& culture : kCultures) {
        if (at < static_cast<uint32_t>(culture.weight)) return culture;
        at -= static_cast<uint32_t>(culture.weight);
    }
    return kCultures[0];
}

// The pattern with each 'X' a random digit and each '#' a house number.
Str Fill(std::u16string_view pattern, Random& random) {
    std::u16string text;
    for (const char16_t c : pattern) {
        if (c == u'X') {
            text += static_cast<char16_t>(u'0' + random.Below(10));
        } else if (c == u'#') {
            for (const char c2 : std::to_string(1 + random.Below(120))) text += static_cast<char16_t>(c2);
        } else {
            text += c;
        }
    }
    return Str(text);
}

Str Ascii(std::string_view text) { return Str::FromUtf8(text); }

uint64_t Date(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    uint64_t fileTime = 0;
    (void)ParseCardDate(Str::FromUtf8(text).View(), fileTime);  // a date made just above always parses
    return fileTime;
}

// The draws are made one statement each: the order in which a call's arguments are evaluated is
// unspecified, and the sequence must not depend on the compiler.
uint64_t RandomDate(Random& random, int firstYear, int years) {
    const int year = firstYear + static_cast<int>(random.Below(static_cast<uint32_t>(years)));
    const int month = 1 + static_cast<int>(random.Below(12));
    const int day = 1 + static_cast<int>(random.Below(28));
    return Date(year, month, day);
}

// A head-and-shoulders portrait on a coloured ground, 48 x 48 pixels.
plat::RgbBitmap Portrait(Random& random) {
    constexpr int kSide = 48;
    const uint8_t ground[3] = {static_cast<uint8_t>(80 + random.Below(176)), static_cast<uint8_t>(80 + random.Below(176)),
                               static_cast<uint8_t>(80 + random.Below(176))};
    const uint8_t skins[][3] = {{241, 194, 167}, {224, 172, 105}, {141, 85, 36}, {255, 219, 172}};
    const uint8_t* skin = skins[random.Below(4)];
    const uint8_t shirt[3] = {static_cast<uint8_t>(random.Below(128)), static_cast<uint8_t>(random.Below(128)),
                              static_cast<uint8_t>(random.Below(128))};
    plat::RgbBitmap bitmap{kSide, kSide, std::vector<uint8_t>(kSide * kSide * 3)};
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int hx = x - 24, hy = y - 18, sx = x - 24, sy = y - 50;
            const bool head = hx * hx + hy * hy <= 100;
            const bool shoulders = sx * sx * 324 + sy * sy * 400 <= 400 * 324;
            const uint8_t* colour = head ? skin : shoulders ? shirt : ground;
            std::copy(colour, colour + 3, bitmap.rgb.begin() + (y * kSide + x) * 3);
        }
    }
    return bitmap;
}

class Generator {
public:
    DemoContact Next() {
        DemoContact demo;
        const Culture& culture = PickCulture(random_);
        if (random_.Chance(5)) {
            MakeCompany(demo, culture);
        } else {
            MakePerson(demo, culture);
        }
        AddCategories(demo);
        if (random_.Chance(14)) {
            const plat::RgbBitmap portrait = Portrait(random_);
            const plat::ImageFormat format = random_.Chance(50) ? plat::ImageFormat::Png : plat::ImageFormat::Jpeg;
            demo.contact.SetPicture(ContactPicture::FromBitmap(portrait, format));
        }
        return demo;
    }

private:
    // The address, made unique on the device by a number when it was given before.
    Str UniqueMail(const std::string& local, const std::string& domain) {
        std::string address = local + "@" + domain;
        for (int n = 2; !mails_.insert(address).second; ++n) address = local + std::to_string(n) + "@" + domain;
        return Ascii(address);
    }

    void MakeCompany(DemoContact& demo, const Culture& culture) {
        Contact& c = demo.contact;
        const Named& company = random_.Pick(culture.companies);
        c.SetText(kFieldCompany, company.text);
        c.SetText(kFieldFileAs, company.text);
        c.SetText(kFieldWorkPhone, Fill(culture.landline, random_));
        c.SetText(kFieldWorkFax, Fill(culture.landline, random_));
        c.SetText(kFieldEmail1, UniqueMail("info", std::string(company.ascii) + ".example"));
        c.SetText(kFieldWeb, Ascii(std::string("https://www.") + company.ascii + ".example/"));
        SetAddress(c, culture, kFieldWorkStreet);
        demo.categories.push_back(kBusiness);
        if (random_.Chance(50)) demo.categories.push_back(kSuppliers);
    }

    void MakePerson(DemoContact& demo, const Culture& culture) {
        Contact& c = demo.contact;
        const bool female = random_.Chance(50);
        const std::span<const Named> firsts = female ? culture.femaleFirst : culture.maleFirst;
        const Named& first = random_.Pick(firsts);
        const Named& last = random_.Pick(female ? culture.femaleLast : culture.maleLast);
        c.SetText(kFieldFirst, first.text);
        c.SetText(kFieldLast, last.text);
        c.SetText(kFieldFileAs, Str(std::u16string(last.text) + u", " + first.text));
        if (random_.Chance(8)) {
            const Named& middle = random_.Pick(firsts);
            if (&middle != &first) c.SetText(kFieldMiddle, middle.text);
        }
        if (random_.Chance(8)) c.SetText(kFieldTitle, female ? u"Ms." : u"Dr.");
        if (random_.Chance(3)) c.SetText(kFieldSuffix, u"Jr.");
        if (random_.Chance(5)) c.SetText(kFieldNickname, random_.Pick(kNicknames));
        const std::string handle = std::string(first.ascii) + "." + last.ascii;
        c.SetText(kFieldEmail1, UniqueMail(handle, culture.domain));
        if (random_.Chance(85)) c.SetText(kFieldMobile, Fill(culture.mobile, random_));
        if (random_.Chance(40)) c.SetText(kFieldHomePhone, Fill(culture.landline, random_));
        if (random_.Chance(50)) SetAddress(c, culture, kFieldHomeStreet);
        if (random_.Chance(60)) AddWork(demo, culture, handle);
        if (random_.Chance(15)) c.SetText(kFieldWeb, Ascii("https://" + std::string(last.ascii) + ".example.net/"));
        if (random_.Chance(40)) c.SetBirthday(RandomDate(random_, 1940, 66));
        if (random_.Chance(8)) c.SetAnniversary(RandomDate(random_, 1970, 50));
        if (random_.Chance(25)) c.SetNote(NoteFromText(random_.Pick(kNotes)));
        if (random_.Chance(15)) AddFurtherValues(c, culture);
    }

    void AddWork(DemoContact& demo, const Culture& culture, const std::string& handle) {
        Contact& c = demo.contact;
        const Named& company = random_.Pick(culture.companies);
        c.SetText(kFieldCompany, company.text);
        c.SetText(kFieldJobTitle, random_.Pick(kJobTitles));
        if (random_.Chance(30)) c.SetText(kFieldDepartment, random_.Pick(kDepartments));
        c.SetText(kFieldWorkPhone, Fill(culture.landline, random_));
        if (random_.Chance(40)) c.SetText(kFieldEmail2, UniqueMail(handle, std::string(company.ascii) + ".example"));
        if (random_.Chance(30)) SetAddress(c, culture, kFieldWorkStreet);
        if (random_.Chance(60)) demo.categories.push_back(kBusiness);
    }

    // The street of one of the standard addresses; city, region, postal code and country follow
    // it in field order (street, city, state, postal code, country at descending indices).
    void SetAddress(Contact& c, const Culture& culture, int streetField) {
        c.SetText(streetField, Fill(random_.Pick(culture.streets), random_));
        c.SetText(streetField - 1, random_.Pick(culture.cities));
        if (!culture.regions.empty()) c.SetText(streetField - 2, random_.Pick(culture.regions));
        c.SetText(streetField - 3, Fill(culture.postalCode, random_));
        c.SetText(streetField - 4, culture.country);
    }

    void AddFurtherValues(Contact& c, const Culture& culture) {
        c.phones.Add({u"Holiday home", Fill(culture.landline, random_)});
        if (random_.Chance(50)) c.others.Add({u"Member no.", Fill(u"M-XXXXXX", random_)});
        if (random_.Chance(50)) c.dates.Add({u"Name day", RandomDate(random_, 2000, 1)});
        if (random_.Chance(30)) c.webPages.Add({u"Blog", Fill(u"https://blog.example.org/XXXX", random_)});
    }

    void AddCategories(DemoContact& demo) {
        for (const auto& category : kPrivateCategories) {
            if (random_.Chance(category.percent)) demo.categories.push_back(category.name);
        }
    }

    Random random_{kSeed};
    std::set<std::string> mails_;
};

}  // namespace

std::vector<DemoContact> DemoContacts::Generate(int count) {
    std::vector<DemoContact> contacts;
    Generator generator;
    for (int i = 0; i < count; ++i) contacts.push_back(generator.Next());
    return contacts;
}

std::vector<DemoContact> DemoContacts::SimEntries() {
    static constexpr std::pair<const char16_t*, const char16_t*> kEntries[] = {
        {u"Mum", u"+44 7700 900123"},
        {u"Taxi Rapid", u"+49 151 23456789"},
        {u"Dr. Okafor", u"+1 202 555 0143"},
        {u"Lena M.", u"+43 660 1234567"},
        {u"Hausarzt Notdienst", u"+49 160 5550199"},
        {u"Paolo cell", u"+39 347 555 0172"},
    };
    std::vector<DemoContact> entries;
    for (const auto& [name, number] : kEntries) {
        DemoContact entry;
        entry.contact.SetText(kFieldFirst, name);
        entry.contact.SetText(kFieldMobile, number);
        entry.contact.SetFromSim(true);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<DemoContact> DemoContacts::Everything() {
    std::vector<DemoContact> all = Generate();
    for (DemoContact& entry : SimEntries()) all.push_back(std::move(entry));
    return all;
}

std::u16string DemoContacts::Key(const Contact& contact) {
    return std::u16string(contact.GetDisplayName().View()) + u'\n' + std::u16string(contact.GetText(kFieldEmail1).View());
}

namespace {

// The identifiers of the named categories, adding the missing ones; false when one cannot be
// read or made.
bool CategoryIds(const std::vector<Str>& names, std::map<std::u16string, uint32_t>& known, Array<uint32_t>& ids) {
    CategoryManager* categories = names.empty() ? nullptr : CategoryManager::Instance();
    if (!names.empty() && categories == nullptr) return false;
    if (known.empty() && !names.empty()) {
        Array<CategoryEntry> entries;
        if (!categories->GetAllCategories(entries)) return false;
        for (int i = 0; i < entries.GetSize(); ++i) known[std::u16string(entries[i].name.View())] = entries[i].id;
    }
    for (const Str& name : names) {
        auto found = known.find(std::u16string(name.View()));
        if (found == known.end()) {
            uint32_t id = 0;
            if (categories->AddCategory(name, id) != CategoryManager::kAddCreated) return false;
            found = known.emplace(std::u16string(name.View()), id).first;
        }
        ids.Add(found->second);
    }
    return true;
}

}  // namespace

DemoAddResult AddDemoContacts(ContactManager& manager, const std::vector<DemoContact>& contacts) {
    std::set<std::u16string> stored;
    for (const uint32_t oid : manager.Index().ListAll(IndexOrder::Name, nullptr)) {
        Contact contact;
        if (manager.ReadContact(oid, contact)) stored.insert(DemoContacts::Key(contact));
    }
    DemoAddResult result;
    std::map<std::u16string, uint32_t> categories;
    for (const DemoContact& demo : contacts) {
        if (stored.contains(DemoContacts::Key(demo.contact))) continue;
        Contact contact;
        contact.Assign(demo.contact);
        if (!CategoryIds(demo.categories, categories, contact.categories)) {
            result.ok = false;
            return result;
        }
        const ContactWrite written = manager.AddContact(contact, true);
        if (written.record) ++result.added;
        if (!written.Complete()) {
            result.ok = false;
            return result;
        }
    }
    return result;
}
