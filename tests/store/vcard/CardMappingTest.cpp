#include <gtest/gtest.h>

#include "TestFiles.h"
#include "store/contact/ContactFields.h"

TEST(CardMapping, PhonesGoToTheFirstFreeMatchingFieldThenToFurtherPhones) {
    const Contact c = CardContact(
        "TEL;TYPE=WORK:w1\r\nTEL;TYPE=WORK,VOICE:w2\r\nTEL;TYPE=WORK:w3\r\n"
        "TEL;TYPE=CELL:m1\r\nTEL;TYPE=CELL,WORK:m2\r\nTEL;TYPE=HOME,FAX:hf\r\nTEL;TYPE=FAX:f\r\n"
        "TEL;TYPE=MAIN:co\r\nTEL;TYPE=X-MMS,CELL:mms\r\nTEL;TYPE=ISDN:i\r\n"
        "TEL;TYPE=OTHER:o\r\nTEL:u1\r\nTEL;TYPE=HOME:h\r\nTEL;TYPE=VOICE:u2\r\nTEL;TYPE=HOME:\r\n"
        "TEL;VALUE=uri;TYPE=home:tel:+1-555\r\n");
    ExpectFields(c, {{kFieldWorkPhone, u"w1"}, {kFieldWorkPhone2, u"w2"}, {kFieldMobile, u"m1"},
                     {kFieldHomeFax, u"hf"}, {kFieldWorkFax, u"f"}, {kFieldCompanyPhone, u"co"},
                     {kFieldMms, u"mms"}, {kFieldHomePhone, u"u1"},
                     {kFieldHomePhone2, u"h"}});
    EXPECT_EQ(Pairs(c.phones), (PairList{{u"Work phone", u"w3"}, {u"Mobile", u"m2"},
                                         {u"ISDN", u"i"}, {u"Other", u"o"}, {u"Phone", u"u2"},
                                         {u"Home phone", u"+1-555"}}));
}

TEST(CardMapping, AddressesByTypeWithStreetLinesJoined) {
    const Contact c = CardContact(
        "ADR;TYPE=HOME:PO Box 7;Apt 4;1 Main St;Town;ST;12345;Land\r\n"
        "ADR;TYPE=WORK,POSTAL:;;2 Work Rd;City;;;\r\n"
        "ADR:;;;;;;Only Country\r\nADR;TYPE=HOME:;;Second home;;;;\r\nADR;TYPE=WORK:;;;;;;\r\n"
        "item1.ADR;X-BREVANE-FORMAT=7:;;Cabin;Woods;;;\r\nitem1.X-ABLabel:Summer\r\n"
        "LABEL;TYPE=HOME:1 Main St\\nTown\r\n");
    ExpectFields(c, {{kFieldHomeStreet, u"1 Main St\r\nApt 4\r\nPO Box 7"}, {kFieldHomeCity, u"Town"},
                     {kFieldHomeState, u"ST"}, {kFieldHomePostalCode, u"12345"},
                     {kFieldHomeCountry, u"Land"}, {kFieldWorkStreet, u"2 Work Rd"},
                     {kFieldWorkCity, u"City"}, {kFieldOtherCountry, u"Only Country"}});
    EXPECT_TRUE((std::vector<CustAddress>(c.addresses.begin(), c.addresses.end()) ==
                 std::vector<CustAddress>{{0, u"Home address", u"Second home"}, {7, u"Summer", u"Cabin", u"Woods"}}));
    EXPECT_TRUE(c.others.IsEmpty());  // the label repeats the address
}

TEST(CardMapping, MessagingAddressesCarryTheirService) {
    const Contact c = CardContact(
        "X-AIM:aimname\r\nIMPP:xmpp:me@chat.example\r\nIMPP;X-SERVICE-TYPE=Skype:skype:sky\r\n"
        "IMPP:sip:x@y\r\nX-BREVANE-IM;X-BREVANE-FIELD=0x95:odd:  text \r\nX-JABBER:\r\n"
        "item1.X-BREVANE-IM:raw\r\nitem1.X-BREVANE-IM-TYPE:Pager net\r\nitem1.X-ABLabel:Old\r\n");
    ExpectFields(c, {{kFieldIm1, u"AOL: aimname"}, {kFieldIm2, u"Jabber: me@chat.example"},
                     {kFieldIm3, u"Skype: sky"}});
    EXPECT_TRUE((std::vector<CustIm>(c.ims.begin(), c.ims.end()) ==
                 std::vector<CustIm>{{u"IM", u"x@y", u"sip"}, {u"IM", u"text", u"odd"}, {u"Old", u"raw", u"Pager net"}}));
}

