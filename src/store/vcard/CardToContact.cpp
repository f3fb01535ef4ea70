#include "store/vcard/CardToContact.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "platform/text/Utf.h"
#include "store/contact/ContactFields.h"
#include "store/contact/ImText.h"
#include "store/contact/Trim.h"
#include "store/vcard/Ascii.h"
#include "store/vcard/CardDate.h"
#include "store/vcard/CardFields.h"
#include "store/vcard/NoteText.h"
#include "store/vcard/TransferEncoding.h"
#include "store/vcard/VCardFormat.h"
#include "store/vcard/ValueText.h"

namespace {

constexpr std::array<int, 3> kImFields = {kFieldIm1, kFieldIm2, kFieldIm3};
constexpr std::array<int, 1> kWebField = {kFieldWeb};

// The five fields of a standard address (street, city, state, postal code, country) and the
// label its overflow gets.
struct AddressSlot {
    std::array<int, 5> fields;
    const char16_t* label;
};
constexpr AddressSlot kHomeAddress = {
    {kFieldHomeStreet, kFieldHomeCity, kFieldHomeState, kFieldHomePostalCode, kFieldHomeCountry},
    u"Home address"};
constexpr AddressSlot kWorkAddress = {
    {kFieldWorkStreet, kFieldWorkCity, kFieldWorkState, kFieldWorkPostalCode, kFieldWorkCountry},
    u"Work address"};
constexpr AddressSlot kOtherAddress = {{kFieldOtherStreet, kFieldOtherCity, kFieldOtherState,
                                        kFieldOtherPostalCode, kFieldOtherCountry},
                                       u"Other address"};

// The people a related name or a RELATED type stands for.
constexpr std::pair<std::string_view, int> kRelations[] = {
    {"SPOUSE", kFieldSpouse},
    {"CHILD", kFieldChildren},
    {"ASSISTANT", kFieldAssistant},
    {"MANAGER", kFieldManager},
};

constexpr std::u16string_view kLineBreak = u"\r\n";

Str S(std::u16string_view text) {
    return Str(text);
}

std::vector<std::string> TypesOf(const VCardProperty& property) {
    std::vector<std::string> types;
    for (const VCardParam& param : property.params) {
        if (param.name != vcf::kParamType) continue;
        for (const std::u16string& value : param.values) {
            types.push_back(AsciiUpper(TrimBlanks(plat::ToUtf8(value))));
        }
    }
    return types;
}

// The label a property's group gives it.
struct EntryLabel {
    bool custom = false;             // the entry goes into a further-values list under `text`
    std::u16string text;             // the free label, or the word of a built-in one
    std::u16string word;             // the word of a built-in label ("_$!<Word>!$_")
    std::vector<std::string> types;  // TYPE values a built-in word stands for
};

int RelationField(std::u16string_view word) {
    for (const auto& [name, field] : kRelations) {
        if (EqualsAscii(word, name)) return field;
    }
    return -1;
}

// The text of a number, without the "tel:" of a number given as a URI (VALUE=uri).
std::u16string PhoneNumber(const VCardProperty& property) {
    std::u16string number = property.Text();
    if (EqualsAscii(property.ParamValue(vcf::kParamValue), "uri") && number.size() > 4 &&
        EqualsAscii(std::u16string_view(number).substr(0, 4), "tel:")) {
        number.erase(0, 4);
    }
    return number;
}

std::u16string DataUri(const VCardProperty& property) {
    std::u16string media = property.ParamValue("MEDIATYPE");
    if (media.empty()) media = u"application/octet-stream";
    return u"data:" + media + u";base64," + plat::FromUtf8(EncodeBase64(property.binary));
}

// The parts of `text` between any of the `separators`.
std::vector<std::u16string> SplitAtAny(std::u16string_view text, std::u16string_view separators) {
    std::vector<std::u16string> parts;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find_first_of(separators, start), text.size());
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// A decimal or "0x" hexadecimal 32-bit number; false for anything else.
bool ParseNumber(std::u16string_view text, uint32_t& number) {
    const std::string utf8 = plat::ToUtf8(text);
    const std::string_view ascii = TrimBlanks(utf8);
    const bool hex = ascii.size() > 2 && (ascii.starts_with("0x") || ascii.starts_with("0X"));
    const std::string_view digits = ascii.substr(hex ? 2 : 0);
    if (digits.empty() || digits.size() > (hex ? 8u : 10u)) return false;
    uint64_t value = 0;
    for (char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return false;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    }
    if (value > UINT32_MAX) return false;
    number = static_cast<uint32_t>(value);
    return true;
}

class CardMapper {
public:
    explicit CardMapper(const VCard& card)
        : card_(card),
          c_(out_.contact),
          labels_(card.GroupTexts(vcf::kLabelProperty)),
          imTypes_(card.GroupTexts(vcf::kPropImType)),
          hasAddress_(std::any_of(card.properties.begin(), card.properties.end(),
                                  [](const VCardProperty& p) { return p.name == vcf::kPropAdr; })) {
    }

