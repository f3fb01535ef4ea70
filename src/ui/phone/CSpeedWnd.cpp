#include "ui/phone/CSpeedWnd.h"

#include <algorithm>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "core/res/ResourceStrings.h"
#include "core/result/StatusBox.h"
#include "phone/dial/Dialer.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/phone/CSelectContactDlg.h"
#include "ui/phone/CSpeedRenameDlg.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

CSpeedWnd::CSpeedWnd(ContactManager& manager, const PhoneTemplates& formats, WndImpl& host)
    : contacts_(manager), manager_(manager), formats_(formats), host_(host), store_(contacts_) {}

bool CSpeedWnd::Create(WndImpl& parent) {
    if (!CreateWnd(kClassName, u"", &parent, {})) return false;
    Widget()->setFocusPolicy(Qt::StrongFocus);
    return true;
}

void CSpeedWnd::OnResize(const QSize& size) {
    if (size.isEmpty()) return;
    // The grid holds as many buttons as the window fits; a new shape reads the buttons anew.
    const int columns = std::max(1, size.width() / ScaleX(kButtonWidth96));
    const int rows = std::max(1, size.height() / ScaleY(kButtonHeight96));
    if (columns == store_.Columns() && columns * rows == store_.Cells()) return;
    store_.Load(columns, rows);
    selected_ = std::min(selected_, store_.Cells() - 1);
    Invalidate();
}

QRect CSpeedWnd::CellRect(int cell) const {
    const int columns = std::max(1, store_.Columns());
    const int width = Widget()->width() / columns;
    const int height = ScaleY(kButtonHeight96);
    return {(cell % columns) * width, (cell / columns) * height, width, height};
}

int CSpeedWnd::CellAt(const QPoint& point) const {
    for (int cell = 0; cell < store_.Cells(); ++cell) {
        if (CellRect(cell).contains(point)) return cell;
    }
    return -1;
}

QString CSpeedWnd::ButtonText(int cell) const {
    const int position = store_.FindCell(cell);
    if (position < 0) return ToQString(RequireStr(CSpeedInfoStore::kStrAdd));
    const SpeedRecord& record = store_.Records()[static_cast<size_t>(position)];
    return ToQString(CSpeedInfoStore::DisplayName(record)) + QLatin1Char('\n') +
           ToQString(CSpeedInfoStore::NumberLine(record, formats_));
}

QString CSpeedWnd::AccessibleText() const {
    return UiText(uistr::kSpeedButton)
        .arg(selected_ + 1)
        .arg(store_.Cells())
        .arg(ButtonText(selected_).replace(QLatin1Char('\n'), QStringLiteral(", ")));
}

void CSpeedWnd::Paint(QPainter& painter, const QRect& exposed) {
    const QPalette& palette = Widget()->palette();
    painter.fillRect(exposed, palette.window());
    const int gap = ScaleX(2);
    for (int cell = 0; cell < store_.Cells(); ++cell) {
        const QRect button = CellRect(cell).adjusted(gap, gap, -gap, -gap);
        if (!button.intersects(exposed)) continue;
        const bool selected = cell == selected_;
        painter.setPen(palette.mid().color());
        painter.setBrush(selected ? palette.highlight() : palette.button());
        painter.drawRoundedRect(button, ScaleX(4), ScaleY(4));
        painter.setPen(selected ? palette.highlightedText().color() : palette.buttonText().color());
        const QRect inner = button.adjusted(ScaleX(3), ScaleY(2), -ScaleX(3), -ScaleY(2));
        const QStringList lines = ButtonText(cell).split(QLatin1Char('\n'));
        const QFontMetrics metrics(painter.font());
        if (lines.size() == 1) {
            painter.drawText(inner, Qt::AlignCenter, lines.front());
            continue;
        }
        QFont bold = painter.font();
        bold.setBold(true);
        const QFont plain = painter.font();
        painter.setFont(bold);
        const QRect top(inner.left(), inner.top(), inner.width(), inner.height() / 2);
        painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom,
                         QFontMetrics(bold).elidedText(lines[0], Qt::ElideRight, inner.width()));
        painter.setFont(plain);
        const QRect bottom(inner.left(), top.bottom() + 1, inner.width(), inner.height() - top.height());
        painter.drawText(bottom, Qt::AlignHCenter | Qt::AlignTop, metrics.elidedText(lines[1], Qt::ElideRight, inner.width()));
    }
}

void CSpeedWnd::Select(int cell) {
    if (cell < 0 || cell >= store_.Cells()) return;
    selected_ = cell;
    Invalidate();
}

void CSpeedWnd::OnTap(const QPoint& point) {
    const int cell = CellAt(point);
    if (cell < 0) return;
    Select(cell);
    Activate();
}

void CSpeedWnd::Activate() {
    if (store_.FindCell(selected_) < 0) return Assign();
    store_.DialButton(selected_, Str(), TheDialer(), Hwnd(), formats_);
}

void CSpeedWnd::Assign() {
    CSelectContactDlg picker(manager_, formats_);
    if (picker.DoModal(host_) != plat::IDOK) return;
    TellUser(store_.Assign(selected_, picker.Oid(), picker.PhoneTag()));
    Invalidate();
}

void CSpeedWnd::Rename() {
    const int position = store_.FindCell(selected_);
    if (position < 0) return;
    const SpeedRecord& record = store_.Records()[static_cast<size_t>(position)];
    CSpeedRenameDlg dialog(CSpeedInfoStore::DisplayName(record), CSpeedInfoStore::RenameCandidates(record));
    if (dialog.DoModal(host_) != plat::IDOK) return;
    TellUser(store_.ApplyRename(selected_, dialog.Text()));
    Invalidate();
}

bool CSpeedWnd::OnToolsCommand(uint32_t command) {
    switch (ApplySpeedTools(store_, command, selected_)) {
        case SpeedToolsOutcome::None: return ToolsMenu().Find(command) != nullptr;
        case SpeedToolsOutcome::Redraw: Invalidate(); return true;
        case SpeedToolsOutcome::OpenRename: Rename(); return true;
        case SpeedToolsOutcome::Close: host_.Send(plat::WM_CLOSE, 0, 0); return true;
    }
    return false;
}

plat::LRESULT CSpeedWnd::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message != plat::WM_KEYDOWN) return WndImpl::WndProc(message, wParam, lParam);
    const int columns = std::max(1, store_.Columns());
    switch (wParam) {
        case VK_LEFT: Select(selected_ - 1); return 0;
        case VK_RIGHT: Select(selected_ + 1); return 0;
        case VK_UP: Select(selected_ - columns); return 0;
        case VK_DOWN: Select(selected_ + columns); return 0;
        case VK_RETURN: Activate(); return 0;
        default: return host_.Send(message, wParam, lParam);
    }
}
