#include "platform/objectstore/StoreErrors.h"

namespace plat {

namespace {

struct LastError {
    uint32_t code = ERROR_SUCCESS;
    std::string message;
};

LastError& ThreadLastError() {
    thread_local LastError last;
    return last;
}

}  // namespace

uint32_t GetLastError() { return ThreadLastError().code; }

const std::string& LastErrorMessage() { return ThreadLastError().message; }

void SetLastError(uint32_t code, std::string message) {
    ThreadLastError() = LastError{code, std::move(message)};
}

}  // namespace plat
