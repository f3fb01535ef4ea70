// An add-in whose command crashes: the program must be able to tell the user, on its next start,
// which add-in ended it.
#include <csignal>
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t CePimCommand(uint32_t, uint32_t, uint32_t, const uint32_t*,
                                                                     void*) {
    std::raise(SIGSEGV);
    return 0;
}
