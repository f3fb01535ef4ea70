#pragma once
// What the index takes of a contact: its words, its sort texts, its slot and its categories (the
// contact's category ids as loaded: whoever indexes a stored contact loads them first).
#include <cstdint>
#include <string_view>

#include "index/order/SortKeys.h"
#include "index/words/WordIndex.h"

class Contact;

SortKeys SortKeysOf(const Contact& contact);
ContactCategories CategoriesOf(const Contact& contact);
WordIndex::Entry IndexEntryOf(const Contact& contact, std::u16string_view note, uint32_t slot);