TEST(CardMapping, PeopleAndDates) {
    const Contact c = CardContact(
        "X-SPOUSE:Ann\r\nRELATED;TYPE=spouse:Other Ann\r\nRELATED;TYPE=child:Kid\r\n"
        "RELATED;TYPE=friend:Pal\r\nitem1.X-ABRELATEDNAMES:Boss\r\nitem1.X-ABLabel:_$!<Manager>!$_\r\n"
        "item2.X-ABRELATEDNAMES:Mum\r\nitem2.X-ABLabel:_$!<Mother>!$_\r\n"
        "BDAY:1970-01-02\r\nBDAY:19700103\r\nBDAY;VALUE=text:circa 1800\r\n"
        "X-MS-ANNIVERSARY:2000-06-01\r\nitem3.X-ABDATE:2001-01-01\r\nitem3.X-ABLabel:Met\r\n"
        "X-ABDATE:2002-01-01\r\n", "4.0");
    ExpectFields(c, {{kFieldSpouse, u"Ann"}, {kFieldChildren, u"Kid"}, {kFieldManager, u"Boss"}});
    EXPECT_EQ(Pairs(c.people), (PairList{{u"Spouse", u"Other Ann"}, {u"Friend", u"Pal"},
                                         {u"Mother", u"Mum"}}));
    constexpr uint64_t kDay = 864'000'000'000;
    EXPECT_EQ(std::pair(c.GetBirthday(), c.GetAnniversary()), std::pair(134'775 * kDay, 145'883 * kDay));
    EXPECT_TRUE((std::vector<CustDate>(c.dates.begin(), c.dates.end()) ==
                 std::vector<CustDate>{{u"Birthday", 134'776 * kDay}, {u"Met", 146'097 * kDay}, {u"Date", 146'462 * kDay}}));
    EXPECT_EQ(Pairs(c.others), (PairList{{u"BDAY", u"circa 1800"}}));
}

TEST(CardMapping, NamesFromNOrElseFromTheFormattedName) {
    const struct {
        std::string body;
        std::vector<std::pair<int, std::u16string>> fields;
    } cases[] = {
        {"N:Doe;Jane;Q;Ms.;III\r\nFN:Whatever\r\n",
         {{kFieldLast, u"Doe"}, {kFieldFirst, u"Jane"}, {kFieldMiddle, u"Q"}, {kFieldTitle, u"Ms."},
          {kFieldSuffix, u"III"}}},
        {"FN:Pizza Place\r\n", {{kFieldFirst, u"Pizza Place"}}},
        {"N:;;;;\r\nFN:Solo\r\n", {{kFieldFirst, u"Solo"}}},
        {"N:;;;;\r\nFN:Acme\r\nORG:  Acme ;Sales;EMEA\r\n",
         {{kFieldCompany, u"  Acme "}, {kFieldDepartment, u"Sales, EMEA"}}},
        {"TITLE:Chief\r\nTITLE:Also chief\r\nNICKNAME:Jo,Joey\r\n",
         {{kFieldJobTitle, u"Chief"}, {kFieldNickname, u"Jo,Joey"}}},
    };
    for (const auto& c : cases) ExpectFields(CardContact(c.body), c.fields);
    EXPECT_EQ(Pairs(CardContact(cases[4].body).others), (PairList{{u"Job Title", u"Also chief"}}));
}

TEST(CardMapping, WhatIsNotUnderstoodIsKeptAsOtherValues) {
    const auto card = ImportOk(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;B;;;\r\nN:C;D;;;\r\nPRODID:-//x//y\r\nUID:123\r\nREV:2020\r\nX-ABUID:9\r\n"
        "GEO:37.38;-122.08\r\nX-FAVOURITE-COLOUR:green\r\nSOURCE:ldap://x\r\nLABEL:Somewhere 1\r\n"
        "LOGO;ENCODING=b;TYPE=PNG:AAEC\r\nPHOTO;VALUE=uri:http://example.com/a.jpg\r\n"
        "PHOTO;ENCODING=b;TYPE=JPEG:AAEC\r\nCATEGORIES:x, y ,x,,\r\nCATEGORIES:z\r\n"
        "X-BREVANE-DEFAULT:0xF0001234\r\nEND:VCARD\r\n");
    ASSERT_EQ(card.size(), 1u);
    const Contact& c = card[0].contact;
    EXPECT_EQ(card[0].categories, (std::vector<Str>{u"x", u"y", u"z"}));
    EXPECT_EQ(Pairs(c.others), (PairList{{u"N", u"C;D;;;"},
                                         {u"GEO", u"37.38;-122.08"},
                                         {u"X-FAVOURITE-COLOUR", u"green"},
                                         {u"SOURCE", u"ldap://x"},
                                         {u"LABEL", u"Somewhere 1"},
                                         {u"LOGO", u"data:application/octet-stream;base64,AAEC"}}));
    EXPECT_EQ(Pairs(c.webPages), (PairList{{u"Photo", u"http://example.com/a.jpg"}}));
    // A picture that does not decode is dropped and named, never kept as text.
    EXPECT_TRUE(c.GetPicture().IsEmpty());
    EXPECT_EQ(card[0].dropped.size(), 1u);
    EXPECT_EQ(c.GetDefaultTag(), 0xF0001234u);
    const auto imported = ImportOk("BEGIN:VCARD\r\nVERSION:2.1\r\nCATEGORIES:a;b,c\r\nEND:VCARD\r\n");
    EXPECT_EQ(imported[0].categories, (std::vector<Str>{u"a", u"b", u"c"}));
}
