#include <gtest/gtest.h>

#include "TestFiles.h"
#include "platform/imaging/Imaging.h"
#include "store/contact/ContactFields.h"
#include "store/vcard/CardDate.h"
#include "store/vcard/NoteText.h"
#include "support/ContactOf.h"

namespace {

// Category names with characters a category list must escape (no category name holds ',' or
// ';'); a name's identifier is its position + 1.
const char16_t* const kCategoryNames[] = {u"Work", u"Friends old", u"A\\B", u"\u00dcber", u"back\\slash"};

// A small deterministic generator of contacts with awkward values.
class ContactMaker {
public:
    explicit ContactMaker(uint64_t seed) : state_(seed | 1) {}

    uint64_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    bool Chance(int percent) { return static_cast<int>(Next() % 100) < percent; }

    // Texts with every character the card format must escape or fold, line breaks as CR LF.
    Str Text() {
        static const std::u16string kPieces[] = {
            u"Anna", u" ", u",", u";", u":", u"\\", u"\\n", u"\"", u"\r\n", u"\t", u"=",
            u"M\u00fcller", u"\u0416\u0451\u043b", u"\u6771\u4eac", u"\U0001F600", u"O'Neill",
            u"AOL: x", u"_$!<", u">!$_", u"_$!<Mobile>!$_", u"item1.", u"BEGIN:VCARD", u"0x98", u"+1 (555) 010-0100",
            u"Mobile", u"Video", u"Phone", u"FN",
        };
        std::u16string text;
        const int pieces = Chance(5) ? 60 : static_cast<int>(Next() % 5) + 1;
        for (int i = 0; i < pieces; ++i) text += kPieces[Next() % std::size(kPieces)];
        return Str(text);
    }
    Str MaybeText(int percent) { return Chance(percent) ? Text() : Str(); }

    uint64_t Date() { return Chance(30) ? Next() % 864'000'000'000 * 200'000 : Next(); }

    Contact Make(std::vector<Str>& categories) {
        Contact c;
        for (int field = 0; field < kTextFieldCount; ++field) c.SetText(field, MaybeText(40));
        for (int field : {kFieldIm1, kFieldIm2, kFieldIm3}) {
            if (Chance(30)) c.SetText(field, Str(u"Skype: ") + Text());
        }
        if (Chance(60)) c.SetBirthday(Date());
        if (Chance(40)) c.SetAnniversary(Date());
        if (Chance(50)) c.SetDefaultTag(static_cast<uint32_t>(Next()));
        for (auto* list : {&c.phones, &c.emails, &c.webPages, &c.people, &c.ringtones, &c.others}) {
            while (Chance(40)) list->Add({MaybeText(90), MaybeText(90)});
        }
        while (Chance(40)) c.ims.Add({MaybeText(90), MaybeText(90), MaybeText(70)});
        while (Chance(40)) {
            c.addresses.Add({static_cast<uint32_t>(Chance(50) ? Next() : 0), MaybeText(90),
                             MaybeText(60), MaybeText(60), MaybeText(60), MaybeText(60),
                             MaybeText(60)});
        }
        while (Chance(40)) c.dates.Add({MaybeText(90), Date()});
        if (Chance(50)) {
            c.homeAddressFormat = static_cast<uint32_t>(Next() % 60);
            c.fourthFormat = static_cast<uint32_t>(Next());
        }
        if (Chance(50)) {
            c.SetNote(NoteFromText(Text().View()));
        } else if (Chance(50)) {  // note data that is no plain text: odd size, NULs, lone LF
            std::vector<uint8_t> bytes(Next() % 40 + 1);
            for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(Chance(20) ? 0 : Next());
            c.SetNote(ByteBlock(std::move(bytes)));
        }
        if (Chance(30)) {
            plat::RgbBitmap bitmap{3, 2, {}};
            for (int i = 0; i < 18; ++i) bitmap.rgb.push_back(static_cast<uint8_t>(Next()));
            c.SetPicture(ContactPicture::FromImageBytes(plat::EncodeImage(bitmap, plat::ImageFormat::Png).value()));
            EXPECT_FALSE(c.GetPicture().IsEmpty());
        }
        for (uint32_t id = 1; id <= std::size(kCategoryNames); ++id) {
            if (!Chance(30)) continue;
            c.categories.Add(id);
            categories.emplace_back(kCategoryNames[id - 1]);
        }
        return c;
    }

private:
    uint64_t state_;
};

}  // namespace

