#pragma once
// A popup menu as plain data: what the model code returns and the screens turn into a real menu
// (command identifier, text, check or radio mark, enabled, submenu). Commands keep their numeric
// identifiers end to end, so a chosen item comes back as its identifier.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/str/Str.h"

enum class MenuMark { None, Check, Radio };

struct MenuItem {
    uint32_t id = 0;  // the command; 0 for a separator and for an item that only opens a submenu
    Str text;         // empty for a separator
    MenuMark mark = MenuMark::None;
    bool enabled = true;
    bool separator = false;
    std::vector<MenuItem> submenu;  // the items of a popup; empty for a plain item

    [[nodiscard]] bool IsChecked() const { return mark == MenuMark::Check; }
    static MenuItem Separator() {
        MenuItem item;
        item.separator = true;
        return item;
    }
};

struct MenuDescription {
    std::vector<MenuItem> items;

    // Appends a plain item, checked or not, and returns it for further settings.
    MenuItem& Add(uint32_t id, const Str& text, bool checked = false) {
        MenuItem item;
        item.id = id;
        item.text = text;
        item.mark = checked ? MenuMark::Check : MenuMark::None;
        return items.emplace_back(std::move(item));
    }
    void AddSeparator() { items.push_back(MenuItem::Separator()); }
    void push_back(MenuItem item) { items.push_back(std::move(item)); }

    // The item of a command (searched in submenus too), or null.
    const MenuItem* Find(uint32_t id) const { return FindIn(items, id); }

    size_t size() const { return items.size(); }
    [[nodiscard]] bool empty() const { return items.empty(); }
    const MenuItem& operator[](size_t index) const { return items[index]; }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }

private:
    static const MenuItem* FindIn(const std::vector<MenuItem>& list, uint32_t id) {
        for (const MenuItem& item : list) {
            if (!item.separator && item.submenu.empty() && item.id == id) return &item;
            if (const MenuItem* inner = FindIn(item.submenu, id)) return inner;
        }
        return nullptr;
    }
};
