#pragma once
// The add-ins registered for the contacts program: HKEY_LOCAL_MACHINE
// "SOFTWARE\Microsoft\PimApps\PimExtensions\Contacts\AddIns", one subkey per add-in holding the
// REG_SZ values "DLL" (its device path) and "Menu" (the text of its menu item). At most ten, in
// the order of the subkeys.
#include <string_view>
#include <vector>

#include "core/str/Str.h"

struct AddinEntry {
    Str menu;  // the menu text
    Str dll;   // the device path of the library, as found
};

inline constexpr std::u16string_view kAddinsKey = u"SOFTWARE\\Microsoft\\PimApps\\PimExtensions\\Contacts\\AddIns";

// Reads the table. An entry needs both values as REG_SZ shorter than 260 characters and a library
// that exists as written or, failing that, as "\Windows\" followed by the written name (which then
// becomes its path); other entries are skipped. A missing key or registry gives no add-ins.
std::vector<AddinEntry> ReadAddinTable();
