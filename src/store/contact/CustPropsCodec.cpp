#include "store/contact/CustPropsCodec.h"

#include <initializer_list>
#include <optional>
#include <string_view>

#include "store/contact/ContactRecordFormat.h"
#include "store/contact/LeBytes.h"

using namespace custrec;

namespace {

// --- Writing -------------------------------------------------------------------------------------

uint64_t CharCount(std::initializer_list<const Str*> texts) {
    uint64_t chars = 0;
    for (const Str* text : texts) chars += UpToNul(text->View()).size();
    return chars;
}

// Writes the entry's length word at `start` and pads the entry with zeros to that length.
void FinishEntry(std::vector<uint8_t>& out, size_t start, uint64_t length) {
    out.resize(start + length, 0);
    PutWord(out, start, static_cast<uint32_t>(length));
}

void AppendTextEntry(std::vector<uint8_t>& out, std::initializer_list<const Str*> texts,
                     uint64_t length) {
    const size_t start = out.size();
    AppendWord(out, 0);
    for (const Str* text : texts) AppendText(out, text->View());
    FinishEntry(out, start, length);
}

void AppendPairs(std::vector<uint8_t>& out, const Array<CustText>& list) {
    for (const CustText& e : list) {
        AppendTextEntry(out, {&e.label, &e.value}, PairEntryLength(CharCount({&e.label, &e.value})));
    }
}

void AppendIms(std::vector<uint8_t>& out, const Array<CustIm>& list) {
    for (const CustIm& e : list) {
        const auto texts = {&e.label, &e.value, &e.type};
        AppendTextEntry(out, texts, ImEntryLength(CharCount(texts)));
    }
}

void AppendAddresses(std::vector<uint8_t>& out, const Array<CustAddress>& list) {
    for (const CustAddress& e : list) {
        const std::initializer_list<const Str*> texts = {&e.label, &e.street,     &e.city,
                                                         &e.state, &e.postalCode, &e.country};
        const size_t start = out.size();
        AppendWord(out, 0);
        AppendWord(out, e.format);
        for (int i = 1; i < kAddressTexts; ++i) AppendWord(out, 0);
        int index = 0;
        for (const Str* text : texts) {
            if (index > 0) {
                PutWord(out, start + kOffAddressTextOffsets + 4 * static_cast<size_t>(index - 1),
                        static_cast<uint32_t>(out.size() - start));
            }
            AppendText(out, text->View());
            ++index;
        }
        FinishEntry(out, start, AddressEntryLength(CharCount(texts)));
    }
}

void AppendDates(std::vector<uint8_t>& out, const Array<CustDate>& list) {
    for (const CustDate& e : list) {
        const size_t start = out.size();
        AppendWord(out, 0);
        AppendWord(out, static_cast<uint32_t>(e.date));
        AppendWord(out, static_cast<uint32_t>(e.date >> 32));
        AppendText(out, e.label.View());
        FinishEntry(out, start, DateEntryLength(CharCount({&e.label})));
    }
}

void AppendSection(std::vector<uint8_t>& out, int section, const ContactCustProps& v) {
    PutWord(out, kOffSectionStarts + 4 * static_cast<size_t>(section),
            static_cast<uint32_t>(out.size()));
    switch (section) {
    case kPhones: AppendPairs(out, v.phones); break;
    case kEmails: AppendPairs(out, v.emails); break;
    case kWebPages: AppendPairs(out, v.webPages); break;
    case kPeople: AppendPairs(out, v.people); break;
    case kRingtones: AppendPairs(out, v.ringtones); break;
    case kOthers: AppendPairs(out, v.others); break;
    case kIms: AppendIms(out, v.ims); break;
    case kAddresses: AppendAddresses(out, v.addresses); break;
    case kDates: AppendDates(out, v.dates); break;
    default: break;
    }
}

// --- Reading -------------------------------------------------------------------------------------

// Reads `count` texts that follow one another directly from `at`, all inside `entry`.
std::optional<std::vector<std::u16string>> ReadTexts(std::span<const uint8_t> entry, size_t at,
                                                     int count) {
    std::vector<std::u16string> texts;
    for (int i = 0; i < count; ++i) {
        auto text = ReadText(entry, at);
        if (!text) return std::nullopt;
        texts.push_back(std::move(text->text));
        at = text->end;
    }
    return texts;
}

uint64_t TotalChars(const std::vector<std::u16string>& texts) {
    uint64_t chars = 0;
    for (const auto& text : texts) chars += text.size();
    return chars;
}

bool ParsePair(std::span<const uint8_t> entry, Array<CustText>& list) {
    const auto texts = ReadTexts(entry, kOffEntryTexts, 2);
    if (!texts || entry.size() != PairEntryLength(TotalChars(*texts))) return false;
    list.Add(CustText{Str((*texts)[0]), Str((*texts)[1])});
    return true;
}

bool ParseIm(std::span<const uint8_t> entry, Array<CustIm>& list) {
    const auto texts = ReadTexts(entry, kOffEntryTexts, 3);
    if (!texts || entry.size() != ImEntryLength(TotalChars(*texts))) return false;
    list.Add(CustIm{Str((*texts)[0]), Str((*texts)[1]), Str((*texts)[2])});
    return true;
}

bool ParseAddress(std::span<const uint8_t> entry, Array<CustAddress>& list) {
    if (entry.size() < kOffAddressFirstText) return false;
    std::vector<std::u16string> texts;
    size_t at = kOffAddressFirstText;
    for (int i = 0; i < kAddressTexts; ++i) {
        if (i > 0 && *ReadWord(entry, kOffAddressTextOffsets + 4 * static_cast<size_t>(i - 1)) != at) {
            return false;  // the texts must follow one another as their offsets say
        }
        auto text = ReadText(entry, at);
        if (!text) return false;
        texts.push_back(std::move(text->text));
        at = text->end;
    }
    if (entry.size() != AddressEntryLength(TotalChars(texts))) return false;
    list.Add(CustAddress{*ReadWord(entry, kOffAddressFormat), Str(texts[0]), Str(texts[1]),
                         Str(texts[2]), Str(texts[3]), Str(texts[4]), Str(texts[5])});
    return true;
}

bool ParseDate(std::span<const uint8_t> entry, Array<CustDate>& list) {
    const auto low = ReadWord(entry, kOffDateLow);
    const auto high = ReadWord(entry, kOffDateHigh);
    const auto text = ReadText(entry, kOffDateText);
    if (!low || !high || !text || entry.size() != DateEntryLength(text->text.size())) return false;
    list.Add(CustDate{Str(text->text), (uint64_t{*high} << 32) | *low});
    return true;
}

bool ParseEntry(int section, std::span<const uint8_t> entry, ContactCustProps& v) {
    switch (section) {
    case kPhones: return ParsePair(entry, v.phones);
    case kEmails: return ParsePair(entry, v.emails);
    case kWebPages: return ParsePair(entry, v.webPages);
    case kPeople: return ParsePair(entry, v.people);
    case kRingtones: return ParsePair(entry, v.ringtones);
    case kOthers: return ParsePair(entry, v.others);
    case kIms: return ParseIm(entry, v.ims);
    case kAddresses: return ParseAddress(entry, v.addresses);
    case kDates: return ParseDate(entry, v.dates);
    default: return false;
    }
}

// Walks the entries of one section, each stepped over by its own length.
bool ParseSection(int section, std::span<const uint8_t> bytes, ContactCustProps& v) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        const auto length = ReadWord(bytes, pos);
        if (!length || *length < 4 || *length > bytes.size() - pos) return false;
        if (!ParseEntry(section, bytes.subspan(pos, *length), v)) return false;
        pos += *length;
    }
    return true;
}

