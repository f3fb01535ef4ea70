#include "ui/list/DataFolderDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "screen/list/DataFolderMove.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

DataFolderDlg::DataFolderDlg(const Str& current)
    : DlgImpl(UiText(uistr::kDataFolderCaption)),
      shown_(ParentFolder(current.View())),
      nameText_(RequireStr(liststr::kDataFolderName)) {}

bool DataFolderDlg::OnInitContent() {
    where_ = new QLabel(Widget());
    where_->setWordWrap(true);
    folders_ = new QListWidget(Widget());
    folders_->setAccessibleName(UiText(uistr::kDataFolderFolders));
    where_->setBuddy(folders_);
    auto* nameLabel = new QLabel(UiText(uistr::kDataFolderNewName), Widget());
    name_ = new QLineEdit(ToQString(nameText_), Widget());
    name_->setAccessibleName(nameLabel->text());
    nameLabel->setBuddy(name_);
    Content()->addWidget(where_);
    Content()->addWidget(folders_, 1);
    Content()->addWidget(nameLabel);
    Content()->addWidget(name_);
    QObject::connect(folders_, &QListWidget::itemActivated, Widget(),
                     [this](QListWidgetItem* item) { OpenRow(folders_->row(item)); });
    // Enter in the name confirms, as OK does.
    QObject::connect(name_, &QLineEdit::returnPressed, Widget(),
                     [this] { (void)Send(plat::WM_COMMAND, plat::IDOK, 0); });
    Show(shown_);
    folders_->setFocus();
    return true;
}

void DataFolderDlg::Show(const Str& folder) {
    shown_ = folder;
    where_->setText(UiText(uistr::kDataFolderIn).arg(ToQString(folder)));
    folders_->clear();
    folders_->addItem(UiText(uistr::kDataFolderUp));
    for (const Str& name : SubfoldersOf(folder.View())) folders_->addItem(ToQString(name));
    folders_->setCurrentRow(0);
}

void DataFolderDlg::OpenRow(int row) {
    if (row < 0) return;
    if (row == 0) return Show(ParentFolder(shown_.View()));
    Show(ChildFolder(shown_.View(), FromQString(folders_->item(row)->text()).View()));
}

bool DataFolderDlg::OnOK() {
    chosen_ = ChildFolder(shown_.View(), FromQString(name_->text().trimmed()).View());
    return true;
}
