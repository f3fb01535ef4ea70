#pragma once
// The contacts store could not be read whole while the index was being built from it: the index
// made so far is not saved as the store's, and the failure ends the work as any failed index
// update does, with the store's own sentence (the file and its damaged page).
#include <string>

#include "core/diag/FatalError.h"

class StoreReadFailure : public FatalError {
public:
    explicit StoreReadFailure(const std::string& why)
        : FatalError(kFatalDatabase, 0), message_("the contacts store could not be read whole: " + why) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};
