#include "platform/objectstore/StoreErrors.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

// Trivially destructible on purpose: process-wide objects destroyed at exit (the object model and
// the category manager close their databases then) still set the last error after the thread's
// own thread_local destructors have run, so the record must have no destructor to run.
struct LastError {
    uint32_t code = ERROR_SUCCESS;
    size_t length = 0;
    char message[480] = {};
};

thread_local LastError last;

}  // namespace

uint32_t GetLastError() { return last.code; }

std::string LastErrorMessage() { return std::string(last.message, last.length); }

void SetLastError(uint32_t code, std::string message) {
    last.code = code;
    last.length = std::min(message.size(), sizeof(last.message));
    std::memcpy(last.message, message.data(), last.length);
}

}  // namespace plat
