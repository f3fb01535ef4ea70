#include "store/vcard/CardFields.h"

#include <algorithm>
#include <array>

#include "platform/text/Utf.h"
#include "store/contact/ContactFields.h"
#include "store/contact/StdContact.h"
#include "store/vcard/Ascii.h"
#include "store/vcard/VCardFormat.h"
#include "store/vcard/ValueText.h"

namespace {

// Other writers' names of the fields that have a card property of their own.
constexpr FieldProperty kOtherWritersNames[] = {
    {"X-EVOLUTION-SPOUSE", kFieldSpouse},
    {"X-KADDRESSBOOK-X-SPOUSENAME", kFieldSpouse},
    {"X-MS-SPOUSE", kFieldSpouse},
    {"X-MS-CHILD", kFieldChildren},
    {"X-EVOLUTION-ASSISTANT", kFieldAssistant},
    {"X-KADDRESSBOOK-X-ASSISTANTSNAME", kFieldAssistant},
    {"X-MS-ASSISTANT", kFieldAssistant},
    {"X-EVOLUTION-MANAGER", kFieldManager},
    {"X-KADDRESSBOOK-X-MANAGERSNAME", kFieldManager},
    {"X-MS-MANAGER", kFieldManager},
    {"X-KADDRESSBOOK-X-OFFICE", kFieldOffice},
    {"X-EVOLUTION-FILE-AS", kFieldFileAs},
};

// Names other writers give fields this system writes in another property.
constexpr FieldProperty kReadOnlyFieldProperties[] = {
    {"X-KADDRESSBOOK-X-SPOUSESNAME", kFieldSpouse},
    {"X-KADDRESSBOOK-X-DEPARTMENT", kFieldDepartment},
    {"X-DEPARTMENT", kFieldDepartment},
};

// Types that pick fields, strongest first: the first entry any of whose types is present wins.
struct TypeRule {
    std::array<std::string_view, 3> types;
    std::vector<int> fields;
};

const TypeRule kKindRules[] = {
    {{"X-MMS", "MMS"}, {kFieldMms}},
    {{"X-ASSISTANT", "ASSISTANT", "X-EVOLUTION-ASSISTANT"}, {kFieldAssistantPhone}},
    {{"X-RADIO", "RADIO", "X-EVOLUTION-RADIO"}, {kFieldRadio}},
    {{"MAIN", "COMPANY", "X-EVOLUTION-COMPANY"}, {kFieldCompanyPhone}},
    {{"PAGER"}, {kFieldPager}},
    {{"CAR"}, {kFieldCar}},
};

const TypeRule kLocationRules[] = {
    {{"CELL", "MOBILE", "IPHONE"}, {kFieldMobile}},
    {{"HOME"}, {kFieldHomePhone, kFieldHomePhone2}},
    {{"WORK"}, {kFieldWorkPhone, kFieldWorkPhone2}},
};

// Kinds of number no field holds, and the label their numbers get.
constexpr std::pair<std::string_view, std::u16string_view> kLabelledKinds[] = {
    {"OTHER", u"Other"},
    {"ISDN", u"ISDN"},
    {"TEXT", u"Text"},
    {"VIDEO", u"Video"},
    {"TEXTPHONE", u"Textphone"},
    {"MSG", u"Message"},
    {"BBS", u"BBS"},
    {"MODEM", u"Modem"},
    {"PCS", u"PCS"},
    {"CALLBACK", u"Callback"},
    {"X-EVOLUTION-CALLBACK", u"Callback"},
    {"TTYTDD", u"TTY/TDD"},
    {"X-EVOLUTION-TTYTDD", u"TTY/TDD"},
    {"TLX", u"Telex"},
    {"X-EVOLUTION-TELEX", u"Telex"},
};

constexpr ImService kImServices[] = {
    {u"AOL", "X-AIM", "aim"},
    {u"ICQ", "X-ICQ", "icq"},
    {u"MSN", "X-MSN", "msnim"},
    {u"Jabber", "X-JABBER", "xmpp"},
    {u"Yahoo", "X-YAHOO", "ymsgr"},
    {u"Skype", "X-SKYPE", "skype"},
    {u"Google Talk", "X-GOOGLE-TALK", "gtalk"},
    {u"Gadu-Gadu", "X-GADUGADU", "gg"},
    {u"QQ", "X-QQ", "qq"},
    {u"GroupWise", "X-GROUPWISE", "groupwise"},
};

constexpr std::pair<std::string_view, std::u16string_view> kImAliases[] = {
    {"X-SKYPE-USERNAME", u"Skype"},
    {"X-GTALK", u"Google Talk"},
    {"X-KADDRESSBOOK-X-IMADDRESS", u""},
    {"X-MS-IMADDRESS", u""},
    {"X-IM", u""},
};

// "X-MESSAGING/aim-All": a desktop writer's messaging property, the service between the slash
// and the dash.
constexpr std::string_view kMessagingPrefix = "X-MESSAGING/";

constexpr std::string_view kMetadata[] = {
    "VERSION",           "PRODID",         "KIND",
    "CLIENTPIDMAP",      "NAME",           "PROFILE",
    "X-ABUID",           "X-ABSHOWAS",     "X-ABLABEL",
    "X-ABADR",           "X-MS-OL-DESIGN", "X-MS-OL-DEFAULT-POSTAL-ADDRESS",
    "X-BREVANE-IM-TYPE",
};

constexpr std::string_view kAnniversaries[] = {
    "ANNIVERSARY",
    "X-ANNIVERSARY",
    "X-MS-ANNIVERSARY",
    "X-EVOLUTION-ANNIVERSARY",
    "X-KADDRESSBOOK-X-ANNIVERSARY",
};

bool HasAnyType(const std::vector<std::string>& types, const std::array<std::string_view, 3>& any) {
    for (const std::string& type : types) {
        for (std::string_view wanted : any) {
            if (!wanted.empty() && type == wanted) return true;
        }
    }
    return false;
}

bool Contains(const std::vector<std::string>& types, std::string_view type) {
    return HasAnyType(types, {type});
}

PhoneTarget FieldTarget(std::vector<int> fields) {
    const std::u16string label(TextFieldLabel(fields.front()).View());
    return {std::move(fields), label};
}

}  // namespace

