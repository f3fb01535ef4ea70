#include "ui/categories/CApCatList.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/categories/CApCatAddDlg.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

CApCatList::CApCatList(const std::vector<uint32_t>& checked, bool allCategories)
    : DlgImpl(ToQString(RequireStr(catfilter::kStrCategoryTitle))), model_(checked, allCategories) {}

SoftKeyMenu CApCatList::SoftKeys() const {
    SoftKeyMenu keys;
    keys.left = SoftKey::Command(RequireStr(catfilter::kStrNew), kCmdNew);
    keys.right.text = RequireStr(catfilter::kStrTools);
    keys.right.popupId = kToolsPopup;
    keys.right.popup.Add(plat::IDOK, RequireStr(uistr::kOk));
    keys.right.popup.Add(plat::IDCANCEL, RequireStr(uistr::kCancel));
    keys.right.popup.Add(kCmdDelete, RequireStr(uistr::kDelete));
    return keys;
}

bool CApCatList::OnInitContent() {
    if (model_.ShowsAllBox()) {
        showAll_ = new QCheckBox(ToQString(RequireStr(catfilter::kStrShowAllCategories)), Widget());
        showAll_->setChecked(model_.ShowAll());
        QObject::connect(showAll_, &QCheckBox::toggled, Widget(), [this](bool on) {
            model_.SetShowAll(on);
            Refill();
        });
        Content()->addWidget(showAll_);
    }
    list_ = new QListWidget(Widget());
    list_->setAccessibleName(Caption());
    QObject::connect(list_, &QListWidget::itemClicked, Widget(), [this](QListWidgetItem* item) {
        model_.Toggle(list_->row(item));
        Refill();
    });
    QObject::connect(list_, &QListWidget::currentRowChanged, Widget(), [this](int row) { model_.SetCurrent(row); });
    // Space toggles the current entry, as a tap does.
    hook_.Install(*list_, [this](QEvent& event) {
        if (event.type() != QEvent::KeyPress || static_cast<QKeyEvent&>(event).key() != Qt::Key_Space)
            return false;
        if (list_->currentRow() >= 0) {
            model_.Toggle(list_->currentRow());
            Refill();
        }
        return true;
    });
    Content()->addWidget(list_, 1);
    Refill();
    list_->setFocus();
    return true;
}

void CApCatList::Refill() {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (int index = 0; index < model_.Count(); ++index) {
        auto* item = new QListWidgetItem(ToQString(model_.EntryText(index)), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(model_.IsChecked(index) ? Qt::Checked : Qt::Unchecked);
    }
    list_->setCurrentRow(model_.Current());
    if (QListWidgetItem* current = list_->currentItem()) list_->scrollToItem(current);
    if (showAll_ != nullptr) {
        const QSignalBlocker quietBox(showAll_);
        showAll_->setChecked(model_.ShowAll());
    }
}

plat::LRESULT CApCatList::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdNew) {
        AddFromDialog();
        return 0;
    }
    if (message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdDelete) {
        DeleteCurrent();
        return 0;
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}

void CApCatList::AddFromDialog() {
    CApCatAddDlg add;
    if (add.DoModal(*this) != plat::IDOK || !add.HasName()) return;
    model_.Add(add.Name());
    Refill();
}

void CApCatList::DeleteCurrent() {
    if (model_.Current() < 0) return;
    (void)model_.DeleteCurrent();  // a category that stays was told in a box
    Refill();
}
