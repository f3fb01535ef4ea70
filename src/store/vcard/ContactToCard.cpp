#include "store/vcard/ContactToCard.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "platform/text/Utf.h"
#include "store/contact/ContactFields.h"
#include "store/contact/ImText.h"
#include "store/vcard/Ascii.h"
#include "store/vcard/CardDate.h"
#include "store/vcard/CardFields.h"
#include "store/vcard/NoteText.h"
#include "store/vcard/VCardFormat.h"
#include "store/vcard/ValueText.h"

namespace {

// The parts of the three standard addresses, in ADR order (street, city, state, postal code,
// country), with the TYPE written.
struct AddressFields {
    std::array<int, 5> fields;
    const char16_t* type;
};
constexpr AddressFields kAddresses[] = {
    {{kFieldHomeStreet, kFieldHomeCity, kFieldHomeState, kFieldHomePostalCode, kFieldHomeCountry},
     u"HOME"},
    {{kFieldWorkStreet, kFieldWorkCity, kFieldWorkState, kFieldWorkPostalCode, kFieldWorkCountry},
     u"WORK"},
    {{kFieldOtherStreet, kFieldOtherCity, kFieldOtherState, kFieldOtherPostalCode,
      kFieldOtherCountry},
     u"OTHER"},
};

std::u16string Hex(uint32_t value) {
    static const char16_t kDigits[] = u"0123456789abcdef";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value > 0);
    return u"0x" + digits;
}

std::u16string Decimal(uint32_t value) {
    return plat::FromUtf8(std::to_string(value));
}

// The media type of image bytes by their signature.
std::u16string ImageType(std::span<const uint8_t> bytes) {
    const auto starts = [&](std::initializer_list<uint8_t> signature) {
        return bytes.size() >= signature.size() &&
               std::equal(signature.begin(), signature.end(), bytes.begin());
    };
    if (starts({0x89, 'P', 'N', 'G'})) return u"PNG";
    if (starts({'G', 'I', 'F'})) return u"GIF";
    if (starts({'B', 'M'})) return u"BMP";
    return u"JPEG";
}

class CardBuilder {
public:
    CardBuilder(const Contact& contact, const std::vector<Str>& categories)
        : c_(contact), categories_(categories) {}

    VCard Build() {
        AddNames();
        AddPhones();
        AddEmails();
        AddIms();
        if (!Text(kFieldWeb).IsEmpty()) AddText(vcf::kPropUrl, Text(kFieldWeb));
        AddListed(c_.webPages, vcf::kPropUrl);
        AddAddresses();
        AddFieldProperties();
        AddListed(c_.people, vcf::kPropRelatedNames);
        AddListed(c_.ringtones, vcf::kPropLink);
        AddListed(c_.others, vcf::kPropOther, FormattedNameKept() ? 1 : 0);
        AddDates();
        AddDefaultTag();
        AddIdentity();
        AddCategories();
        AddNote();
        AddPicture();
        return std::move(card_);
    }

private:
    VCardProperty& Add(std::string_view name, std::u16string escapedValue) {
        VCardProperty& property = card_.properties.emplace_back();
        property.name = std::string(name);
        property.value = std::move(escapedValue);
        return property;
    }

    VCardProperty& AddText(std::string_view name, const Str& text) {
        return Add(name, EscapeText(text.View()));
    }

    // A further value: its own group, the value property and the group's label. A label that
    // looks like a built-in one ("_$!<Mobile>!$_") is wrapped once more, so that it reads back
    // as that text and not as the built-in kind.
    VCardProperty& AddLabelled(std::string_view name, const Str& label,
                               std::u16string escapedValue) {
        const std::string group = std::string(vcf::kGroupPrefix) + std::to_string(++groups_);
        std::u16string text(label.View());
        if (!BuiltInLabelWord(text).empty()) text = u"_$!<" + text + u">!$_";
        Add(vcf::kLabelProperty, EscapeText(text)).group = group;
        VCardProperty& property = Add(name, std::move(escapedValue));
        property.group = group;
        return property;
    }

    // The entries of a further values' list from `first` on, each in its own group.
    void AddListed(const Array<CustText>& list, std::string_view name, int first = 0) {
        for (int i = first; i < list.GetSize(); ++i) {
            AddLabelled(name, list[i].label, EscapeText(list[i].value.View()));
        }
    }

    // Whether the first "other" value is a formatted name the contact came with (an FN other than
    // the one the name fields compose), written back as the card's FN instead of as an "other"
    // value. Only for a contact with name fields: for one without, an FN would be read as its First.
    bool FormattedNameKept() const {
        if (c_.others.IsEmpty() || !HasNameField(c_)) return false;
        const CustText& first = c_.others[0];
        return first.label.View() == vcf::kFormattedNameLabel && !first.value.IsEmpty() &&
               first.value != c_.GetFormattedName();
    }

