#pragma once
// Reading an import file on a second thread while the caller stores what was read: the parsing of
// the cards (and the decoding of their pictures) runs beside the writing instead of before each
// write.
#include <string_view>
#include <vector>

#include "store/vcard/ContactTransfer.h"

// The same as ForEachImported, with the same results, order and skips: `take` is called on the
// calling thread, in file order, while the file is read up to a few contacts ahead on a thread of
// its own. A failure of the reading thread (an exception) is raised here once it has ended; so is
// one of `take`, after the reading thread has been stopped.
//
// Strings are handed over whole: a contact read is moved to the caller, and the reading thread
// keeps no copy of any of its strings.
ReadStatus ForEachImportedAhead(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const ContactSink& take);
