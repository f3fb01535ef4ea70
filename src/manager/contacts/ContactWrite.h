#pragma once
// What of one add, update or delete of a contact reached the store. The contact's record goes
// first; its category assignments and its named values follow it, each in its own database, so a
// failure of either leaves the record written without them. Nothing is rolled back: the record is
// what the user sees, and the next update of the contact writes its assignments and named values
// again. A delete removes the assignments first and keeps the contact when it cannot; named
// values it cannot remove stay behind, keyed by a contact nobody has any more.
#include <string>
#include <vector>

struct [[nodiscard]] ContactWrite {
    bool record = false;       // the record was written (deleted); false: nothing of it was changed
    bool categories = false;   // its category assignments were written (removed)
    bool namedValues = false;  // its named values were written (removed)
    // The values cut or dropped to fit the store's limits before the write, one sentence each
    // (store/contact/ValueLimits.h); the contact written holds them as cut.
    std::vector<std::string> limited;

    [[nodiscard]] bool Complete() const { return record && categories && namedValues; }
};
