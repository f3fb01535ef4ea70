#include "ui/phone/CApPhoneTemplateDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

CApPhoneTemplateDlg::CApPhoneTemplateDlg() : DlgImpl(UiText(uistr::kPhoneFormatsTitle)) { model_.Open(); }

bool CApPhoneTemplateDlg::OnInitContent() {
    field_ = new QLineEdit(Widget());
    field_->setMaxLength(260);
    field_->setAccessibleName(UiText(uistr::kPhoneTemplate));
    list_ = new QListWidget(Widget());
    list_->setAccessibleName(UiText(uistr::kPhoneTemplates));
    example_ = new QLabel(Widget());
    example_->setAccessibleName(UiText(uistr::kExampleLabel));
    ignore_ = new QCheckBox(UiText(uistr::kIgnoreDashes), Widget());
    ignore_->setChecked(model_.Templates().IgnoresHyphens());
    auto* buttons = new QGridLayout;
    const struct {
        uint32_t text;
        uint32_t command;
    } keys[] = {{uistr::kAdd, kCmdAdd},
                {uistr::kDelete, kCmdDelete},
                {uistr::kUp, kCmdUp},
                {uistr::kDown, kCmdDown},
                {uistr::kDefault, kCmdDefault}};
    int column = 0;
    for (const auto& key : keys) {
        auto* button = new QPushButton(UiText(key.text), Widget());
        button->setFocusPolicy(Qt::TabFocus);
        QObject::connect(button, &QPushButton::clicked, Widget(), [this, command = key.command] { Send(plat::WM_COMMAND, command, 0); });
        buttons->addWidget(button, 0, column++);
    }
    Content()->addWidget(field_);
    Content()->addWidget(list_, 1);
    Content()->addWidget(example_);
    Content()->addWidget(ignore_);
    Content()->addLayout(buttons);
    QObject::connect(field_, &QLineEdit::textEdited, Widget(), [this](const QString& text) {
        model_.SetText(text.toStdU16String());
        example_->setText(UiText(uistr::kExample).arg(ToQString(model_.Example())));
    });
    QObject::connect(list_, &QListWidget::currentRowChanged, Widget(), [this](int row) {
        model_.Select(row);
        field_->setText(ToQString(model_.Text()));
        example_->setText(UiText(uistr::kExample).arg(ToQString(model_.Example())));
    });
    QObject::connect(ignore_, &QCheckBox::clicked, Widget(), [this] { model_.ToggleIgnoreHyphens(); });
    Refresh();
    field_->setFocus();
    return true;
}

void CApPhoneTemplateDlg::Refresh() {
    {
        const QSignalBlocker quiet(list_);
        list_->clear();
        const PhoneTemplates& templates = model_.Templates();
        for (int index = 0; index < templates.GetCount(); ++index) list_->addItem(ToQString(templates.Template(index)));
        list_->setCurrentRow(model_.Selection());
    }
    field_->setText(ToQString(model_.Text()));
    example_->setText(UiText(uistr::kExample).arg(ToQString(model_.Example())));
}

bool CApPhoneTemplateDlg::OnOK() {
    if (model_.Ok()) return true;
    plat::MessageBox(RequireStr(uistr::kFormatsNotStored).View(), RequireStr(uistr::kBrevane).View(),
                     plat::MB_OK | plat::MB_ICONWARNING);
    return false;
}

plat::LRESULT CApPhoneTemplateDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message != plat::WM_COMMAND) return DlgImpl::WndProc(message, wParam, lParam);
    switch (wParam & 0xFFFF) {
        case kCmdAdd:
            if (model_.Add() == PhoneTemplateDialogModel::AddResult::Forbidden) {
                plat::MessageBox(RequireStr(kStrForbidden).View(), RequireStr(101).View(), plat::MB_OK | plat::MB_ICONWARNING);
                return 0;
            }
            break;
        case kCmdDelete: model_.Delete(); break;
        case kCmdUp: model_.Up(); break;
        case kCmdDown: model_.Down(); break;
        case kCmdDefault: model_.Default(); break;
        default: return DlgImpl::WndProc(message, wParam, lParam);
    }
    Refresh();
    return 0;
}
