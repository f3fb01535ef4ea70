#include "view/pane/FieldNames.h"

#include "store/contact/ContactFields.h"
#include "view/pane/ContactFieldBag.h"

namespace {

constexpr NamedField kNameParts[] = {
    {kFieldTitle, 41183},   {kFieldFirst, 41148},      {kFieldMiddle, 41149},
    {kFieldLast, 41150},    {kFieldSuffix, 41151},     {kFieldJobTitle, 41152},
    {kFieldCompany, 41153}, {kFieldDepartment, 41154}, {kFieldFileAs, 41279},
};
constexpr NamedField kPhones[] = {
    {kFieldWorkPhone, 41155},  {kFieldWorkPhone2, 41155},      {kFieldHomePhone, 41156},
    {kFieldHomePhone2, 41156}, {kFieldMobile, 41157},          {kFieldHomeFax, 41158},
    {kFieldWorkFax, 41197},    {kFieldPager, 41160},           {kFieldCar, 41159},
    {kFieldRadio, 41161},      {kFieldAssistantPhone, 41162},  {kFieldMms, 41269},
    {kFieldCompanyPhone, 41270},
};
constexpr NamedField kEmails[] = {{kFieldEmail1, 41163}, {kFieldEmail2, 41164}, {kFieldEmail3, 41165}};
constexpr NamedField kWeb[] = {{kFieldWeb, 41170}};
constexpr NamedField kPeople[] = {
    {kFieldSpouse, 41178}, {kFieldAssistant, 41176}, {kFieldChildren, 41177}, {kFieldManager, 41375},
};
constexpr NamedField kLinks[] = {{kFieldRingtone, 41277}};
constexpr NamedField kIms[] = {{kFieldIm1, 41194}, {kFieldIm2, 41271}, {kFieldIm3, 41272}};
constexpr NamedField kOthers[] = {
    {kFieldNickname, 41278}, {kFieldAccount, 41275}, {kFieldCustomerId, 41273}, {kFieldGovernmentId, 41274},
};

constexpr NamedAddress kAddresses[] = {
    {41173, {kFieldHomeStreet, kFieldHomeCity, kFieldHomeState, kFieldHomePostalCode, kFieldHomeCountry},
     &ContactCustProps::homeAddressFormat},
    {41172, {kFieldWorkStreet, kFieldWorkCity, kFieldWorkState, kFieldWorkPostalCode, kFieldWorkCountry},
     &ContactCustProps::workAddressFormat},
    {41174, {kFieldOtherStreet, kFieldOtherCity, kFieldOtherState, kFieldOtherPostalCode, kFieldOtherCountry},
     &ContactCustProps::otherAddressFormat},
};

}  // namespace

std::span<const NamedField> NamedFieldsOf(int bagList) {
    switch (bagList) {
    case kBagNameParts: return kNameParts;
    case kBagPhones: return kPhones;
    case kBagEmails: return kEmails;
    case kBagWeb: return kWeb;
    case kBagPeople: return kPeople;
    case kBagLinks: return kLinks;
    case kBagMessaging: return kIms;
    case kBagOther: return kOthers;
    default: return {};
    }
}

Array<CustText> ContactCustProps::*CustomTextsOf(int bagList) {
    switch (bagList) {
    case kBagPhones: return &ContactCustProps::phones;
    case kBagEmails: return &ContactCustProps::emails;
    case kBagWeb: return &ContactCustProps::webPages;
    case kBagPeople: return &ContactCustProps::people;
    case kBagLinks: return &ContactCustProps::ringtones;
    case kBagOther: return &ContactCustProps::others;
    default: return nullptr;
    }
}

std::span<const NamedAddress> NamedAddresses() { return kAddresses; }
