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

// Reads the block at the end of `property`; the further values go to `values` when it is valid.
// Returns the length of the note in front of the block.
size_t ReadBlock(std::span<const uint8_t> property, ContactCustProps& values, EmbeddedState& state) {
    const size_t footerAt = property.size() - kFooterSize;
    const auto footer = property.subspan(footerAt);
    const uint32_t length = *ReadWord(footer, kOffRecordLength);
    state = EmbeddedState::Damaged;
    if (length > footerAt) return footerAt;  // the extent is unknown: only the footer goes
    const size_t recordAt = footerAt - length;
    const auto record = property.subspan(recordAt, length);
    if (*ReadWord(footer, kOffVersion) == kVersion && *ReadWord(footer, kOffCrc) == Crc32(record) &&
        DecodeCustProps(record, values).ok()) {
        state = EmbeddedState::Valid;
    }
    return recordAt;
}

}  // namespace

std::vector<uint8_t> JoinNoteProperty(std::span<const uint8_t> note, const ContactCustProps& values) {
    std::vector<uint8_t> out(note.begin(), note.end());
    if (values.NothingToStore()) return out;
    const std::vector<uint8_t> record = EncodeCustProps(values);
    if (record.empty()) return out;
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