    ImportedContact Run() {
        for (const VCardProperty& property : card_.properties) Map(property);
        Finish();
        return std::move(out_);
    }

private:
    using Handler = void (CardMapper::*)(const VCardProperty&);
    static std::span<const std::pair<std::string_view, Handler>> Handlers();

    void Map(const VCardProperty& p) {
        if (IsMetadataProperty(p.name)) return;
        for (const auto& [name, handler] : Handlers()) {
            if (name == p.name) return (this->*handler)(p);
        }
        if (IsAnniversaryProperty(p.name)) return MapAnniversary(p);
        if (FieldOfProperty(p.name) >= 0) return PlaceSingle(FieldOfProperty(p.name), p.Text());
        if (std::u16string service; ImServiceOfAnyProperty(p.name, service)) {
            const std::u16string address = p.Text();
            return PlaceIm(p, JoinIm(S(service), S(address)), {Str(), S(address), S(service)},
                           !address.empty());
        }
        KeepAsOther(p);
    }

    // --- Labels and placement --------------------------------------------------------------
    EntryLabel LabelOf(const VCardProperty& p) const {
        const auto found = p.group.empty() ? labels_.end() : labels_.find(AsciiUpper(p.group));
        if (found == labels_.end()) return {};
        const std::u16string* label = &found->second;
        EntryLabel entry;
        entry.word = BuiltInLabelWord(*label);
        if (entry.word.empty()) return {true, *label, {}, {}};
        entry.types = TypesOfLabelWord(entry.word);
        entry.custom = entry.types.empty();
        entry.text = entry.word;
        return entry;
    }

    // The field an X-BREVANE-FIELD parameter names, when it is one of `allowed`; else -1.
    static int HintedField(const VCardProperty& p, std::span<const int> allowed) {
        uint32_t prop = 0;
        if (!ParseNumber(p.ParamValue(vcf::kParamField), prop) || prop > 0xFFFF) return -1;
        const int field = TextFieldOfProp(static_cast<uint16_t>(prop));
        return std::find(allowed.begin(), allowed.end(), field) != allowed.end() ? field : -1;
    }

    bool IsFree(int field) const { return c_.GetText(field).IsEmpty(); }

    // Puts the value into the hinted field when it is free, else into the first free of
    // `fields`; false when none is free.
    bool PlaceInFields(const Str& value, std::span<const int> fields, int hinted) {
        if (hinted >= 0 && IsFree(hinted)) {
            c_.SetText(hinted, value);
            return true;
        }
        for (int field : fields) {
            if (IsFree(field)) {
                c_.SetText(field, value);
                return true;
            }
        }
        return false;
    }

    Array<CustText>& OverflowListOf(int field) {
        if (field == kFieldSpouse || field == kFieldChildren || field == kFieldAssistant ||
            field == kFieldManager) {
            return c_.people;
        }
        return field == kFieldRingtone ? c_.ringtones : c_.others;
    }

    // A value of a single field; the same value again (a writer giving it twice) adds nothing.
    void PlaceSingle(int field, const std::u16string& value) {
        if (value.empty() || c_.GetText(field).View() == value) return;
        const std::array<int, 1> fields = {field};
        if (!PlaceInFields(S(value), fields, -1)) {
            OverflowListOf(field).Add({TextFieldLabel(field), S(value)});
        }
    }

