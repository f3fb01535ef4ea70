#include "platform/window/NameCompare.h"

#include <unicode/uchar.h>

namespace plat {

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && u_foldCase(a[i], U_FOLD_CASE_DEFAULT) != u_foldCase(b[i], U_FOLD_CASE_DEFAULT)) {
            return false;
        }
    }
    return true;
}

}  // namespace plat
