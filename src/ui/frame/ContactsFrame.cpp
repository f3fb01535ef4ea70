#include "ui/frame/ContactsFrame.h"

#include <QPainter>
#include <QWidget>

#include "core/diag/ErrorLog.h"
#include "core/startup/CommandLine.h"
#include "manager/client/ContactClientManager.h"
#include "store/contact/Contact.h"
#include "ui/frame/SiblingPrograms.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"

namespace {

QString Hex(uint32_t oid) { return QString::number(oid, 16); }

}  // namespace

bool ContactsFrame::OnCommand(uint32_t command, plat::LPARAM) {
    switch (command) {
        case kCmdHistory: OpenHistory(); return true;
        case kCmdDialler: OpenDialler(); return true;
        case kCmdSpeedDial: OpenSpeedDial(); return true;
        case kCmdNewContact: NewContact(Str()); return true;
        default: NotYet(QStringLiteral("Command %1").arg(command)); return false;
    }
}

std::optional<QString> ContactsFrame::NameOf(uint32_t oid) {
    Contact contact;
    if (!contacts_.GetContact(oid, contact)) return std::nullopt;
    return ToQString(contact.GetDisplayName());
}

void ContactsFrame::ShowContact(uint32_t oid) {
    const std::optional<QString> name = NameOf(oid);
    if (!name) return SetStatus(QStringLiteral("No contact %1").arg(Hex(oid)));
    shown_ = oid;
    SetStatus(QStringLiteral("Contact %1: %2").arg(Hex(oid), *name));
}

void ContactsFrame::EditContact(uint32_t oid) {
    const std::optional<QString> name = NameOf(oid);
    if (!name) return SetStatus(QStringLiteral("No contact %1").arg(Hex(oid)));
    shown_ = oid;
    NotYet(QStringLiteral("Editing contact %1: %2").arg(Hex(oid), *name));
}

void ContactsFrame::NewContact(const Str& text) { NotYet(QStringLiteral("New contact: %1").arg(ToQString(text))); }

void ContactsFrame::FindOrCreate(const Str& text) {
    const int marker = text.Find(kCallerMarker);
    const Str key = marker < 0 ? text : text.Left(marker);
    NotYet(QStringLiteral("Find or create: %1").arg(ToQString(key)));
}

void ContactsFrame::OpenDialler() {
    const DiallerStart start = StartDialler();
    if (start.systemDialler && Widget() != nullptr) Widget()->window()->showMinimized();
    SetStatus(start.started ? QStringLiteral("Dialler started") : QStringLiteral("The dialler cannot be started"));
}

void ContactsFrame::OpenHistory() {
    SetStatus(StartHistory() ? QStringLiteral("Call history started")
                             : QStringLiteral("The call history cannot be started"));
}

void ContactsFrame::OpenSpeedDial() { NotYet(QStringLiteral("Speed dial")); }
void ContactsFrame::CallSelected() { NotYet(QStringLiteral("Call")); }
void ContactsFrame::ClearSearch() { Invalidate(); }
void ContactsFrame::RedrawRows() { Invalidate(); }

void ContactsFrame::ContactChanged(uint32_t oid) {
    if (oid == shown_) ShowContact(oid);
}

void ContactsFrame::ApplyListFont(const FontSpec&) { Invalidate(); }
void ContactsFrame::ApplyViewFont(const FontSpec&) { Invalidate(); }
void ContactsFrame::ApplyAbcSettings(const AbcBarSettings&) { Invalidate(); }
void ContactsFrame::SetRowHeightIncrement(int) { Invalidate(); }
void ContactsFrame::RebuildList() { Invalidate(); }

void ContactsFrame::NotYet(const QString& what) {
    ErrorLog(FromQString(what + QStringLiteral(": not available yet")).View(), "ContactsFrame", __LINE__);
    SetStatus(what);
}

void ContactsFrame::SetStatus(const QString& status) {
    status_ = status;
    Invalidate();
}

void ContactsFrame::Paint(QPainter& painter, const QRect& exposed) {
    const QRect area = Widget()->rect();
    const QPalette& palette = Widget()->palette();
    painter.fillRect(exposed, palette.color(QPalette::Base));
    const int line = ScaleY(20);
    const QRect header(0, 0, area.width(), line);
    painter.fillRect(header, palette.color(QPalette::Highlight));
    painter.setPen(palette.color(QPalette::HighlightedText));
    painter.drawText(header.adjusted(ScaleX(4), 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Contacts"));
    painter.setPen(palette.color(QPalette::PlaceholderText));
    painter.drawText(area.adjusted(ScaleX(8), line, -ScaleX(8), -line), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("The contact list appears here."));
    painter.setPen(palette.color(QPalette::Text));
    painter.drawText(QRect(ScaleX(4), area.height() - line, area.width() - ScaleX(8), line),
                     Qt::AlignVCenter | Qt::AlignLeft, status_);
}