    // A value of a kind with several fields and a further-values list: a labelled entry goes
    // into the list, others into the fields and, when those are full, into the list under
    // `overflowLabel`.
    void PlaceListed(const VCardProperty& p, const std::u16string& value,
                     std::span<const int> fields, std::span<const int> hintable,
                     Array<CustText>& list, std::u16string_view overflowLabel) {
        const EntryLabel label = LabelOf(p);
        if (label.custom) {
            list.Add({S(label.text), S(value)});
            return;
        }
        if (value.empty() || PlaceInFields(S(value), fields, HintedField(p, hintable))) return;
        list.Add({S(overflowLabel), S(value)});
    }

    void KeepAsOther(const VCardProperty& p) {
        const std::u16string value = p.isBinary ? DataUri(p) : p.Text();
        if (!value.empty()) c_.others.Add({S(plat::FromUtf8(p.name)), S(value)});
    }

    // --- Names and organisation ------------------------------------------------------------
    void MapName(const VCardProperty& p) {
        if (haveName_) return KeepAsOther(p);
        haveName_ = true;
        std::vector<std::u16string> parts = p.Components();
        parts.resize(5);
        const int fields[] = {kFieldLast, kFieldFirst, kFieldMiddle, kFieldTitle, kFieldSuffix};
        for (size_t i = 0; i < 5; ++i) c_.SetText(fields[i], S(parts[i]));
    }

    // The first FN that is not empty is kept for Finish; any further one is an "other" value.
    void MapFormattedName(const VCardProperty& p) {
        if (!formattedName_.empty()) return KeepAsOther(p);
        formattedName_ = p.Text();
    }

    void MapOrganization(const VCardProperty& p) {
        if (haveOrganization_) return KeepAsOther(p);
        haveOrganization_ = true;
        const std::vector<std::u16string> units = p.Components();
        std::u16string department;
        for (size_t i = 1; i < units.size(); ++i) {
            if (units[i].empty()) continue;
            if (!department.empty()) department += u", ";
            department += units[i];
        }
        c_.SetText(kFieldCompany, S(units.front()));
        PlaceSingle(kFieldDepartment, department);
    }

    // --- Phones, e-mail, web, IM -----------------------------------------------------------
    void MapPhone(const VCardProperty& p) {
        const EntryLabel label = LabelOf(p);
        const std::u16string number = PhoneNumber(p);
        if (label.custom) {
            c_.phones.Add({S(label.text), S(number)});
            return;
        }
        if (number.empty()) return;
        std::vector<std::string> types = TypesOf(p);
        types.insert(types.end(), label.types.begin(), label.types.end());
        const PhoneTarget target = PhoneTargetOf(types);
        std::vector<int> phoneFields;
        for (const PhoneField& phone : PhoneFields()) phoneFields.push_back(phone.field);
        if (!PlaceInFields(S(number), target.fields, HintedField(p, phoneFields))) {
            c_.phones.Add({S(target.label), S(number)});
        }
    }

    void MapEmail(const VCardProperty& p) {
        PlaceListed(p, p.Text(), kEmailFields, kEmailFields, c_.emails, u"E-mail");
    }

    void MapWeb(const VCardProperty& p) {
        PlaceListed(p, p.Text(), kWebField, kWebField, c_.webPages, u"Web");
    }

    // An IM value: `fieldText` for the IM fields, `entry` for the further list. A value
    // without an address is dropped unless it is a labelled entry.
    void PlaceIm(const VCardProperty& p, const Str& fieldText, CustIm entry, bool hasValue) {
        const EntryLabel label = LabelOf(p);
        if (label.custom) {
            entry.label = S(label.text);
            c_.ims.Add(entry);
            return;
        }
        if (!hasValue || PlaceInFields(fieldText, kImFields, HintedField(p, kImFields))) return;
        entry.label = u"IM";
        c_.ims.Add(entry);
    }

