#pragma once
// The largest values a contact may hold, whatever way they come in (an import, the tool's add and
// update, the editor, a sync): every one of them reaches the store through the contact manager's
// add and update, which apply these limits before writing. A later list or search then never pays
// for a value nobody can read on a phone. docs/vcard.md gives the limits and what is done.
#include <cstddef>
#include <string>
#include <vector>

class Contact;

namespace limits {

inline constexpr size_t kPictureBytes = 1024 * 1024;      // a picture as stored (image file bytes)
inline constexpr size_t kTextUnits = 64 * 1024 / 2;       // a text value, 64 KB as stored (UTF-16)
inline constexpr size_t kNoteBytes = 1024 * 1024;         // the note as stored
inline constexpr size_t kCardBytes = 8 * 1024 * 1024;     // one card of a vCard file
inline constexpr size_t kCsvLineUnits = 8 * 1024 * 1024;  // one row of a CSV file, in characters
inline constexpr size_t kCsvColumns = 1000;

}  // namespace limits

// Brings the contact within the limits: a larger picture is scaled down until it fits (dropped when
// it cannot be), a longer text value or note is cut at the limit. Returns one sentence for each
// value changed, naming it; empty when the contact was within them.
std::vector<std::string> ApplyValueLimits(Contact& contact);
