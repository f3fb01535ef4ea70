#include "ui/options/COptionDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/res/ResourceStrings.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/DialerAddIn.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/options/CABCBarDlg.h"
#include "ui/options/CheckText.h"
#include "ui/phone/CApPhoneTemplateDlg.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

namespace {

QString FontText(const FontStyle& font) {
    const int points = (std::abs(font.height) * 72 + ScreenDpiY() / 2) / std::max(1, ScreenDpiY());
    return UiText(uistr::kFontSize).arg(ToQString(font.face)).arg(points);
}

void FillChoices(QComboBox& box, const std::vector<options::OptionChoice>& choices, uint32_t current) {
    for (const options::OptionChoice& choice : choices) box.addItem(ToQString(choice.text), choice.value);
    box.setCurrentIndex(box.findData(current));
}

}  // namespace

COptionDlg::COptionDlg(const OptionsState& current) : DlgImpl(UiText(uistr::kOptions)), current_(current) {
    result_.state = current;
}

OptionsResult COptionDlg::Run(WndImpl& owner, const OptionsState& current) {
    COptionDlg dialog(current);
    if (dialog.DoModal(owner) != plat::IDOK) return {};
    return dialog.Result();
}

SoftKeyMenu COptionDlg::SoftKeys() const {
    return {SoftKey::Command(RequireStr(uistr::kDone), plat::IDOK),
            SoftKey::Command(RequireStr(uistr::kCancel), plat::IDCANCEL)};
}

bool COptionDlg::OnInitContent() {
    general_ = options::ReadGeneralOptions();
    phone_ = options::ReadPhoneOptions(TheDialer().Hooks().addIn != nullptr);
    skinChoices_ = options::ReadSkins();
    pages_ = new QTabWidget(Widget());
    pages_->setAccessibleName(UiText(uistr::kOptionsPages));
    Content()->addWidget(pages_, 1);
    BuildGeneral();
    BuildView();
    BuildPhone();
    BuildSkin();
    pages_->setCurrentIndex(options::ReadOptionPage());
    pages_->currentWidget()->setFocus();
    return true;
}

QVBoxLayout* COptionDlg::AddPage(const QString& title) {
    auto* scroll = new QScrollArea(pages_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->verticalScrollBar()->setSingleStep(options::ScrollStep(ScreenDpiX()));
    // A page scrolls up and down only: it takes the window's width, and a label longer than that
    // is cut at the edge rather than pushing every field off to the right.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* page = new QWidget(scroll);
    page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QVBoxLayout(page);
    scroll->setWidget(page);
    // A page's name is shown as it is written: an '&' in it ("Phone&Dial") is no shortcut mark.
    pages_->addTab(scroll, QString(title).replace(u'&', QStringLiteral("&&")));
    return layout;
}

// A page is as narrow as the phone's screen: a check's text wraps onto further lines rather than
// being cut at the edge. The box carries the text as its accessible name; a tap on the text acts as
// a tap on the box, and the text is greyed with it.
QCheckBox* COptionDlg::AddCheck(QVBoxLayout* page, const QString& text, bool checked) {
    auto* row = new QWidget(page->parentWidget());
    auto* box = new QCheckBox(row);
    box->setAccessibleName(text);
    box->setChecked(checked);
    auto* label = new CheckText(text, *box, row);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box, 0, Qt::AlignTop);
    layout->addWidget(label, 1);
    page->addWidget(row);
    return box;
}

QCheckBox* COptionDlg::Check(const QString& text) const {
    for (QCheckBox* box : Widget()->findChildren<QCheckBox*>()) {
        if (box->accessibleName() == text) return box;
    }
    return nullptr;
}

