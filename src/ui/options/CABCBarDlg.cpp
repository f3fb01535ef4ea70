#include "ui/options/CABCBarDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "index/alphabet/AbcChoice.h"
#include "platform/ui/MessageBox.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

namespace {

constexpr uint32_t kNames[kAbcTypeCount] = {uistr::kAlphabetCustom, uistr::kAlphabetEnglish,
                                            uistr::kAlphabetRussian, uistr::kAlphabetEnglishRussian,
                                            uistr::kAlphabetGerman};

}  // namespace

CABCBarDlg::CABCBarDlg(AbcBarSettings settings)
    : DlgImpl(UiText(uistr::kAbcBarTitle)), settings_(std::move(settings)) {}

QString CABCBarDlg::NameOf(uint32_t type) { return type < kAbcTypeCount ? UiText(kNames[type]) : QString(); }

bool CABCBarDlg::OnInitContent() {
    types_ = new QComboBox(Widget());
    for (uint32_t type = 0; type < kAbcTypeCount; ++type) types_->addItem(NameOf(type));
    types_->setCurrentIndex(settings_.type < kAbcTypeCount ? static_cast<int>(settings_.type) : kAbcEnglish);
    types_->setAccessibleName(UiText(uistr::kAlphabet));
    custom_ = new QLineEdit(QString::fromStdU16String(settings_.custom), Widget());
    custom_->setAccessibleName(UiText(uistr::kCustomAlphabet));
    custom_->setEnabled(types_->currentIndex() == kAbcCustom);
    QObject::connect(types_, &QComboBox::currentIndexChanged, Widget(), [this](int type) { custom_->setEnabled(type == kAbcCustom); });
    Content()->addWidget(new QLabel(UiText(uistr::kAlphabet), Widget()));
    Content()->addWidget(types_);
    Content()->addWidget(new QLabel(UiText(uistr::kCustomAlphabet), Widget()));
    Content()->addWidget(custom_);
    Content()->addStretch(1);
    types_->setFocus();
    return true;
}

bool CABCBarDlg::OnOK() {
    const uint32_t type = static_cast<uint32_t>(types_->currentIndex());
    const std::u16string custom = custom_->text().toStdU16String();
    AbcDefinition parsed;
    if (type == kAbcCustom && !ParseAbcDefinition(custom, parsed)) {
        plat::MessageBox(RequireStr(uistr::kWrongAbcFormat).View(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
        custom_->setFocus();
        return false;
    }
    settings_.type = type;
    if (type == kAbcCustom) settings_.custom = custom;
    return true;
}