// Every card of one file is read back to the contact it was written from.
TEST(VCardRoundTrip, ExportedContactsImportBackEqual) {
    ContactMaker maker(20240611);
    std::vector<Contact> originals;
    std::vector<std::vector<Str>> categories(300);
    std::vector<std::string> cards;
    std::string file;
    for (auto& names : categories) {
        originals.push_back(maker.Make(names));
        cards.push_back(ExportContact(originals.back(), names));
        file += cards.back();
    }
    const auto imported = ImportOk(file);
    ASSERT_EQ(imported.size(), originals.size());
    for (size_t i = 0; i < originals.size(); ++i) {
        EXPECT_EQ(imported[i].categories, categories[i]) << "contact " << i;
        Contact back = imported[i].contact;
        back.categories = originals[i].categories;
        ASSERT_TRUE(back.Equals(originals[i]))
            << "contact " << i << " written as\n" << cards[i] << "read back as\n"
            << ExportContact(back, imported[i].categories);
    }
}

TEST(VCardRoundTrip, WrittenCardsUseStandardPropertiesWhereTheyExist) {
    Contact c;
    c.SetText(kFieldFirst, u"Anna");
    c.SetText(kFieldLast, u"Smith");
    c.SetText(kFieldCompany, u"Acme; Inc.");
    c.SetText(kFieldWorkPhone2, u"+1 555 0101");
    c.SetText(kFieldMobile, u"+1 555 0102");
    c.SetText(kFieldEmail1, u"anna@example.com");
    c.SetText(kFieldIm1, u"AOL: annas");
    c.SetText(kFieldHomeCity, u"Springfield");
    c.SetBirthday(uint64_t{142'215} * 864'000'000'000);
    c.phones.Add({u"Boat", u"+1 555 0199"});
    c.phones.Add({u"Mobile", u"+1 555 0103"});
    c.phones.Add({u"Video", u"+1 555 0104"});
    c.phones.Add({u"Home phone", u"+1 555 0105"});
    EXPECT_EQ(ExportContact(c, {u"VIP"}),
              "BEGIN:VCARD\r\nVERSION:3.0\r\n"
              "FN:Anna Smith\r\n"
              "N:Smith;Anna;;;\r\n"
              "ORG:Acme\\; Inc.\r\n"
              "TEL;TYPE=WORK,VOICE;X-BREVANE-FIELD=0x98:+1 555 0101\r\n"
              "TEL;TYPE=CELL,VOICE:+1 555 0102\r\n"
              "item1.X-ABLABEL:Boat\r\n"
              "item1.TEL:+1 555 0199\r\n"
              "TEL;TYPE=CELL,VOICE:+1 555 0103\r\n"
              "TEL;TYPE=VIDEO:+1 555 0104\r\n"
              "item2.X-ABLABEL:Home phone\r\n"
              "item2.TEL;TYPE=HOME,VOICE:+1 555 0105\r\n"
              "EMAIL;TYPE=INTERNET:anna@example.com\r\n"
              "X-AIM:annas\r\n"
              "ADR;TYPE=HOME:;;;Springfield;;;\r\n"
              "BDAY:1990-05-17\r\n"
              "CATEGORIES:VIP\r\n"
              "END:VCARD\r\n");
}

// The formatted name is the name other programs show: composed from the name fields, or the one
// the contact came with; a date without a year is written as it came, without one.
TEST(VCardRoundTrip, FormattedNamesAndDatesWithoutAYear) {
    const struct {
        std::vector<std::pair<int, const char16_t*>> fields;
        std::vector<CustText> others;
        std::string fn;
        std::string alsoWritten;
    } cases[] = {
        {{{kFieldTitle, u"Dr."}, {kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldSuffix, u"Jr."}},
         {},
         "FN:Dr. Anna Smith Jr.\r\n",
         ""},
        {{{kFieldCompany, u"Acme"}}, {}, "FN:Acme\r\n", ""},
        {{{kFieldFirst, u"Robert"}, {kFieldLast, u"Smith"}},
         {{u"FN", u"Bob Smith"}, {u"FN", u"Bobby"}},
         "FN:Bob Smith\r\n",
         "item1.X-BREVANE-OTHER:Bobby\r\n"},
        {{{kFieldFirst, u"Robert"}, {kFieldLast, u"Smith"}},
         {{u"FN", u"Robert Smith"}},
         "FN:Robert Smith\r\n",
         "item1.X-BREVANE-OTHER:Robert Smith\r\n"},
        {{{kFieldCompany, u"Acme"}},
         {{u"FN", u"Acme Inc"}},
         "FN:Acme\r\n",
         "item1.X-BREVANE-OTHER:Acme Inc\r\n"},
    };
    for (const auto& c : cases) {
        Contact contact;
        for (const auto& [field, text] : c.fields) contact.SetText(field, text);
        for (const CustText& other : c.others) contact.others.Add(other);
        uint64_t birthday = 0;
        ASSERT_TRUE(ParseCardDate(u"--02-29", birthday));
        contact.SetBirthday(birthday);
        const std::string card = ExportContact(contact, {});
        EXPECT_NE(card.find("\r\n" + c.fn), std::string::npos) << card;
        EXPECT_NE(card.find("\r\nBDAY:--02-29\r\n"), std::string::npos) << card;
        if (!c.alsoWritten.empty()) {
            EXPECT_NE(card.find(c.alsoWritten), std::string::npos) << card;
        }
        const auto back = ImportOk(card);
        ASSERT_EQ(back.size(), 1u);
        EXPECT_TRUE(back[0].contact.Equals(contact)) << card;
    }
}

// A card is not a SIM card: a contact exported from the SIM card comes back as the phone's own.
TEST(VCardRoundTrip, ACardOfASimContactImportsAsThePhonesOwn) {
    Contact onCard;
    onCard.SetText(kFieldFirst, u"Mum");
    onCard.SetText(kFieldMobile, u"+44 7700 900123");
    onCard.SetFromSim(true);
    const auto imported = ImportOk(ExportContact(onCard, {}));
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_FALSE(imported[0].contact.IsFromSim());
    EXPECT_TRUE(imported[0].contact.Equals(onCard));
}

// A contact's UID and revision are written as UID and REV (to the second) and read back; a card
// from another program keeps its own UID, and a REV that is no date is dropped.
TEST(VCardRoundTrip, TheUidAndTheRevisionTravelWithTheCard) {
    Contact c;
    c.SetText(kFieldFirst, u"Anna");
    c.SetUid(u"0f8a5d1c-2b3e-4c5d-8e9f-a0b1c2d3e4f5");
    c.SetRevision(uint64_t{142'215} * 864'000'000'000 + 12'345'678'901);
    const std::string card = ExportContact(c, {});
    EXPECT_NE(card.find("\r\nUID:0f8a5d1c-2b3e-4c5d-8e9f-a0b1c2d3e4f5\r\n"), std::string::npos) << card;
    EXPECT_NE(card.find("\r\nREV:1990-05-17T00:20:34Z\r\n"), std::string::npos) << card;
    const auto back = ImportOk(card);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].contact.GetUid(), c.GetUid());
    EXPECT_EQ(back[0].contact.GetRevision(), c.GetRevision() - 5'678'901);

    const auto foreign = ImportOk(
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Bo\r\nUID:urn:uuid:ABC\\,1\r\n"
        "REV:19951031T222710Z\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cy\r\nREV:yesterday\r\nEND:VCARD\r\n");
    ASSERT_EQ(foreign.size(), 2u);
    EXPECT_EQ(foreign[0].contact.GetUid(), Str(u"urn:uuid:ABC,1"));
    uint64_t revision = 0;
    ASSERT_TRUE(ParseCardDate(u"1995-10-31T22:27:10Z", revision));
    EXPECT_EQ(foreign[0].contact.GetRevision(), revision);
    EXPECT_TRUE(foreign[1].contact.GetUid().IsEmpty());
    EXPECT_EQ(foreign[1].contact.GetRevision(), 0u);
    EXPECT_TRUE(foreign[1].contact.others.IsEmpty());
    // A contact without either writes neither.
    const std::string plain = ExportContact(ContactOf({{kFieldFirst, u"Dee"}}), {});
    EXPECT_EQ(plain.find("UID"), std::string::npos);
    EXPECT_EQ(plain.find("REV"), std::string::npos);
}
