#pragma once
// Failures whose message is a string of the program's table (res/strings.tsv), for the model code
// that reports a failure in words the user can be shown as they are.
#include <cstdint>

#include "core/result/Status.h"

// A failure with code `code` and string `id` as its message.
Status FailedWith(uint32_t id, StatusCode code = StatusCode::Failed);
// Success when `ok`, else FailedWith(id).
Status OkOr(bool ok, uint32_t id);
