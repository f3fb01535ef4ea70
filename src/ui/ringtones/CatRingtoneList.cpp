#include "ui/ringtones/CatRingtoneList.h"

#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "core/str/Quoted.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/ringtones/ChangeRingtoneDlg.h"
#include "ui/ringtones/RingtonesPickerDlg.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

CatRingtoneList::CatRingtoneList(CallFilter& filter) : DlgImpl(ToQString(RequireStr(kStrTitle))), filter_(filter) {
    ringtones_.Load();
}

bool CatRingtoneList::OnInitContent() {
    if (!model_.Load(filter_, ringtones_)) {
        plat::MessageBox(RequireStr(uistr::kCategoriesUnreadable).View(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
    }
    rows_ = new QTreeWidget(Widget());
    rows_->setColumnCount(2);
    rows_->setHeaderLabels({UiText(uistr::kGroup), UiText(uistr::kRingtone)});
    rows_->setRootIsDecorated(false);
    rows_->header()->setStretchLastSection(true);
    // The group names are read whole; a long ringtone path keeps its start and its file name.
    rows_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    rows_->setTextElideMode(Qt::ElideMiddle);
    rows_->setAccessibleName(ToQString(RequireStr(kStrTitle)));
    auto* change = new QPushButton(ToQString(RequireStr(kStrChangeRingtone)), Widget());
    QObject::connect(change, &QPushButton::clicked, Widget(), [this] { Send(plat::WM_COMMAND, kCmdChange, 0); });
    auto* play = new QPushButton(UiText(uistr::kPlay), Widget());
    play->setAccessibleName(UiText(uistr::kPlayRingtone));
    QObject::connect(play, &QPushButton::clicked, Widget(), [this] { Send(plat::WM_COMMAND, kCmdPlay, 0); });
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(change, 1);
    buttons->addWidget(play);
    Content()->addWidget(rows_, 1);
    Content()->addLayout(buttons);
    Fill();
    QObject::connect(rows_, &QTreeWidget::itemChanged, Widget(), [this](QTreeWidgetItem* item, int column) {
        const int row = rows_->indexOfTopLevelItem(item);
        if (column != 0 || row < 0) return;
        if ((item->checkState(0) == Qt::Checked) != model_.Rows()[row].checked) model_.ToggleCheck(row);
        const QSignalBlocker quiet(rows_);
        item->setCheckState(0, model_.Rows()[row].checked ? Qt::Checked : Qt::Unchecked);
    });
    QObject::connect(rows_, &QTreeWidget::itemActivated, Widget(), [this] { ChangeRingtone(); });
    // A tap on the ringtone column plays the row's ringtone.
    QObject::connect(rows_, &QTreeWidget::itemClicked, Widget(), [this](QTreeWidgetItem*, int column) {
        if (column == 1) PlayRingtoneOfRow();
    });
    rows_->setFocus();
    return true;
}

void CatRingtoneList::Fill() {
    const QSignalBlocker quiet(rows_);
    const int current = std::max(0, rows_->indexOfTopLevelItem(rows_->currentItem()));
    rows_->clear();
    for (int row = 0; row < model_.Rows().GetSize(); ++row) {
        const RingtoneRow& entry = model_.Rows()[row];
        auto* item = new QTreeWidgetItem(rows_, {ToQString(entry.name), ToQString(entry.ringtone)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, entry.checked ? Qt::Checked : Qt::Unchecked);
    }
    if (rows_->topLevelItemCount() > 0) rows_->setCurrentItem(rows_->topLevelItem(std::min(current, rows_->topLevelItemCount() - 1)));
}

void CatRingtoneList::ChangeRingtone() {
    const int row = rows_->indexOfTopLevelItem(rows_->currentItem());
    if (row < 0) return;
    const RingtoneRow& entry = model_.Rows()[row];
    ChangeRingtoneDlg dialog(ToQString(entry.name), ToQString(entry.ringtone));
    if (dialog.DoModal(*this) != plat::IDOK) return;
    model_.SetRingtone(row, FromQString(dialog.Path()));
    Fill();
}

void CatRingtoneList::PlayRingtoneOfRow() {
    const int row = rows_->indexOfTopLevelItem(rows_->currentItem());
    if (row < 0) return;
    const RingtoneRow& entry = model_.Rows()[row];
    if (entry.ringtone.IsEmpty()) {
        plat::MessageBox(UiText(uistr::kNoOwnRingtone)
                             .arg(QString::fromStdU16String(Quoted(entry.name.View())))
                             .toStdU16String(),
                         RequireStr(uistr::kBrevane).View(), plat::MB_OK | plat::MB_ICONINFORMATION);
        return;
    }
    // False: a playable sound, nothing to tell.
    (void)WarnAboutSound(PlayRingtone(entry.ringtone), entry.ringtone);
}

bool CatRingtoneList::OnOK() {
    if (model_.Apply(filter_, ringtones_)) return true;
    plat::MessageBox(RequireStr(uistr::kRingtonesNotStored).View(), RequireStr(uistr::kBrevane).View(),
                     plat::MB_OK | plat::MB_ICONWARNING);
    return false;
}

plat::LRESULT CatRingtoneList::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdChange) {
        ChangeRingtone();
        return 0;
    }
    if (message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdPlay) {
        PlayRingtoneOfRow();
        return 0;
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