void COptionDlg::BuildGeneral() {
    QVBoxLayout* page = AddPage(ToQString(RequireStr(options::kPageTexts[options::kGeneral])));
    language_ = new QLabel(page->parentWidget());
    ShowLanguage();
    auto* change = new QPushButton(UiText(uistr::kChange), page->parentWidget());
    change->setAccessibleName(UiText(uistr::kChangeAlphabet));
    QObject::connect(change, &QPushButton::clicked, Widget(), [this] { ChangeAlphabet(); });
    page->addWidget(language_);
    page->addWidget(change);
    page->addWidget(new QLabel(UiText(uistr::kTodayPlugin), page->parentWidget()));
    AddCheck(page, UiText(uistr::kEnablePlugin), general_.today);
    AddCheck(page, UiText(uistr::kDefaultContactManager), general_.defaultContacts);
    AddCheck(page, UiText(uistr::kHardwareButton), general_.hardwareButton)
        ->setEnabled(general_.hardwareButtonAvailable);
    AddCheck(page, UiText(uistr::kDialerOnPhoneButton), general_.phoneButtonDialer);
    AddCheck(page, UiText(options::kStrHandOff), general_.handOff);
    AddCheck(page, UiText(options::kStrShareContacts), general_.shareContacts);
    page->addStretch(1);
}

void COptionDlg::ShowLanguage() {
    language_->setText(ToQString(RequireStr(41283)) + CABCBarDlg::NameOf(result_.state.abc.type));
}

void COptionDlg::ChangeAlphabet() {
    CABCBarDlg dialog(result_.state.abc);
    if (dialog.DoModal(*this) != plat::IDOK) return;
    result_.state.abc = dialog.Settings();
    ShowLanguage();
}

void COptionDlg::BuildView() {
    QVBoxLayout* page = AddPage(ToQString(RequireStr(options::kPageTexts[options::kView])));
    for (const bool list : {true, false}) {
        page->addWidget(
            new QLabel(list ? UiText(uistr::kListFont) : UiText(uistr::kViewFont), page->parentWidget()));
        auto* label = new QLabel(page->parentWidget());
        (list ? listFont_ : viewFont_) = label;
        auto* change = new QPushButton(UiText(uistr::kChangeMore), page->parentWidget());
        change->setAccessibleName(list ? UiText(uistr::kChangeListFont) : UiText(uistr::kChangeViewFont));
        QObject::connect(change, &QPushButton::clicked, Widget(), [this, list] { ChooseFont(list); });
        page->addWidget(label);
        page->addWidget(change);
        SetFont(list, list ? current_.listFont : current_.viewFont);
    }
    AddCheck(page, UiText(uistr::kShowFormattedNumber), current_.templatesActive);
    auto* formats = new QPushButton(UiText(uistr::kPhoneFormatsMore), page->parentWidget());
    QObject::connect(formats, &QPushButton::clicked, Widget(), [this] {
        CApPhoneTemplateDlg dialog;
        if (dialog.DoModal(*this) == plat::IDOK) result_.templatesEdited = true;
    });
    page->addWidget(formats);
    AddCheck(page, UiText(uistr::kHideSimContacts), current_.hideSim);
    page->addStretch(1);
}

void COptionDlg::BuildPhone() {
    QVBoxLayout* page = AddPage(ToQString(RequireStr(options::kPageTexts[options::kPhone])));
    const DialerAddIn* addIn = TheDialer().Hooks().addIn;
    dialMethod_ = new QComboBox(page->parentWidget());
    FillChoices(*dialMethod_, options::DialMethodChoices(IsPhoneDevice(), addIn != nullptr ? addIn->Name() : Str()), phone_.dialupMode);
    dialType_ = new QComboBox(page->parentWidget());
    FillChoices(*dialType_, options::DialTypeChoices(), phone_.dialType);
    dialMethod_->setAccessibleName(UiText(uistr::kDialMethod));
    dialType_->setAccessibleName(UiText(uistr::kPhoneSelectWindow));
    page->addWidget(new QLabel(UiText(uistr::kDialMethod), page->parentWidget()));
    page->addWidget(dialMethod_);
    page->addWidget(new QLabel(UiText(uistr::kPhoneSelectWindow), page->parentWidget()));
    page->addWidget(dialType_);
    AddCheck(page, UiText(uistr::kEnableCallerId), phone_.callerId);
    AddCheck(page, UiText(uistr::kShowTrayIcon), phone_.trayVisible);
    AddCheck(page, UiText(uistr::kNameIntoSms), phone_.smsFix);
    AddCheck(page, UiText(uistr::kReplaceCallHistory), phone_.callLog);
    AddCheck(page, UiText(uistr::kReplaceSpeedDial), phone_.speedDial);
    page->addStretch(1);
}

