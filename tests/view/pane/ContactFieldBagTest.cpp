#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/contact/Contact.h"
#include "view/pane/ContactFieldBag.h"

namespace {

std::vector<std::string> Names(const ContactFieldBag& bag, int list) {
    std::vector<std::string> out;
    for (const BagValue& v : bag.List(list)) out.push_back(v.name.ToUtf8() + "=" + v.text.ToUtf8());
    return out;
}

using V = std::vector<std::string>;

TEST(ContactFieldBag, ListsFollowTheFixedOrderThenTheFurtherValues) {
    Contact c;
    c.SetText(kFieldCompanyPhone, u"9");
    c.SetText(kFieldHomePhone2, u"4");
    c.SetText(kFieldWorkPhone, u"1");
    c.SetText(kFieldWorkPhone2, u"2");
    c.SetText(kFieldPager, u"7");
    c.SetText(kFieldCar, u"8");
    c.phones.Add({u"Boat", u"10"});
    c.SetText(kFieldManager, u"Mia");
    c.SetText(kFieldSpouse, u"Bob");
    c.SetText(kFieldFileAs, u"Smith");
    c.SetText(kFieldTitle, u"Dr.");
    c.SetText(kFieldIm2, u"ICQ : 42");
    c.SetText(kFieldIm1, u"jabber-less");
    c.ims.Add({u"Chat", u"x1", u"Matrix"});
    c.others.Add({u"Pet", u"Rex"});
    ContactFieldBag bag;
    bag.Fill(c);
    EXPECT_EQ(Names(bag, kBagPhones), (V{"Work phone=1", "Work phone=2", "Home phone=4", "Pager=7", "Car=8",
                                         "Company=9", "Boat=10"}));
    EXPECT_EQ(Names(bag, kBagPeople), (V{"Spouse=Bob", "Manager=Mia"}));
    EXPECT_EQ(Names(bag, kBagNameParts), (V{"Title=Dr.", "File As@FileAs=Smith"}));
    EXPECT_EQ(Names(bag, kBagMessaging), (V{"IM=jabber-less", "IM 2=42", "Chat=x1"}));
    EXPECT_EQ(Names(bag, kBagOther), (V{"Pet=Rex"}));
    EXPECT_TRUE(bag.List(kBagEmails).IsEmpty());
}

}  // namespace