    const Str& Text(int field) const { return c_.GetText(field); }

    // A value of a field that is not the first its types lead to carries the field's number.
    void AddField(std::string_view name, int field, int firstField, std::u16string escapedValue,
                  std::u16string_view types = {}) {
        VCardProperty& property = Add(name, std::move(escapedValue));
        if (!types.empty())
            property.params.push_back({std::string(vcf::kParamType), SplitEscaped(types, u',')});
        if (field != firstField) {
            property.AddParam(std::string(vcf::kParamField), Hex(TextFieldProp(field)));
        }
    }

    void AddNames() {
        AddText(vcf::kPropFn, FormattedNameKept() ? c_.others[0].value : c_.GetFormattedName());
        Add(vcf::kPropN, JoinEscaped({std::u16string(Text(kFieldLast).View()),
                                      std::u16string(Text(kFieldFirst).View()),
                                      std::u16string(Text(kFieldMiddle).View()),
                                      std::u16string(Text(kFieldTitle).View()),
                                      std::u16string(Text(kFieldSuffix).View())},
                                     u';'));
        if (Text(kFieldCompany).IsEmpty() && Text(kFieldDepartment).IsEmpty()) return;
        std::vector<std::u16string> units = {std::u16string(Text(kFieldCompany).View())};
        if (!Text(kFieldDepartment).IsEmpty()) units.emplace_back(Text(kFieldDepartment).View());
        Add(vcf::kPropOrg, JoinEscaped(units, u';'));
    }

    void AddPhones() {
        for (const PhoneField& phone : PhoneFields()) {
            if (Text(phone.field).IsEmpty()) continue;
            AddField(vcf::kPropTel, phone.field, PhoneTargetOf(TypesOf(phone)).fields.front(),
                     EscapeText(Text(phone.field).View()), phone.types);
        }
        for (const CustText& entry : c_.phones) AddFurtherPhone(entry);
    }

    // A further phone carries the TYPE its label stands for (a "Mobile" number beyond the field:
    // TEL;TYPE=CELL,VOICE), as other programs read it. Its label is written (in a group) only where
    // the typed number would not read back as this entry: no type leads to the label, or a field
    // the types lead to is free.
    void AddFurtherPhone(const CustText& entry) {
        const std::vector<std::string> types = TypesOfPhoneLabel(entry.label.View());
        const std::vector<int> fields = types.empty() ? std::vector<int>() : PhoneTargetOf(types).fields;
        const bool readsBack =
            !types.empty() && !entry.value.IsEmpty() &&
            std::none_of(fields.begin(), fields.end(), [&](int f) { return Text(f).IsEmpty(); });
        const std::u16string value = EscapeText(entry.value.View());
        VCardProperty& property =
            readsBack ? Add(vcf::kPropTel, value) : AddLabelled(vcf::kPropTel, entry.label, value);
        if (types.empty()) return;
        VCardParam& typeParam = property.params.emplace_back(VCardParam{std::string(vcf::kParamType), {}});
        for (const std::string& type : types) typeParam.values.push_back(Widen(type));
    }

    void AddEmails() {
        for (int field : kEmailFields) {
            if (Text(field).IsEmpty()) continue;
            AddField(vcf::kPropEmail, field, kEmailFields[0], EscapeText(Text(field).View()),
                     u"INTERNET");
        }
        AddListed(c_.emails, vcf::kPropEmail);
    }

    void AddIms() {
        for (int field : {kFieldIm1, kFieldIm2, kFieldIm3}) {
            const Str& text = Text(field);
            if (text.IsEmpty()) continue;
            const ImParts parts = SplitIm(text);
            const ImService* service = ImServiceOfName(parts.service.View());
            const bool plain =
                service && !parts.address.IsEmpty() && JoinIm(parts.service, parts.address) == text;
            AddField(plain ? service->property : vcf::kPropIm, field, kFieldIm1,
                     EscapeText(plain ? parts.address.View() : text.View()));
        }
        for (const CustIm& entry : c_.ims) {
            const std::string group =
                AddLabelled(vcf::kPropIm, entry.label, EscapeText(entry.value.View())).group;
            AddText(vcf::kPropImType, entry.type).group = group;
        }
    }

