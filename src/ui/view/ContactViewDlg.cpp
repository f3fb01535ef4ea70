#include "ui/view/ContactViewDlg.h"

#include <QVBoxLayout>
#include <QWidget>

#include "categories/manager/CategoryManager.h"
#include "core/res/ResourceStrings.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/Dialer.h"
#include "phone/messaging/Messaging.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/KeyRouter.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"
#include "ui/view/HeadingImage.h"
#include "view/address/AddressFormatTable.h"
#include "view/template/TemplateGroup.h"

namespace {

LineIcon IconOf(int group) {
    switch (group) {
        case kGroupPhone: return LineIcon::Phone;
        case kGroupEmail: return LineIcon::Email;
        case kGroupWeb: return LineIcon::Web;
        case kGroupLinks: return LineIcon::Link;
        default: return LineIcon::None;
    }
}

Array<Str> CategoryNamesOf(const Contact& contact) {
    Array<Str> names;
    CategoryManager* categories = CategoryManager::Instance();
    if (categories != nullptr && !categories->GetContactCategoryNames(contact, names)) names.RemoveAll();
    return names;
}

void Complain(const QString& text) {
    plat::MessageBox(text.toStdU16String(), RequireStr(uistr::kBrevane).View(),
                     plat::MB_OK | plat::MB_ICONWARNING);
}

}  // namespace

ContactViewDlg::ContactViewDlg(bool modal, const ContactTemplate& tpl)
    : modal_(modal), template_(tpl), list_(*this) {}

ContactViewDlg::~ContactViewDlg() {
    OnListFocus(false);
    DestroyWnd();
}

bool ContactViewDlg::CreatePane(WndImpl& parent, const QRect& rect) {
    if (!CreateWnd(kPaneClass, u"", &parent, rect)) return false;
    Widget()->setFocusPolicy(Qt::NoFocus);
    if (!list_.Create(*this, QRect(QPoint(0, 0), rect.size()))) return false;
    list_.Widget()->setFocusPolicy(Qt::ClickFocus);
    list_.Widget()->show();
    Draw();
    return true;
}

void ContactViewDlg::ShowContact(const Contact& contact) {
    contact_ = contact;
    model_.Build(contact_, template_, AddressFormatTable::Instance(), CategoryNamesOf(contact_));
    if (list_.IsCreated()) Draw();
}

int ContactViewDlg::RunModal(WndImpl& parent) {
    opened_ = false;
    editRequested_ = false;
    dialRequested_ = false;
    DoModal(parent);
    if (!opened_) return kOutcomeFailed;
    if (editRequested_) return kOutcomeEdit;
    return dialRequested_ ? kOutcomeDial : kOutcomeClosed;
}

SoftKeyMenu ContactViewDlg::SoftKeys() const {
    return {SoftKey::Command(RequireStr(kStrEdit), kCmdEdit),
            SoftKey::Command(RequireStr(uistr::kClose), plat::IDCANCEL)};
}

bool ContactViewDlg::OnInitDialog() {
    if (!list_.Create(*this, {})) return false;
    auto* outer = static_cast<QVBoxLayout*>(Widget()->layout());
    outer->insertWidget(0, list_.Widget(), 1);
    outer->setStretch(1, 0);  // the stretch above the soft-key bar gives its room to the list
    list_.Widget()->show();
    Widget()->setAccessibleName(ToQString(contact_.GetDisplayName()));
    Draw();
    opened_ = true;
    // Focus once the dialog is shown, so that the list takes the Talk key.
    QMetaObject::invokeMethod(list_.Widget(), [widget = list_.Widget()] { widget->setFocus(); }, Qt::QueuedConnection);
    return true;
}

void ContactViewDlg::OnResize(const QSize& size) {
    if (!modal_ && list_.Widget() != nullptr) list_.Widget()->setGeometry(QRect(QPoint(0, 0), size));
}

void ContactViewDlg::Draw() {
    list_.Clear();
    const int gap = ContactViewModel::GapPixels(ScreenDpiY());
    if (!model_.Heading().IsEmpty() || contact_.GetOid() != 0 || !model_.Lines().IsEmpty()) {
        list_.SetHeading(HeadingImage(model_.Picture(), contact_), model_.Heading(), gap);
    }
    const Array<ViewLine>& lines = model_.Lines();
    for (int index = 0; index < lines.GetSize(); ++index) {
        const ViewLine& line = lines[index];
        list_.AddLine(ToQString(line.label), line.text, IconOf(line.group), model_.GapAfter(index) ? gap : 0);
    }
    if (!model_.Note().IsEmpty()) list_.SetNote(ToQString(RequireStr(kStrNote)), ToQString(contact_.GetNoteText()));
    list_.Refresh();
}