    void MapImpp(const VCardProperty& p) {
        const std::u16string uri = p.Text();
        const size_t colon = uri.find(u':');
        std::u16string service = p.ParamValue(vcf::kParamServiceType);
        std::u16string address = colon == std::u16string::npos ? uri : uri.substr(colon + 1);
        if (service.empty() && colon != std::u16string::npos) {
            const std::u16string scheme = uri.substr(0, colon);
            const ImService* known = ImServiceOfScheme(plat::ToUtf8(scheme));
            service = known ? std::u16string(known->service) : scheme;
        }
        PlaceIm(p, JoinIm(S(service), S(address)), {Str(), S(address), S(service)}, !uri.empty());
    }

    // This system's own IM property: the field's text as it stood, and for a further entry its
    // messenger type in X-BREVANE-IM-TYPE of the same group.
    void MapRawIm(const VCardProperty& p) {
        const auto type = p.group.empty() ? imTypes_.end() : imTypes_.find(AsciiUpper(p.group));
        const Str text = S(p.Text());
        if (LabelOf(p).custom) {
            return PlaceIm(p, text, {Str(), text, type == imTypes_.end() ? Str() : S(type->second)},
                           true);
        }
        const ImParts parts = SplitIm(text);
        PlaceIm(p, text, {Str(), parts.address, parts.service}, !text.IsEmpty());
    }

    // --- Addresses -------------------------------------------------------------------------
    void MapAddress(const VCardProperty& p) {
        std::vector<std::u16string> parts = p.Components();
        parts.resize(7);
        std::u16string street;
        for (size_t i : {2u, 1u, 0u}) {
            if (parts[i].empty()) continue;
            if (!street.empty()) street += kLineBreak;
            street += parts[i];
        }
        const std::array<Str, 5> values = {S(street), S(parts[3]), S(parts[4]), S(parts[5]),
                                           S(parts[6])};
        const EntryLabel label = LabelOf(p);
        if (label.custom) return AddAddress(p, label.text, values);
        if (std::all_of(values.begin(), values.end(), [](const Str& v) { return v.IsEmpty(); })) {
            return;
        }
        std::vector<std::string> types = TypesOf(p);
        types.insert(types.end(), label.types.begin(), label.types.end());
        const auto has = [&](std::string_view t) {
            return std::find(types.begin(), types.end(), t) != types.end();
        };
        const AddressSlot& slot = has("HOME")   ? kHomeAddress
                                  : has("WORK") ? kWorkAddress
                                                : kOtherAddress;
        if (!std::all_of(slot.fields.begin(), slot.fields.end(),
                         [&](int f) { return IsFree(f); })) {
            return AddAddress(p, slot.label, values);
        }
        for (size_t i = 0; i < 5; ++i) c_.SetText(slot.fields[i], values[i]);
    }

    void AddAddress(const VCardProperty& p, std::u16string_view label,
                    const std::array<Str, 5>& values) {
        uint32_t format = 0;
        ParseNumber(p.ParamValue(vcf::kParamAddressFormat), format);
        c_.addresses.Add({format, S(label), values[0], values[1], values[2], values[3], values[4]});
    }

    void MapAddressLabel(const VCardProperty& p) {
        if (!hasAddress_) KeepAsOther(p);
    }

    void MapAddressFormats(const VCardProperty& p) {
        std::vector<std::u16string> words = p.Components();
        uint32_t values[4] = {};
        bool ok = words.size() == 4;
        for (size_t i = 0; ok && i < 4; ++i) ok = ParseNumber(words[i], values[i]);
        if (!ok) return KeepAsOther(p);
        c_.homeAddressFormat = values[0];
        c_.workAddressFormat = values[1];
        c_.otherAddressFormat = values[2];
        c_.fourthFormat = values[3];
    }

    // --- Dates and people ------------------------------------------------------------------
    void PlaceDate(const VCardProperty& p, bool anniversary, bool ignoreLabel) {
        uint64_t date = 0;
        if (!ParseCardDate(p.Text(), date)) return KeepAsOther(p);
        const EntryLabel label = LabelOf(p);
        if (label.custom && !ignoreLabel) {
            c_.dates.Add({S(label.text), date});
        } else if ((anniversary ? c_.GetAnniversary() : c_.GetBirthday()) != 0) {
            c_.dates.Add({anniversary ? Str(u"Anniversary") : Str(u"Birthday"), date});
        } else if (anniversary) {
            c_.SetAnniversary(date);
        } else {
            c_.SetBirthday(date);
        }
    }