std::span<const FieldProperty> FieldProperties() {
    static const std::vector<FieldProperty> written = [] {
        std::vector<FieldProperty> properties;
        for (const FieldInfo& info : ContactFieldTable()) {
            if (info.kind == FieldKind::Text && !info.vcard.empty())
                properties.push_back({info.vcard, info.id});
        }
        // Written in the order cards have always had them.
        std::sort(properties.begin(), properties.end(), [](const FieldProperty& a, const FieldProperty& b) {
            return FieldInfoOf(a.field).cardOrder < FieldInfoOf(b.field).cardOrder;
        });
        return properties;
    }();
    return written;
}

int FieldOfProperty(std::string_view name) {
    for (std::span<const FieldProperty> table :
         {FieldProperties(), std::span<const FieldProperty>(kOtherWritersNames),
          std::span<const FieldProperty>(kReadOnlyFieldProperties)}) {
        for (const FieldProperty& entry : table) {
            if (entry.name == name) return entry.field;
        }
    }
    return -1;
}

std::span<const PhoneField> PhoneFields() {
    static const std::vector<PhoneField> phones = [] {
        std::vector<PhoneField> fields;
        for (const FieldInfo& info : ContactFieldTable()) {
            if (info.phone) fields.push_back({info.id, info.phoneTypes});
        }
        return fields;
    }();
    return phones;
}

std::vector<std::string> TypesOf(const PhoneField& phone) {
    std::vector<std::string> types;
    for (const std::u16string& type : SplitEscaped(phone.types, u',')) types.push_back(plat::ToUtf8(type));
    return types;
}

PhoneTarget PhoneTargetOf(const std::vector<std::string>& types) {
    for (const TypeRule& rule : kKindRules) {
        if (HasAnyType(types, rule.types)) return FieldTarget(rule.fields);
    }
    if (Contains(types, "FAX")) {
        if (Contains(types, "HOME")) return FieldTarget({kFieldHomeFax});
        if (Contains(types, "WORK")) return FieldTarget({kFieldWorkFax});
        return FieldTarget({kFieldWorkFax, kFieldHomeFax});
    }
    for (const TypeRule& rule : kLocationRules) {
        if (HasAnyType(types, rule.types)) return FieldTarget(rule.fields);
    }
    for (const auto& [type, label] : kLabelledKinds) {
        if (Contains(types, type)) return {{}, std::u16string(label)};
    }
    return {{kFieldMobile, kFieldHomePhone, kFieldWorkPhone}, u"Phone"};
}