QString ContactViewDlg::AccessibleText() const { return ToQString(contact_.GetDisplayName()); }

plat::LRESULT ContactViewDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_HOTKEY && ((static_cast<uint32_t>(lParam) >> 16) & 0xFFFF) == VK_TTALK) {
        OnLineActivated(list_.CurrentLine(), VK_TTALK);
        return 0;
    }
    if (modal_ && message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdEdit) {
        editRequested_ = true;
        End(plat::IDOK);
        return 0;
    }
    // The embedded pane is a plain child: the dialog's own keys and commands do not close it, so it
    // skips DlgBase's handling on purpose.
    if (modal_) return DlgBase::WndProc(message, wParam, lParam);
    return WndImpl::WndProc(message, wParam, lParam);  // NOLINT(bugprone-parent-virtual-call)
}

void ContactViewDlg::End(int result) {
    OnListFocus(false);
    EndDialog(result);
}

void ContactViewDlg::OnLineActivated(int line, uint32_t key) {
    const bool onLine = line >= 0 && line < model_.Lines().GetSize();
    const int group = onLine ? model_.Lines()[line].group : kNoLine;
    const ViewActivation activation = ActivateLine(group, key, modal_, IsPhoneDevice());
    const Str target = onLine ? TargetOf(model_.Lines()[line]) : Str();
    const uint32_t oid = contact_.GetOid();
    switch (activation.action) {
        case ViewAction::OpenContact:
            if (listener_ != nullptr) listener_->OnOpenContact();
            return;
        case ViewAction::Previous:
        case ViewAction::Next:
            if (listener_ == nullptr) break;
            if (activation.action == ViewAction::Previous) {
                listener_->ShowPrevious(*this);
            } else {
                listener_->ShowNext(*this);
            }
            break;
        case ViewAction::DialAndClose: dialRequested_ = true; return End(plat::IDOK);
        case ViewAction::Close: return End(plat::IDOK);
        case ViewAction::Nothing: break;
        default:
            if (!Perform(activation.action, target)) return;
            break;
    }
    if (activation.contactUsed && listener_ != nullptr) listener_->OnContactUsed(oid);
    if (activation.action != ViewAction::Dial) return;
    if (activation.endsView) return End(plat::IDOK);
    if (list_.Widget() != nullptr) list_.Widget()->setFocus();
}

bool ContactViewDlg::Perform(ViewAction action, const Str& target) {
    switch (action) {
        case ViewAction::Dial:
            if (TheDialer().Dial(Hwnd(), target, &contact_, 0, Str()) == kDialMissing) {
                Complain(UiText(uistr::kNoPhoneToCall));
                return false;
            }
            if (listener_ != nullptr) listener_->OnDialled();
            return true;
        case ViewAction::Sms:
            if (SendSms(target.View(), contact_.GetDisplayName().View())) return true;
            Complain(UiText(uistr::kMessagingCannotStart));
            return false;
        case ViewAction::Email:
            if (SendEmail(target.View())) return true;
            Complain(UiText(uistr::kEmailCannotStart));
            return false;
        case ViewAction::Browse: return OpenWeb(target.View());  // says itself why it failed
        case ViewAction::OpenFile:
            if (OpenDocument(target.View())) return true;
            Complain(UiText(uistr::kFileNotOpened).arg(ToQString(target)));
            return false;
        default: return true;
    }
}

void ContactViewDlg::OnListKeyDown(uint32_t key) {
    if (listener_ != nullptr) listener_->OnViewKeyDown(Hwnd(), key, 0);
    if (modal_ && (key == VK_ESCAPE || key == VK_TEND)) {
        OnListFocus(false);
        DlgBase::WndProc(plat::WM_KEYDOWN, key, 0);
    }
}

void ContactViewDlg::OnListChar(char16_t ch) {
    if (listener_ != nullptr) listener_->OnViewChar(ch);
}

// While the list has the focus the Talk key comes here (as WM_HOTKEY) and activates the current
// line; afterwards it goes back to whoever had it.
void ContactViewDlg::OnListFocus(bool in) {
    KeyRouter& router = KeyRouter::Instance();
    if (in) {
        if (router.TalkKeyTarget() == Hwnd()) return;
        talkBefore_ = router.TalkKeyTarget();
        router.OverrideTalkKey(Hwnd());
        return;
    }
    if (router.TalkKeyTarget() != Hwnd() || Hwnd() == 0) return;
    talkBefore_ != 0 ? router.OverrideTalkKey(talkBefore_) : router.RestoreTalkKey();
    talkBefore_ = 0;
}
