#include "ui/phone/CSelectContactDlg.h"

#include <algorithm>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "store/contact/Contact.h"
#include "ui/phone/PhoneSelectWnd.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

CSelectContactDlg::CSelectContactDlg(ContactManager& manager, const PhoneTemplates& formats)
    : DlgImpl(ToQString(RequireStr(kStrTitle))), manager_(manager), formats_(formats), list_(*this) {}

CSelectContactDlg::~CSelectContactDlg() {
    list_.DestroyWnd();
    DestroyWnd();
}

bool CSelectContactDlg::OnInitContent() {
    search_ = new QLineEdit(Widget());
    search_->setAccessibleName(UiText(uistr::kSearch));
    Content()->addWidget(search_);
    if (!list_.Create(*this, {})) return false;
    Content()->addWidget(list_.Widget(), 1);
    list_.Widget()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    list_.Widget()->show();
    QObject::connect(search_, &QLineEdit::textChanged, Widget(), [this](const QString& text) { Search(text); });
    QObject::connect(search_, &QLineEdit::returnPressed, Widget(), [this] { Take(list_.Selected()); });
    Search({});
    search_->setFocus();
    return true;
}

void CSelectContactDlg::Search(const QString& text) {
    ContactSearch search(manager_);
    rows_ = search.Typed(text.toStdU16String(), ListOrder::Name, CategoryRestriction{}).oids;
    list_.SetRows(static_cast<int>(rows_.size()), rows_.empty() ? -1 : 0);
}

QString CSelectContactDlg::NameOf(uint32_t oid) const {
    if (const auto found = names_.find(oid); found != names_.end()) return found->second;
    Contact contact;
    QString name = manager_.ReadContact(oid, contact) ? ToQString(contact.GetDisplayName()) : QString();
    if (name.isEmpty()) name = ToQString(RequireStr(PhoneChooser::kStrUnnamed));
    return names_.emplace(oid, name).first->second;
}

void CSelectContactDlg::Take(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    Contact contact;
    if (!manager_.ReadContact(rows_[static_cast<size_t>(row)], contact)) return;
    PhoneSelectWnd chooser;
    int picked = -1;
    if (!chooser.Pick(*this, contact, formats_, [&](int index) { picked = index; }, [] {})) {
        plat::MessageBox(RequireStr(uistr::kNoPhoneNumber).View(), RequireStr(kStrTitle).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    if (picked < 0) return;
    oid_ = contact.GetOid();
    tag_ = chooser.Model().Entries()[static_cast<size_t>(picked)].tag;
    EndDialog(plat::IDOK);
}

bool CSelectContactDlg::OnOK() {
    // OK takes the current contact like Enter; the dialog ends once a number was picked.
    Take(list_.Selected());
    return false;
}

void CSelectContactDlg::OnListKeyDown(uint32_t key) {
    if (key == VK_TEND || key == VK_ESCAPE) Send(plat::WM_CLOSE, 0, 0);
}

void CSelectContactDlg::OnListChar(char16_t ch) {
    search_->setFocus();
    search_->insert(QString(QChar(ch)));
}

int CSelectContactDlg::ItemHeight() const { return QFontMetrics(list_.Widget()->font()).height() + ScaleY(6); }

void CSelectContactDlg::DrawItem(QPainter& painter, int row, const QRect& rect, bool selected, bool) {
    const QPalette& palette = list_.Widget()->palette();
    painter.fillRect(rect, selected ? palette.highlight() : palette.base());
    painter.setPen(selected ? palette.highlightedText().color() : palette.text().color());
    const QRect text = rect.adjusted(ScaleX(4), 0, -ScaleX(4), 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetrics(painter.font()).elidedText(ItemText(row), Qt::ElideRight, text.width()));
}

QString CSelectContactDlg::ItemText(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? NameOf(rows_[static_cast<size_t>(row)]) : QString();
}