const ImService* ImServiceOfProperty(std::string_view name) {
    for (const ImService& service : kImServices) {
        if (service.property == name) return &service;
    }
    for (const auto& [alias, serviceName] : kImAliases) {
        if (alias == name) return ImServiceOfName(serviceName);
    }
    return nullptr;
}

bool ImServiceOfAnyProperty(std::string_view name, std::u16string& service) {
    if (const ImService* known = ImServiceOfProperty(name)) {
        service = known->service;
        return true;
    }
    for (const auto& [alias, serviceName] : kImAliases) {
        if (alias != name) continue;
        service = serviceName;
        return true;
    }
    if (!name.starts_with(kMessagingPrefix)) return false;
    const std::string_view word = name.substr(
        kMessagingPrefix.size(), name.find('-', kMessagingPrefix.size()) - kMessagingPrefix.size());
    if (word.empty()) return false;
    const std::u16string written = AsLabel(plat::FromUtf8(word));
    const ImService* known =
        EqualsAscii(written, "Gadu") ? ImServiceOfName(u"Gadu-Gadu") : ImServiceOfAnyName(written);
    service = known ? std::u16string(known->service) : written;
    return true;
}

std::vector<std::string> TypesOfPhoneLabel(std::u16string_view label) {
    std::vector<std::vector<std::string>> candidates = {{"VOICE"}};
    for (const PhoneField& phone : PhoneFields()) candidates.push_back(TypesOf(phone));
    for (const auto& [type, kindLabel] : kLabelledKinds) candidates.push_back({std::string(type)});
    for (std::vector<std::string>& types : candidates) {
        if (PhoneTargetOf(types).label == label) return std::move(types);
    }
    return {};
}

const ImService* ImServiceOfScheme(std::string_view scheme) {
    for (const ImService& service : kImServices) {
        if (EqualsAscii(scheme, service.scheme)) return &service;
    }
    return nullptr;
}

const ImService* ImServiceOfName(std::u16string_view name) {
    for (const ImService& service : kImServices) {
        if (service.service == name) return &service;
    }
    return nullptr;
}

bool HasNameField(const StdContact& contact) {
    for (int field : {kFieldTitle, kFieldFirst, kFieldMiddle, kFieldLast, kFieldSuffix}) {
        if (!contact.GetText(field).IsEmpty()) return true;
    }
    return false;
}

bool IsMetadataProperty(std::string_view name) {
    for (std::string_view metadata : kMetadata) {
        if (metadata == name) return true;
    }
    return false;
}

bool IsAnniversaryProperty(std::string_view name) {
    for (std::string_view anniversary : kAnniversaries) {
        if (anniversary == name) return true;
    }
    return false;
}

std::u16string BuiltInLabelWord(std::u16string_view label) {
    constexpr std::u16string_view kOpen = u"_$!<";
    constexpr std::u16string_view kClose = u">!$_";
    if (label.size() <= kOpen.size() + kClose.size() || !label.starts_with(kOpen) ||
        !label.ends_with(kClose)) {
        return {};
    }
    return std::u16string(label.substr(kOpen.size(), label.size() - kOpen.size() - kClose.size()));
}

std::vector<std::string> TypesOfLabelWord(std::u16string_view word) {
    static const std::pair<std::u16string_view, std::vector<std::string>> kWords[] = {
        {u"Mobile", {"CELL"}},         {u"iPhone", {"CELL"}},         {u"Main", {"MAIN"}},
        {u"HomeFAX", {"HOME", "FAX"}}, {u"WorkFAX", {"WORK", "FAX"}}, {u"OtherFAX", {"FAX"}},
        {u"Pager", {"PAGER"}},         {u"Home", {"HOME"}},           {u"Work", {"WORK"}},
        {u"Other", {"OTHER"}},         {u"HomePage", {"HOME"}},
    };
    for (const auto& [known, types] : kWords) {
        if (known == word) return types;
    }
    return {};
}

const ImService* ImServiceOfAnyName(std::u16string_view name) {
    for (const ImService& service : kImServices) {
        const std::u16string_view serviceName = service.service;
        const bool sameService =
            name.size() == serviceName.size() &&
            std::equal(name.begin(), name.end(), serviceName.begin(), [](char16_t a, char16_t b) {
                return (a < 0x80 ? AsciiUpper(static_cast<char>(a)) : a) ==
                       (b < 0x80 ? AsciiUpper(static_cast<char>(b)) : b);
            });
        if (sameService || EqualsAscii(name, service.property.substr(2)) ||
            EqualsAscii(name, service.scheme)) {
            return &service;
        }
    }
    return nullptr;
}
