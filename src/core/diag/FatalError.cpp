#include "core/diag/FatalError.h"

const char* FatalError::what() const noexcept {
    switch (code_) {
        case kFatalResource:
            return "a required resource is missing";
        case kFatalDatabase:
            return "a database operation failed";
        case kFatalMemory:
            return "memory could not be allocated or mapped";
        default:
            return "fatal error";
    }
}
