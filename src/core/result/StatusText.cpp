#include "core/result/StatusText.h"

#include <string>

#include "core/res/ResourceStrings.h"

Status FailedWith(uint32_t id, StatusCode code) {
    return Status::Error(code, std::u16string(RequireStr(id).View()));
}

Status OkOr(bool ok, uint32_t id) { return ok ? Status::Ok() : FailedWith(id); }
