#pragma once
// What a row of the contact list shows as its name, and the order the list takes when the caller
// names none. Every program and tool that prints or draws list rows uses these, so a row reads the
// same everywhere: the File As text in File As order, the display name the contact record composes
// ("Last, First", then First, Company, ...) in name and company order, "Unnamed" when empty.
#include <span>

#include "core/str/Str.h"
#include "manager/search/ContactSearch.h"

class StdContact;

// The name text of the contact's row in `order`.
Str RowName(const StdContact& contact, ListOrder order);
// The text fields RowName reads, in any order: a row needs no other value of the contact.
std::span<const int> RowNameFields();

// The stored list order (setting `SortType` of section "Settings"): 1 File As, 2 company, any
// other value (missing, 0, or a value written by other versions such as 7) name order. Read from
// the current device, so the device must be open.
ListOrder StoredListOrder();
