#pragma once
// The names and limits of the vCard text this system reads and writes, in one place.
// docs/vcard.md describes the format and what is mapped where.
#include <cstddef>
#include <string_view>

namespace vcf {

// Lines of written cards end in CR LF and are folded so that no line exceeds this many octets
// (the line break excluded); a folded line goes on after CR LF and one blank.
inline constexpr size_t kFoldOctets = 75;
inline constexpr std::string_view kLineEnd = "\r\n";

// Card framing.
inline constexpr std::string_view kBegin = "BEGIN";
inline constexpr std::string_view kEnd = "END";
inline constexpr std::string_view kVCard = "VCARD";
inline constexpr std::string_view kVersion = "VERSION";
inline constexpr std::string_view kAgent = "AGENT";

// Parameters.
inline constexpr std::string_view kParamType = "TYPE";
inline constexpr std::string_view kParamEncoding = "ENCODING";
inline constexpr std::string_view kParamCharset = "CHARSET";
inline constexpr std::string_view kParamValue = "VALUE";
inline constexpr std::string_view kParamServiceType = "X-SERVICE-TYPE";
// The contact field a value came from, as a hexadecimal property number ("0x98"), written where
// the types alone would put the value into another field on reading.
inline constexpr std::string_view kParamField = "X-BREVANE-FIELD";
// The address format index of an address, written when it is not 0.
inline constexpr std::string_view kParamAddressFormat = "X-BREVANE-FORMAT";

// Transfer encodings.
inline constexpr std::string_view kQuotedPrintable = "QUOTED-PRINTABLE";
inline constexpr std::string_view kBase64 = "BASE64";
inline constexpr std::string_view kBase64Short = "b";

// The label of the other properties of the same group ("item1.X-ABLabel").
inline constexpr std::string_view kLabelProperty = "X-ABLABEL";

// Standard properties.
inline constexpr std::string_view kPropN = "N";
inline constexpr std::string_view kPropFn = "FN";
inline constexpr std::string_view kPropOrg = "ORG";
inline constexpr std::string_view kPropTitle = "TITLE";
inline constexpr std::string_view kPropNickname = "NICKNAME";
inline constexpr std::string_view kPropTel = "TEL";
inline constexpr std::string_view kPropEmail = "EMAIL";
inline constexpr std::string_view kPropAdr = "ADR";
inline constexpr std::string_view kPropLabel = "LABEL";
inline constexpr std::string_view kPropUrl = "URL";
inline constexpr std::string_view kPropImpp = "IMPP";
inline constexpr std::string_view kPropBday = "BDAY";
inline constexpr std::string_view kPropAnniversary = "ANNIVERSARY";
inline constexpr std::string_view kPropRelated = "RELATED";
inline constexpr std::string_view kPropNote = "NOTE";
inline constexpr std::string_view kPropPhoto = "PHOTO";
inline constexpr std::string_view kPropCategories = "CATEGORIES";
// A desktop writer's further numbers (callback, TTY/TDD), read as TEL.
inline constexpr std::string_view kPropMsTel = "X-MS-TEL";
// Widespread extensions: the anniversary of 3.0 cards, and the related names and dates that
// carry a group label.
inline constexpr std::string_view kPropXAnniversary = "X-ANNIVERSARY";
inline constexpr std::string_view kPropRelatedNames = "X-ABRELATEDNAMES";
inline constexpr std::string_view kPropLabelledDate = "X-ABDATE";

// Properties of single text fields that other programs write too.
inline constexpr std::string_view kPropSpouse = "X-SPOUSE";
inline constexpr std::string_view kPropChildren = "X-CHILDREN";
inline constexpr std::string_view kPropAssistant = "X-ASSISTANT";
inline constexpr std::string_view kPropManager = "X-MANAGER";

// This system's own properties, for the values no standard property carries.
inline constexpr std::string_view kPropOffice = "X-BREVANE-OFFICE";
inline constexpr std::string_view kPropFileAs = "X-BREVANE-FILE-AS";
inline constexpr std::string_view kPropRingtone = "X-BREVANE-RINGTONE";
inline constexpr std::string_view kPropCustomerId = "X-BREVANE-CUSTOMER-ID";
inline constexpr std::string_view kPropGovernmentId = "X-BREVANE-GOVERNMENT-ID";
inline constexpr std::string_view kPropAccount = "X-BREVANE-ACCOUNT";
// The four texts of the record that carry values of the platform's own contacts program are
// written as X-BREVANE-PROP-87, -88, -89 and -101 (their property numbers). Entries of the further
// values' lists are written in a group of their own whose X-ABLabel holds the entry's label.
inline constexpr std::string_view kPropOther = "X-BREVANE-OTHER";     // an "other" value
inline constexpr std::string_view kPropLink = "X-BREVANE-LINK";       // a ringtone (link) entry
inline constexpr std::string_view kPropIm = "X-BREVANE-IM";           // IM text kept as it stands
inline constexpr std::string_view kPropImType = "X-BREVANE-IM-TYPE";  // messenger type of an entry
inline constexpr std::string_view kPropNoteData = "X-BREVANE-NOTE-DATA";  // note bytes, base64
inline constexpr std::string_view kPropDefaultTag = "X-BREVANE-DEFAULT";  // default dial tag
// The four address format words "home;work;other;fourth" in decimal.
inline constexpr std::string_view kPropAddressFormats = "X-BREVANE-ADDRESS-FORMATS";

// The label of the "other" value that keeps a card's formatted name (FN) where it is not the name
// composed from the name fields; the export writes it back as FN.
inline constexpr std::u16string_view kFormattedNameLabel = u"FN";

// The group name prefix of written list entries: item1, item2, ...
inline constexpr std::string_view kGroupPrefix = "item";

// The default character set of a value without CHARSET, and the one assumed when such a value
// is not valid in it (the common single-byte code page of older desktop exports).
inline constexpr std::string_view kDefaultCharset = "UTF-8";
inline constexpr std::string_view kFallbackCharset = "windows-1252";

}  // namespace vcf