    void AddAddresses() {
        for (const AddressFields& address : kAddresses) {
            std::vector<std::u16string> parts = {u"", u""};
            bool any = false;
            for (int field : address.fields) {
                parts.emplace_back(Text(field).View());
                any = any || !Text(field).IsEmpty();
            }
            if (any)
                Add(vcf::kPropAdr, JoinEscaped(parts, u';'))
                    .AddParam(std::string(vcf::kParamType), address.type);
        }
        for (const CustAddress& entry : c_.addresses) {
            const std::vector<std::u16string> parts = {u"",
                                                       u"",
                                                       std::u16string(entry.street.View()),
                                                       std::u16string(entry.city.View()),
                                                       std::u16string(entry.state.View()),
                                                       std::u16string(entry.postalCode.View()),
                                                       std::u16string(entry.country.View())};
            VCardProperty& property =
                AddLabelled(vcf::kPropAdr, entry.label, JoinEscaped(parts, u';'));
            if (entry.format != 0)
                property.AddParam(std::string(vcf::kParamAddressFormat), Decimal(entry.format));
        }
        if ((c_.homeAddressFormat | c_.workAddressFormat | c_.otherAddressFormat |
             c_.fourthFormat) == 0) {
            return;
        }
        Add(vcf::kPropAddressFormats,
            Decimal(c_.homeAddressFormat) + u';' + Decimal(c_.workAddressFormat) + u';' +
                Decimal(c_.otherAddressFormat) + u';' + Decimal(c_.fourthFormat));
    }

    // The single text fields with a property of their own (the first name of each field).
    void AddFieldProperties() {
        std::set<int> written;
        for (const FieldProperty& entry : FieldProperties()) {
            if (!written.insert(entry.field).second || Text(entry.field).IsEmpty()) continue;
            AddText(entry.name, Text(entry.field));
        }
    }

    void AddDates() {
        if (c_.GetBirthday() != 0) Add(vcf::kPropBday, FormatCardDate(c_.GetBirthday()));
        if (c_.GetAnniversary() != 0) {
            Add(vcf::kPropXAnniversary, FormatCardDate(c_.GetAnniversary()));
        }
        for (const CustDate& entry : c_.dates) {
            AddLabelled(vcf::kPropLabelledDate, entry.label, FormatCardDate(entry.date));
        }
    }

    void AddDefaultTag() {
        if (c_.GetDefaultTag() != 0) Add(vcf::kPropDefaultTag, Hex(c_.GetDefaultTag()));
    }

    // The UID and the time of the last change, when the contact has them. REV is written to the
    // whole second: the vCard 4.0 timestamp has no fraction, and readers of 3.0 cards expect none.
    void AddIdentity() {
        if (!c_.GetUid().IsEmpty()) AddText(FieldInfoOf(kFieldUid).vcard, c_.GetUid());
        constexpr uint64_t kTicksPerSecond = 10'000'000;
        const uint64_t revision = c_.GetRevision() - c_.GetRevision() % kTicksPerSecond;
        if (revision != 0) Add(FieldInfoOf(kFieldRevision).vcard, FormatCardDate(revision));
    }

    void AddCategories() {
        std::vector<std::u16string> names;
        for (const Str& name : categories_) names.emplace_back(name.View());
        if (!names.empty()) Add(vcf::kPropCategories, JoinEscaped(names, u','));
    }

    // The note as text; when the text does not give back the note's exact bytes (data that
    // is not plain text, lone line-break characters), the bytes as well.
    void AddNote() {
        const ByteBlock& note = c_.GetNote();
        if (note.IsEmpty()) return;
        const Str text = c_.GetNoteText();
        if (!text.IsEmpty()) AddText(vcf::kPropNote, text);
        const std::u16string escaped = EscapeText(text.View());
        if (plat::IsValidUtf16(text.View()) && NoteFromText(UnescapeText(escaped)) == note) return;
        VCardProperty& data = Add(vcf::kPropNoteData, {});
        data.binary.assign(note.Bytes().begin(), note.Bytes().end());
        data.isBinary = true;
    }

    void AddPicture() {
        const ByteBlock& bytes = c_.GetPicture().ImageBytes();
        if (bytes.IsEmpty()) return;
        VCardProperty& photo = Add(vcf::kPropPhoto, {});
        photo.binary.assign(bytes.Bytes().begin(), bytes.Bytes().end());
        photo.isBinary = true;
        photo.AddParam(std::string(vcf::kParamType), ImageType(bytes.Bytes()));
    }

    const Contact& c_;
    const std::vector<Str>& categories_;
    VCard card_;
    int groups_ = 0;
};

}  // namespace

VCard ContactToCard(const Contact& contact, const std::vector<Str>& categories) {
    return CardBuilder(contact, categories).Build();
}
