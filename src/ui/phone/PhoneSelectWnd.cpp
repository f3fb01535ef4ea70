#include "ui/phone/PhoneSelectWnd.h"

#include <algorithm>
#include <QApplication>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "core/result/StatusBox.h"
#include "core/result/StatusText.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/dial/Dialer.h"
#include "phone/messaging/Messaging.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/InputPanel.h"
#include "ui/toolkit/KeyRouter.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

namespace {

constexpr uint32_t kStrNoMessaging = 41429;

uint32_t StoredSortType() { return SettingsStore::ReadDword(settings::kSettings, settings::kSortType, 0); }

}  // namespace

PhoneSelectWnd::PhoneSelectWnd() = default;

PhoneSelectWnd::~PhoneSelectWnd() {
    QObject::disconnect(focusWatch_);
    DestroyWnd();
}

bool PhoneSelectWnd::Offer(WndImpl& owner, const Contact& contact, const PhoneTemplates& formats) {
    if (!PhoneChooser::ShouldOffer(PhoneChooser::StoredDialType(), contact)) return false;
    picking_ = false;
    return Run(owner, contact, formats);
}

bool PhoneSelectWnd::Pick(WndImpl& owner, const Contact& contact, const PhoneTemplates& formats,
                          const std::function<void(int)>& picked, const std::function<void()>& cancelled) {
    picking_ = true;
    picked_ = picked;
    cancelled_ = cancelled;
    return Run(owner, contact, formats);
}

bool PhoneSelectWnd::Run(WndImpl& owner, const Contact& contact, const PhoneTemplates& formats) {
    contact_ = contact;
    model_.Build(contact_, formats);
    if (model_.Entries().empty()) return false;
    SetCaption(ToQString(PhoneChooser::Title(contact_, StoredSortType())));
    // Talk belongs to the chooser while it is open (taken in OnInitContent), then to whoever had
    // it before.
    talkBefore_ = KeyRouter::Instance().TalkKeyTarget();
    DoModal(owner);
    KeyRouter::Instance().OverrideTalkKey(talkBefore_);
    return true;
}

SoftKeyMenu PhoneSelectWnd::SoftKeys() const {
    SoftKeyMenu keys;
    keys.left = SoftKey::Command(RequireStr(picking_ ? uistr::kSelect : uistr::kCall), plat::IDOK);
    if (picking_) {
        keys.right = SoftKey::Command(RequireStr(uistr::kCancel), plat::IDCANCEL);
        return keys;
    }
    keys.right.text = RequireStr(uistr::kMenu);
    keys.right.popup.Add(kCmdSms, RequireStr(uistr::kSendSms));
    keys.right.popup.AddSeparator();
    keys.right.popup.Add(plat::IDCANCEL, RequireStr(uistr::kCancel));
    return keys;
}

bool PhoneSelectWnd::OnInitContent() {
    list_ = new QListWidget(Widget());
    list_->setAccessibleName(Caption());
    for (const ChooserEntry& entry : model_.Entries()) {
        list_->addItem(ToQString(entry.display) + QStringLiteral("  (") + ToQString(entry.label) + QLatin1Char(')'));
    }
    list_->setCurrentRow(model_.Selected());
    QObject::connect(list_, &QListWidget::currentRowChanged, Widget(), [this](int row) { model_.Select(row); });
    Content()->addWidget(list_, 1);
    // The chooser leaves the top band of the screen free and stays in front.
    const QRect area = Widget()->geometry();
    const int band = (26 * ScreenDpiY() + 48) / 96;
    Widget()->setGeometry(area.adjusted(0, std::min(band, area.height()), 0, 0));
    InputPanel::Show(false);
    KeyRouter::Instance().OverrideTalkKey(Hwnd());
    shown_.start();
    focusWatch_ = QObject::connect(qApp, &QApplication::focusChanged, Widget(),
                                   [this](QWidget*, QWidget* now) { OnFocusLeft(now); });
    list_->setFocus();
    return true;
}

void PhoneSelectWnd::OnFocusLeft(QWidget* now) {
    if (Widget() == nullptr || now == nullptr || Widget()->isAncestorOf(now)) return;
    const WndImpl* taker = WndImpl::Owning(now);
    const bool dialog = taker != nullptr && dynamic_cast<const DlgBase*>(taker) != nullptr;
    const std::u16string_view takerClass = dialog ? std::u16string_view(u"Dialog") : std::u16string_view(u"");
    if (!PhoneChooser::TakesFrontBack(static_cast<uint64_t>(shown_.elapsed()), takerClass)) return;
    Widget()->raise();
    list_->setFocus();
}

bool PhoneSelectWnd::OnOK() { return Carry(model_.OnKey(ChooserKey::Enter, picking_)); }

void PhoneSelectWnd::OnCancel() {
    if (picking_ && cancelled_) cancelled_();
}

bool PhoneSelectWnd::Carry(ChooserCommand command) {
    switch (command) {
        case ChooserCommand::None: return false;
        case ChooserCommand::Call:
            TheDialer().Dial(Hwnd(), model_.SelectedNumber(), &contact_, 0, Str());
            return true;
        case ChooserCommand::Message:
            if (!SendSms(model_.SelectedNumber().View(),
                         PhoneChooser::Title(contact_, StoredSortType()).View()))
                TellUser(FailedWith(kStrNoMessaging));
            return true;
        case ChooserCommand::Pick:
            if (picked_) picked_(model_.Selected());
            return true;
        case ChooserCommand::Close:
        case ChooserCommand::Cancel: return true;
    }
    return false;
}

plat::LRESULT PhoneSelectWnd::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    // Enter and the action key are the same key here: picking takes it as Enter. Talk arrives as
    // the hot key the chooser has taken over.
    const bool talk = message == plat::WM_HOTKEY && ((static_cast<uint32_t>(lParam) >> 16) & 0xFFFF) == VK_TTALK;
    if (talk || (message == plat::WM_KEYDOWN && wParam == VK_RETURN)) {
        if (Carry(model_.OnKey(talk ? ChooserKey::Talk : ChooserKey::Enter, picking_))) EndDialog(plat::IDOK);
        return 0;
    }
    if (message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdSms) {
        if (Carry(model_.OnKey(ChooserKey::Sms, picking_))) EndDialog(plat::IDOK);
        return 0;
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
