// The category list dialog and its add dialog driven through their soft-key commands and their
// fields: names with "," or ";" refused with the dialog kept open, a new category listed and
// current, Delete taking an unused one away, the checked ids handed back on OK. What is refused
// and why is the dialogs' model's, tested with the category filter.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

#include "categories/manager/CategoryManager.h"
#include "ui/categories/CApCatAddDlg.h"
#include "ui/categories/CApCatList.h"
#include "ui/list/ListScreen.h"

namespace {

class CategoryDialogs : public ListScreen {
protected:
    // Runs `dialog` modally; `steps` runs once it is open, then the dialog is ended with `end`.
    static int Run(DlgBase& dialog, const std::function<void()>& steps, int end) {
        QTimer::singleShot(0, [&] {
            steps();
            if (dialog.IsOpen()) dialog.Send(plat::WM_COMMAND, static_cast<plat::WPARAM>(end), 0);
        });
        return dialog.DoModal(MainWndFrame::Instance());
    }

    // The add dialog opened by "New", while it is open: types `name` and presses OK.
    static void AddThroughNew(CApCatList& list, const QString& name, bool& stayedOpen) {
        QTimer::singleShot(0, [&, name] {
            CApCatAddDlg* add = OpenDialog<CApCatAddDlg>();
            ASSERT_NE(add, nullptr);
            QLineEdit* field = add->Field();
            QTest::keyClicks(field, name);
            add->Send(plat::WM_COMMAND, plat::IDOK, 0);
            stayedOpen = add->IsOpen();
            if (stayedOpen) add->Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
        });
        list.Send(plat::WM_COMMAND, CApCatList::kCmdNew, 0);
    }
};

TEST_F(CategoryDialogs, AddRefusesSeparatorsAndListsTheNewCategory) {
    Start();
    CApCatList dialog({}, false);
    std::vector<bool> stayed;
    const int result = Run(dialog, [&] {
        ASSERT_NE(dialog.ShowAllBox(), nullptr) << "the in-use mode offers every category";
        EXPECT_FALSE(dialog.ShowAllBox()->isChecked());
        for (const char* name : {"Work, home", "A;B", "Friends"}) {
            bool open = false;
            AddThroughNew(dialog, name, open);
            stayed.push_back(open);
        }
        EXPECT_TRUE(dialog.ShowAllBox()->isChecked()) << "an added category is listed even when unused";
        ASSERT_EQ(dialog.List()->count(), 1);
        EXPECT_EQ(dialog.List()->currentItem()->text(), "Friends");
        EXPECT_EQ(dialog.List()->currentItem()->checkState(), Qt::Unchecked);
        QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                          dialog.List()->visualItemRect(dialog.List()->item(0)).center());
        EXPECT_EQ(dialog.List()->item(0)->checkState(), Qt::Checked) << "a tap checks the entry";
        SaveScreenshot(*MainWndFrame::Instance().Widget(), QStringLiteral("category_list_dialog_96dpi"));
        bool open = true;
        AddThroughNew(dialog, "Old", open);
        ASSERT_EQ(dialog.List()->count(), 2);
        dialog.Send(plat::WM_COMMAND, CApCatList::kCmdDelete, 0);  // "Old", current and unused
        EXPECT_EQ(dialog.List()->count(), 1);
    }, plat::IDOK);
    EXPECT_EQ(result, plat::IDOK);
    EXPECT_EQ(stayed, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(boxes_.Boxes().size(), 2u) << "one refusal for each name with a separator";
    uint32_t friends = 0;
    ASSERT_EQ(CategoryManager::Instance()->AddCategory(u"Friends", friends), CategoryManager::kAddExists);
    EXPECT_EQ(dialog.Checked(), std::vector<uint32_t>{friends});
}

TEST_F(CategoryDialogs, ListDialogFillsTheWindowAt192Dpi) {
    Start(192);
    QWidget& window = *MainWndFrame::Instance().Widget();
    uint32_t id = 0;
    for (const char16_t* name : {u"Friends", u"Work"}) ASSERT_EQ(CategoryManager::Instance()->AddCategory(name, id), CategoryManager::kAddCreated);
    CApCatList dialog({id}, true);
    Run(dialog, [&] {
        ASSERT_EQ(dialog.List()->count(), 2);
        EXPECT_EQ(dialog.List()->item(1)->checkState(), Qt::Checked);
        const QRect row = dialog.List()->visualItemRect(dialog.List()->item(0));
        EXPECT_GE(row.height(), QFontMetrics(window.font()).height()) << "rows sized for the doubled font";
        SaveScreenshot(window, QStringLiteral("category_list_dialog_192dpi"));
    }, plat::IDCANCEL);
}

}  // namespace