    void MapBirthday(const VCardProperty& p) { PlaceDate(p, false, false); }
    void MapAnniversary(const VCardProperty& p) { PlaceDate(p, true, false); }

    void MapLabelledDate(const VCardProperty& p) {
        const EntryLabel label = LabelOf(p);
        if (EqualsAscii(label.word, "Anniversary")) return PlaceDate(p, true, true);
        uint64_t date = 0;
        if (!ParseCardDate(p.Text(), date)) return KeepAsOther(p);
        c_.dates.Add({label.custom ? S(label.text) : Str(u"Date"), date});
    }

    void MapRelatedName(const VCardProperty& p) {
        const EntryLabel label = LabelOf(p);
        const int field = RelationField(label.word);
        if (field >= 0) return PlaceSingle(field, p.Text());
        if (label.custom) {
            c_.people.Add({S(label.text), S(p.Text())});
        } else if (!p.Text().empty()) {
            c_.people.Add({Str(u"Related"), S(p.Text())});
        }
    }

    void MapRelated(const VCardProperty& p) {
        const std::vector<std::string> types = TypesOf(p);
        for (const std::string& type : types) {
            const int field = RelationField(plat::FromUtf8(type));
            if (field >= 0) return PlaceSingle(field, p.Text());
        }
        const std::u16string label =
            types.empty() || types.front().empty() ? u"Related" : AsLabel(plat::FromUtf8(types.front()));
        if (!p.Text().empty()) c_.people.Add({S(label), S(p.Text())});
    }

    // --- Note, picture, categories and own values ------------------------------------------
    void MapNote(const VCardProperty& p) {
        const std::u16string text = p.Text();
        if (text.empty()) return;
        if (!noteText_.empty()) noteText_ += kLineBreak;
        noteText_ += text;
    }

    void MapNoteData(const VCardProperty& p) {
        if (!p.isBinary) return KeepAsOther(p);
        noteData_ = p.binary;
        haveNoteData_ = true;
    }

    void MapPhoto(const VCardProperty& p) {
        if (!p.isBinary) {
            if (!p.Text().empty()) c_.webPages.Add({Str(u"Photo"), S(p.Text())});
            return;
        }
        // A picture is decoded or dropped, never kept as text: as a data URI it would be stored
        // twice its size and copied into every index of the further values.
        const std::string size = std::to_string(p.binary.size() / 1024) + " KB";
        if (!c_.GetPicture().IsEmpty())
            return out_.dropped.push_back("a second PHOTO (" + size + ") dropped");
        const auto* bytes = reinterpret_cast<const uint8_t*>(p.binary.data());
        ContactPicture picture = ContactPicture::FromImageBytes({bytes, p.binary.size()});
        if (picture.IsEmpty()) {
            return out_.dropped.push_back("a PHOTO (" + size +
                                          ") that is not a picture this program reads dropped");
        }
        c_.SetPicture(std::move(picture));
    }

    void MapCategories(const VCardProperty& p) {
        std::vector<std::u16string> names;
        for (std::u16string& item : p.ListItems()) {
            if (card_.version != VCardVersion::k21) {
                names.push_back(std::move(item));
                continue;
            }
            for (std::u16string& part : SplitEscaped(item, u';')) names.push_back(std::move(part));
        }
        // A category name cannot hold ',' or ';' (the platform joins names with them): a name
        // that does is the names between them.
        for (const std::u16string& name : names) {
            for (const std::u16string& part : SplitAtAny(name, u",;")) {
                const Str trimmed = TrimBoth(S(part));
                if (trimmed.IsEmpty()) continue;
                auto& list = out_.categories;
                if (std::find(list.begin(), list.end(), trimmed) == list.end()) list.push_back(trimmed);
            }
        }
    }

    void MapOther(const VCardProperty& p) { PlaceListed(p, p.Text(), {}, {}, c_.others, u"Other"); }

    void MapLink(const VCardProperty& p) {
        PlaceListed(p, p.Text(), {}, {}, c_.ringtones, u"Link");
    }

