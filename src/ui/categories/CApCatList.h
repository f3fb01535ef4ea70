#pragma once
// CApCatList: the category list dialog (dialog 172, "Category") over its model: a list of
// categories to check, the "Show All Categories" box in the in-use mode, the soft keys "New"
// (the add dialog) and "Tools" (OK, Cancel, Delete). OK hands back the checked ids.
#include <cstdint>
#include <vector>

#include "categories/filter/CategoryListDialog.h"
#include "ui/list/EventHook.h"
#include "ui/toolkit/DlgImpl.h"

class QCheckBox;
class QListWidget;

class CApCatList : public DlgImpl {
public:
    static constexpr uint32_t kDialogId = 172;
    static constexpr uint32_t kShowAllBox = 1025;
    static constexpr uint32_t kCmdNew = 1003;
    static constexpr uint32_t kCmdDelete = 40013;
    static constexpr uint32_t kToolsPopup = 213;

    CApCatList(const std::vector<uint32_t>& checked, bool allCategories);
    ~CApCatList() override { DestroyWnd(); }

    // After IDOK: the checked ids in list order.
    std::vector<uint32_t> Checked() const { return model_.Checked(); }
    catfilter::CategoryListDialog& Model() { return model_; }
    QListWidget* List() const { return list_; }
    QCheckBox* ShowAllBox() const { return showAll_; }

    // "New": the add dialog, then the name added and made current.
    void AddFromDialog();
    // "Delete" on the current entry.
    void DeleteCurrent();

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitContent() override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    // Shows the model's entries, checks and current entry again.
    void Refill();

    catfilter::CategoryListDialog model_;
    QListWidget* list_ = nullptr;
    QCheckBox* showAll_ = nullptr;
    EventHookSlot hook_;  // last: it goes first
};
