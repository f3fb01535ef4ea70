#pragma once
// ScreenFilterHost: what the contacts frame's category filter asks of the screen — the screen's
// measures, the category list dialog (over the frame's window) and the list of every contact.
#include "categories/filter/CategoryFilterHost.h"

class WndImpl;

class ScreenFilterHost : public catfilter::CategoryFilterHost {
public:
    // The category list dialog opens over `owner`.
    explicit ScreenFilterHost(WndImpl& owner) : owner_(owner) {}

    int MenuBarHeight() override;
    int ScreenDpiX() override;
    int TextWidth(std::u16string_view text) override;
    [[nodiscard]] bool ChooseCategories(bool inUseOnly, const std::vector<uint32_t>& initial,
                                        std::vector<uint32_t>& chosen) override;
    std::vector<uint32_t> AllContacts() override;

private:
    WndImpl& owner_;
};