    // The card's identity and revision, as other programs write them; a revision that is no date is
    // dropped, as it was before contacts kept one.
    void MapUid(const VCardProperty& p) { c_.SetUid(S(p.Text())); }

    void MapRevision(const VCardProperty& p) {
        uint64_t revision = 0;
        if (ParseCardDate(p.Text(), revision)) c_.SetRevision(revision);
    }

    void MapDefaultTag(const VCardProperty& p) {
        uint32_t tag = 0;
        if (!ParseNumber(p.Text(), tag)) return KeepAsOther(p);
        c_.SetDefaultTag(tag);
    }

    // The formatted name: the First of a card without name fields (unless it is the Company);
    // otherwise, when it is not the name composed from the fields, kept as the first "other"
    // value labelled FN, which the export writes back as FN.
    void Finish() {
        const Str formatted = S(formattedName_);
        if (!HasNameField(c_) && !formatted.IsEmpty() && formatted != TrimBoth(c_.GetText(kFieldCompany))) {
            c_.SetText(kFieldFirst, formatted);
        }
        if (!formatted.IsEmpty() && formatted != c_.GetFormattedName()) {
            c_.others.InsertAt(0, {Str(vcf::kFormattedNameLabel), formatted});
        }
        if (haveNoteData_) {
            c_.SetNote(ByteBlock(std::span<const uint8_t>(
                reinterpret_cast<const uint8_t*>(noteData_.data()), noteData_.size())));
        } else if (!noteText_.empty()) {
            c_.SetNote(NoteFromText(noteText_));
        }
    }

    const VCard& card_;
    ImportedContact out_;
    Contact& c_;
    const std::map<std::string, std::u16string> labels_;   // by upper-case group
    const std::map<std::string, std::u16string> imTypes_;  // by upper-case group
    const bool hasAddress_;
    bool haveName_ = false;
    bool haveOrganization_ = false;
    std::u16string formattedName_;
    std::u16string noteText_;
    std::string noteData_;
    bool haveNoteData_ = false;
};

std::span<const std::pair<std::string_view, CardMapper::Handler>> CardMapper::Handlers() {
    static const std::pair<std::string_view, Handler> kHandlers[] = {
        {vcf::kPropN, &CardMapper::MapName},
        {vcf::kPropFn, &CardMapper::MapFormattedName},
        {vcf::kPropOrg, &CardMapper::MapOrganization},
        {vcf::kPropTel, &CardMapper::MapPhone},
        {vcf::kPropMsTel, &CardMapper::MapPhone},
        {vcf::kPropEmail, &CardMapper::MapEmail},
        {vcf::kPropUrl, &CardMapper::MapWeb},
        {vcf::kPropImpp, &CardMapper::MapImpp},
        {vcf::kPropIm, &CardMapper::MapRawIm},
        {vcf::kPropAdr, &CardMapper::MapAddress},
        {vcf::kPropLabel, &CardMapper::MapAddressLabel},
        {vcf::kPropAddressFormats, &CardMapper::MapAddressFormats},
        {vcf::kPropBday, &CardMapper::MapBirthday},
        {vcf::kPropLabelledDate, &CardMapper::MapLabelledDate},
        {vcf::kPropRelatedNames, &CardMapper::MapRelatedName},
        {vcf::kPropRelated, &CardMapper::MapRelated},
        {vcf::kPropNote, &CardMapper::MapNote},
        {vcf::kPropNoteData, &CardMapper::MapNoteData},
        {vcf::kPropPhoto, &CardMapper::MapPhoto},
        {vcf::kPropCategories, &CardMapper::MapCategories},
        {vcf::kPropOther, &CardMapper::MapOther},
        {vcf::kPropLink, &CardMapper::MapLink},
        {vcf::kPropDefaultTag, &CardMapper::MapDefaultTag},
        {FieldInfoOf(kFieldUid).vcard, &CardMapper::MapUid},
        {FieldInfoOf(kFieldRevision).vcard, &CardMapper::MapRevision},
    };
    return kHandlers;
}

}  // namespace

ImportedContact CardToContact(const VCard& card) {
    return CardMapper(card).Run();
}
