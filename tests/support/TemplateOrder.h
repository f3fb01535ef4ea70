#pragma once
// The stored names of a template group's entries, in the order the group shows them.
#include <string>
#include <vector>

#include "view/template/ContactTemplate.h"

inline std::vector<std::u16string> OrderNames(const ContactTemplate& t, int id) {
    std::vector<std::u16string> out;
    const TemplateGroup* g = t.Group(id);
    for (int entry : g->order) out.emplace_back(g->names[entry].View());
    return out;
}
