#pragma once
// What the category filter needs from the contacts frame that owns it: the screen's measures, the
// category list dialog and the contact store's list of all contacts.
#include <cstdint>
#include <string_view>
#include <vector>

namespace catfilter {

class CategoryFilterHost {
public:
    virtual ~CategoryFilterHost() = default;

    // The height of the platform's menu bar in pixels (system metric SM_CYMENU).
    virtual int MenuBarHeight() = 0;
    // The screen's horizontal logical resolution in dots per inch.
    virtual int ScreenDpiX() = 0;
    // The width in pixels of `text` in the menu's font.
    virtual int TextWidth(std::u16string_view text) = 0;
    // Runs the category list dialog, in-use mode (only categories in use) or all-categories mode,
    // with `initial` checked. True on OK, with `chosen` the checked ids in the order the dialog
    // lists them; false on Cancel.
    [[nodiscard]] virtual bool ChooseCategories(bool inUseOnly, const std::vector<uint32_t>& initial,
                                                std::vector<uint32_t>& chosen) = 0;
    // The object identifiers of every contact of the store; empty when they cannot be listed.
    virtual std::vector<uint32_t> AllContacts() = 0;
};

}  // namespace catfilter