void COptionDlg::BuildSkin() {
    QVBoxLayout* page = AddPage(ToQString(RequireStr(options::kPageTexts[options::kSkin])));
    skins_ = new QListWidget(page->parentWidget());
    skins_->setAccessibleName(UiText(uistr::kCallerIdSkins));
    for (const Str& text : skinChoices_.texts) skins_->addItem(ToQString(text));
    skins_->setCurrentRow(skinChoices_.selected);
    page->addWidget(skins_, 1);
}

void COptionDlg::SetFont(bool list, const FontStyle& font) {
    (list ? result_.state.listFont : result_.state.viewFont) = font;
    QLabel* label = list ? listFont_ : viewFont_;
    label->setText(FontText(font));
    QFont preview = label->font();
    preview.setFamily(ToQString(font.face));
    preview.setBold(font.Weight() >= 700);
    preview.setItalic(font.Italic());
    label->setFont(preview);
}

void COptionDlg::ChooseFont(bool list) {
    const FontStyle& now = list ? result_.state.listFont : result_.state.viewFont;
    QFont initial(ToQString(now.face));
    initial.setPixelSize(std::max(1, std::abs(now.height)));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, Widget(), UiText(uistr::kFont));
    if (!ok) return;
    FontStyle font;
    font.face = FromQString(chosen.family());
    font.height = -(chosen.pixelSize() > 0 ? chosen.pixelSize() : (chosen.pointSize() * ScreenDpiY() + 36) / 72);
    const auto flag = [](bool on, FontStyle::Flag flag) { return on ? static_cast<uint32_t>(flag) : 0u; };
    font.flags = flag(chosen.bold(), FontStyle::kBold) | flag(chosen.italic(), FontStyle::kItalic) |
                 flag(chosen.underline(), FontStyle::kUnderline) | flag(chosen.strikeOut(), FontStyle::kStrikeOut);
    SetFont(list, font);
}

options::GeneralOptions COptionDlg::GeneralNow() const {
    options::GeneralOptions now = general_;
    now.today = Check(UiText(uistr::kEnablePlugin))->isChecked();
    now.defaultContacts = Check(UiText(uistr::kDefaultContactManager))->isChecked();
    now.hardwareButton = Check(UiText(uistr::kHardwareButton))->isChecked();
    now.phoneButtonDialer = Check(UiText(uistr::kDialerOnPhoneButton))->isChecked();
    now.handOff = Check(UiText(options::kStrHandOff))->isChecked();
    now.shareContacts = Check(UiText(options::kStrShareContacts))->isChecked();
    return now;
}

options::PhoneOptions COptionDlg::PhoneNow() const {
    options::PhoneOptions now = phone_;
    now.dialupMode = dialMethod_->currentData().toUInt();
    now.dialType = dialType_->currentData().toUInt();
    now.callerId = Check(UiText(uistr::kEnableCallerId))->isChecked();
    now.trayVisible = Check(UiText(uistr::kShowTrayIcon))->isChecked();
    now.smsFix = Check(UiText(uistr::kNameIntoSms))->isChecked();
    now.callLog = Check(UiText(uistr::kReplaceCallHistory))->isChecked();
    now.speedDial = Check(UiText(uistr::kReplaceSpeedDial))->isChecked();
    return now;
}

bool COptionDlg::Validate() {
    // A stored method this device does not offer shows no choice: one must be made.
    if (dialMethod_->currentIndex() < 0) {
        pages_->setCurrentIndex(options::kPhone);
        dialMethod_->setFocus();
        plat::MessageBox(RequireStr(uistr::kChooseDialMethod).View(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
        return false;
    }
    return true;
}

bool COptionDlg::OnOK() {
    if (!Validate()) return false;
    bool applied = options::ApplyGeneralOptions(general_, GeneralNow());
    result_.state.templatesActive = Check(UiText(uistr::kShowFormattedNumber))->isChecked();
    result_.state.hideSim = Check(UiText(uistr::kHideSimContacts))->isChecked();
    applied = options::ApplyPhoneOptions(phone_, PhoneNow()) && applied;
    applied = options::ApplySkin(skinChoices_, skins_->currentRow()) && applied;
    applied = options::WriteOptionPage(pages_->currentIndex()) && applied;
    if (!applied)
        plat::MessageBox(RequireStr(uistr::kOptionsNotStored).View(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
    result_.ok = true;
    return true;
}
