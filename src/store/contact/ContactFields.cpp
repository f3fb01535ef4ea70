#include "store/contact/ContactFields.h"

#include <algorithm>

const std::array<ContactTextField, kTextFieldCount> kTextFields = {{
    {0x90, u"E-mail"},
    {0x91, u"E-mail 2"},
    {0x92, u"E-mail 3"},
    {0xE5, u"other address, country"},
    {0xE4, u"other address, postal code"},
    {0xE3, u"other address, state"},
    {0xE2, u"other address, city"},
    {0xE1, u"other address, street"},
    {0xC5, u"work address, country"},
    {0xC4, u"work address, postal code"},
    {0xC3, u"work address, state"},
    {0xC2, u"work address, city"},
    {0xC1, u"work address, street"},
    {0x97, u"Work phone"},
    {0x98, u"Work phone"},
    {0x9B, u"Work fax"},
    {0xD5, u"home address, country"},
    {0xD4, u"home address, postal code"},
    {0xD3, u"home address, state"},
    {0xD2, u"home address, city"},
    {0xD1, u"home address, street"},
    {0x99, u"Home phone"},
    {0x9A, u"Home phone"},
    {0x9C, u"Home fax"},
    {0x81, u"Title"},
    {0x85, u"Suffix"},
    {0x82, u"First"},
    {0x83, u"Middle"},
    {0x84, u"Last"},
    {0xA5, u"Spouse"},
    {0xA6, u"Children"},
    {0x9D, u"Pager"},
    {0xA7, u"Web"},
    {0x9E, u"Car"},
    {0x9F, u"Radio"},
    {0x96, u"Mobile"},
    {0x8E, u"Office"},
    {0x8B, u"Department"},
    {0x8C, u"Job Title"},
    {0x8A, u"Company"},
    {0xA1, u"Assistant phone"},
    {0x8F, u"Assistant"},
    {0x80, u"File As"},
    {0x8D, u"Manager"},
    {0x87, u"text"},
    {0x88, u"text"},
    {0x89, u"text"},
    {0x101, u"text"},
    {0xA8, u"Ringtone"},
    {0x86, u"Nickname"},
    {0x93, u"IM"},
    {0x94, u"IM 2"},
    {0x95, u"IM 3"},
    {0xA9, u"Cust.ID"},
    {0xAA, u"Govt.ID"},
    {0xA0, u"Company"},
    {0xAB, u"Account"},
    {0x10A3, u"MMS"},
}};

const std::array<int, 13> kPhoneFieldsNamedOrder = {
    kFieldWorkPhone, kFieldHomePhone,  kFieldMobile,     kFieldPager,    kFieldRadio,
    kFieldAssistantPhone, kFieldCar,   kFieldWorkFax,    kFieldWorkPhone2, kFieldHomePhone2,
    kFieldHomeFax,   kFieldCompanyPhone, kFieldMms,
};

const std::array<int, 3> kEmailFields = {kFieldEmail1, kFieldEmail2, kFieldEmail3};

const std::array<uint16_t, 13> kPhoneProps = {0x97, 0x98, 0x9B, 0x99, 0x9A, 0x9C, 0x9D,
                                              0x9E, 0x9F, 0x96, 0xA1, 0xA0, 0x10A3};

int TextFieldOfProp(uint16_t prop) {
    for (int i = 0; i < kTextFieldCount; ++i) {
        if (kTextFields[static_cast<size_t>(i)].prop == prop) return i;
    }
    return -1;
}

bool IsPhoneField(int field) {
    return std::find(kPhoneFieldsNamedOrder.begin(), kPhoneFieldsNamedOrder.end(), field) !=
           kPhoneFieldsNamedOrder.end();
}
