#pragma once
// The "Call Filter" submenu of the main menu: "Enable All", "Disable All", a separator, the three
// special groups, then one item per category (all categories, name order), each checked while
// its group is let through. Its commands run from 25300 up.
#include <cstdint>

#include "categories/manager/CategoryEntry.h"
#include "core/array/Array.h"
#include "core/menu/MenuDescription.h"
#include "core/result/Status.h"

class CallFilter;

inline constexpr uint32_t kCmdCallFilterEnableAll = 25300;
inline constexpr uint32_t kCmdCallFilterDisableAll = 25301;
inline constexpr uint32_t kCmdCallFilterNoNumber = 25302;
inline constexpr uint32_t kCmdCallFilterNoContact = 25303;
inline constexpr uint32_t kCmdCallFilterNoCategory = 25304;
inline constexpr uint32_t kCmdCallFilterFirstCategory = 25305;
// The last command of the range; categories beyond it get no item.
inline constexpr uint32_t kCmdCallFilterLast = 25499;

// The submenu for `categories` (the list the commands will be given too).
MenuDescription BuildCallFilterMenu(const CallFilter& filter, const Array<CategoryEntry>& categories);

// Carries out a command of the submenu: enable or disable all, or toggle one group (a category
// by its index in `categories`). Fails with StatusCode::Invalid for a command that is not the
// submenu's or names no category, and as CallFilter's changes do when the change is not kept.
Status RunCallFilterCommand(CallFilter& filter, const Array<CategoryEntry>& categories, uint32_t command);
