#pragma once
// Telling the user of a failure: the status's message in a warning box captioned with the
// program's name. A success shows nothing.
#include "core/result/Status.h"

void TellUser(const Status& status);