// The section starts, checked: the first at the header's end, each at or after the one before,
// none past the record's end.
std::optional<std::array<uint32_t, kSectionCount + 1>> SectionBounds(std::span<const uint8_t> bytes) {
    std::array<uint32_t, kSectionCount + 1> bounds{};
    for (int i = 0; i < kSectionCount; ++i) {
        bounds[static_cast<size_t>(i)] = *ReadWord(bytes, kOffSectionStarts + 4 * static_cast<size_t>(i));
    }
    bounds[kSectionCount] = static_cast<uint32_t>(bytes.size());
    if (bounds[0] != kHeaderSize) return std::nullopt;
    for (int i = 0; i < kSectionCount; ++i) {
        if (bounds[static_cast<size_t>(i)] > bounds[static_cast<size_t>(i) + 1]) return std::nullopt;
    }
    return bounds;
}

}  // namespace

std::vector<uint8_t> EncodeCustProps(const ContactCustProps& values) {
    std::vector<uint8_t> out(kHeaderSize, 0);
    PutWord(out, kOffFourthFormat, values.fourthFormat);
    PutWord(out, kOffHomeFormat, values.homeAddressFormat);
    PutWord(out, kOffWorkFormat, values.workAddressFormat);
    PutWord(out, kOffOtherFormat, values.otherAddressFormat);
    for (int section = 0; section < kSectionCount; ++section) {
        AppendSection(out, section, values);
        if (out.size() > kMaxRecordLength) return {};
    }
    PutWord(out, kOffTotalLength, static_cast<uint32_t>(out.size()));
    return out;
}

RecordStatus DecodeCustProps(std::span<const uint8_t> bytes, ContactCustProps& out) {
    if (bytes.size() < kHeaderSize) return {RecordError::TooShort};
    if (*ReadWord(bytes, kOffTotalLength) != bytes.size()) return {RecordError::LengthMismatch};
    const auto bounds = SectionBounds(bytes);
    if (!bounds) return {RecordError::BadSectionTable};
    ContactCustProps values;
    values.fourthFormat = *ReadWord(bytes, kOffFourthFormat);
    values.homeAddressFormat = *ReadWord(bytes, kOffHomeFormat);
    values.workAddressFormat = *ReadWord(bytes, kOffWorkFormat);
    values.otherAddressFormat = *ReadWord(bytes, kOffOtherFormat);
    for (int s = 0; s < kSectionCount; ++s) {
        const uint32_t begin = (*bounds)[static_cast<size_t>(s)];
        const uint32_t end = (*bounds)[static_cast<size_t>(s) + 1];
        if (!ParseSection(s, bytes.subspan(begin, end - begin), values)) {
            return {RecordError::BadEntry, s};
        }
    }
    out.AssignStored(values);
    return {};
}
