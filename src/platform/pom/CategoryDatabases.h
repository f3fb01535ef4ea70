#pragma once
// The platform's category databases, which the object model creates when first asked for:
// "CategoryMainDB" (one record per category: property 1 the category id, numbered by the store;
// property 2 the name) and "CategoryAssocDB" (one record per assignment: property 1 the item
// reference, property 2 the category id). The sort orders here are the ones the databases declare
// and the ones their users open them with.
#include <optional>
#include <string>
#include <string_view>

#include "platform/objectstore/DatabaseInfo.h"
#include "platform/objectstore/PropVal.h"

namespace plat::pom {

inline constexpr std::u16string_view kCategoryMainDb = u"CategoryMainDB";
inline constexpr std::u16string_view kCategoryAssocDb = u"CategoryAssocDB";

inline constexpr uint32_t kPropCategoryId = MakePropId(1, CEVT_AUTO_I4);    // CategoryMainDB
inline constexpr uint32_t kPropCategoryName = MakePropId(2, CEVT_LPWSTR);   // CategoryMainDB
inline constexpr uint32_t kPropAssocItem = MakePropId(1, CEVT_UI4);         // CategoryAssocDB
inline constexpr uint32_t kPropAssocCategory = MakePropId(2, CEVT_I4);      // CategoryAssocDB

// The flags of the keyed orders: unique keys, no positional seeks.
inline constexpr uint16_t kCategoryKeyFlags = 0x1200;

// "CategoryMainDB" by id, and by name.
SortOrderDescription CategoryByIdOrder();
SortOrderDescription CategoryByNameOrder();
// "CategoryAssocDB" by (item, category), and by (category, item).
SortOrderDescription AssocByItemOrder();
SortOrderDescription AssocByCategoryOrder();

DatabaseDescription CategoryMainDbDescription();
DatabaseDescription CategoryAssocDbDescription();

// Creates whichever of the two databases the mounted volume lacks. False, with the store's last
// error, when one cannot be created.
[[nodiscard]] bool EnsureCategoryDatabases(const CeGuid& volume);

}  // namespace plat::pom

namespace plat::pom {

// The names of the categories assigned to an item reference, in the order of their ids, joined
// by ", "; nothing when a category database cannot be read.
std::optional<std::u16string> ItemCategoriesText(const CeGuid& volume, uint32_t itemRef);

}  // namespace plat::pom
