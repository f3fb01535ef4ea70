#pragma once
// The error codes the object store reports, as the handheld numbers them, and the thread-local
// last error that every object-store call sets (0 on success).
#include <cstdint>
#include <string>

namespace plat {

inline constexpr uint32_t ERROR_SUCCESS = 0;
inline constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;      // the volume file does not exist
inline constexpr uint32_t ERROR_INVALID_HANDLE = 6;      // a handle that is not open
inline constexpr uint32_t ERROR_BAD_FORMAT = 11;         // a file that is not a volume of ours
inline constexpr uint32_t ERROR_OUTOFMEMORY = 14;
inline constexpr uint32_t ERROR_GEN_FAILURE = 31;        // the volume file could not be used
inline constexpr uint32_t ERROR_SHARING_VIOLATION = 32;  // another process held the volume too long
inline constexpr uint32_t ERROR_HANDLE_EOF = 38;         // read past the end (autoAdvance)
inline constexpr uint32_t ERROR_NOT_SUPPORTED = 50;      // a volume of a newer format
inline constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr uint32_t ERROR_DISK_FULL = 112;         // no room, or identifiers exhausted
inline constexpr uint32_t ERROR_ALREADY_EXISTS = 183;    // a database or volume of that name exists
inline constexpr uint32_t ERROR_NO_DATA = 232;           // nothing to write
inline constexpr uint32_t ERROR_NO_MORE_ITEMS = 259;     // no current record / no record there
inline constexpr uint32_t ERROR_NOT_FOUND = 1168;        // no such record, database or volume
inline constexpr uint32_t ERROR_FILE_CORRUPT = 1392;     // the volume file is damaged

// The last error of the calling thread and a sentence saying what failed (empty after success).
uint32_t GetLastError();
std::string LastErrorMessage();
void SetLastError(uint32_t code, std::string message = {});

}  // namespace plat
