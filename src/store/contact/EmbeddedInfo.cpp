#include "store/contact/EmbeddedInfo.h"

#include <algorithm>

#include "store/contact/ContactRecordFormat.h"
#include "store/contact/Crc32.h"
#include "store/contact/CustPropsCodec.h"
#include "store/contact/LeBytes.h"

using namespace embedded;

namespace {

bool HasTag(std::span<const uint8_t> footer) {
    return std::equal(kTag.begin(), kTag.end(), footer.begin() + kOffTag);
}

bool IsSeparator(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

// Reads the block at the end of `property`; the further values go to `values` when it is valid.
// Returns the length of the note in front of the block.
size_t ReadBlock(std::span<const uint8_t> property, ContactCustProps& values, EmbeddedState& state) {
    const size_t footerAt = property.size() - kFooterSize;
    const auto footer = property.subspan(footerAt);
    const uint32_t length = *ReadWord(footer, kOffRecordLength);
    state = EmbeddedState::Damaged;
    // When the extent is not plausible only the footer is known to be ours.
    if (footerAt < kSeparatorSize || length > footerAt - kSeparatorSize) return footerAt;
    const size_t recordAt = footerAt - length;
    const size_t blockAt = recordAt - kSeparatorSize;
    const auto record = property.subspan(recordAt, length);
    if (IsSeparator(property.subspan(blockAt, kSeparatorSize)) &&
        *ReadWord(footer, kOffVersion) == kVersion && *ReadWord(footer, kOffCrc) == Crc32(record) &&
        DecodeCustProps(record, values).ok()) {
        state = EmbeddedState::Valid;
    }
    return blockAt;
}

}  // namespace

std::vector<uint8_t> JoinNoteProperty(std::span<const uint8_t> note, const ContactCustProps& values) {
    std::vector<uint8_t> out(note.begin(), note.end());
    if (values.NothingToStore()) return out;
    const std::vector<uint8_t> record = EncodeCustProps(values);
    if (record.empty()) return out;
    out.resize(out.size() + kSeparatorSize, 0);
    out.insert(out.end(), record.begin(), record.end());
    AppendWord(out, static_cast<uint32_t>(record.size()));
    AppendWord(out, Crc32(record));
    AppendWord(out, kVersion);
    out.insert(out.end(), kTag.begin(), kTag.end());
    return out;
}

NoteProperty SplitNoteProperty(std::span<const uint8_t> property, ContactCustProps& values) {
    values.AssignStored(ContactCustProps());
    NoteProperty result;
    size_t noteLength = property.size();
    if (property.size() >= kFooterSize && HasTag(property.subspan(property.size() - kFooterSize))) {
        ContactCustProps read;
        noteLength = ReadBlock(property, read, result.state);
        if (result.state == EmbeddedState::Valid) values.AssignStored(read);
    }
    result.note = ByteBlock(property.first(noteLength));
    return result;
}
