#include "phone/menu/PhoneFields.h"

#include <algorithm>

#include "core/res/ResourceStrings.h"
#include "store/contact/Contact.h"

namespace {

constexpr uint32_t kStrWork = 41323, kStrHome = 41360, kStrMobile = 41324, kStrHomeFax = 41325,
                   kStrWorkFax = 41326, kStrCar = 41327, kStrPager = 41328, kStrRadio = 41329,
                   kStrAssistant = 41330, kStrMms = 41331, kStrCompany = 41332, kStrEmail = 41333,
                   kStrEmail2 = 41334, kStrEmail3 = 41335;

const Str& EmptyText() {
    static const Str empty;
    return empty;
}

}  // namespace

const std::array<NumberField, 13> kMenuPhoneFields = {{
    {kTagWork, kStrWork}, {kTagWork2, kStrWork}, {kTagHome, kStrHome}, {kTagHome2, kStrHome},
    {kTagMobile, kStrMobile}, {kTagHomeFax, kStrHomeFax}, {kTagWorkFax, kStrWorkFax},
    {kTagPager, kStrPager}, {kTagCar, kStrCar}, {kTagRadio, kStrRadio},
    {kTagAssistant, kStrAssistant}, {kTagCompany, kStrCompany}, {kTagMms, kStrMms},
}};

const std::array<NumberField, 13> kChooserPhoneFields = {{
    {kTagWork, kStrWork}, {kTagWork2, kStrWork}, {kTagHome, kStrHome}, {kTagHome2, kStrHome},
    {kTagMobile, kStrMobile}, {kTagHomeFax, kStrHomeFax}, {kTagWorkFax, kStrWorkFax},
    {kTagPager, kStrPager}, {kTagCar, kStrCar}, {kTagRadio, kStrRadio},
    {kTagAssistant, kStrAssistant}, {kTagMms, kStrMms}, {kTagCompany, kStrCompany},
}};

const std::array<NumberField, 3> kEmailNumberFields = {{
    {kTagEmail, kStrEmail}, {kTagEmail2, kStrEmail2}, {kTagEmail3, kStrEmail3},
}};

const Str& FieldText(const Contact& contact, uint32_t tag) {
    if ((tag & 0xFFFF) != 0x1F) return EmptyText();
    const int field = TextFieldOfProp(static_cast<uint16_t>(tag >> 16));
    return field < 0 ? EmptyText() : contact.GetText(field);
}

bool IsPhoneTag(uint32_t tag) {
    return std::any_of(kMenuPhoneFields.begin(), kMenuPhoneFields.end(),
                       [tag](const NumberField& f) { return f.tag == tag; });
}

Str FieldLabel(uint32_t tag) {
    for (const std::span<const NumberField> list : {std::span<const NumberField>(kMenuPhoneFields),
                                                    std::span<const NumberField>(kEmailNumberFields)}) {
        for (const NumberField& f : list) {
            if (f.tag == tag) return RequireStr(f.label);
        }
    }
    return {};
}
