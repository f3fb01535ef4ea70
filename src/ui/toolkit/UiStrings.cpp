#include "ui/toolkit/UiStrings.h"

#include "core/res/ResourceStrings.h"
#include "ui/toolkit/PopupMenu.h"

QString UiText(uint32_t id) { return ToQString(RequireStr(id)); }
