#include "ui/toolkit/WndFrame.h"

#include <QWidget>

bool WndFrame::Create(WndImpl& parent, const QRect& client) { return CreateWnd(ClassName(), u"", &parent, client); }

void WndFrame::OnInputPanel(bool, int) {}

QRect WndFrame::ClientRect() const { return Widget() != nullptr ? Widget()->rect() : QRect(); }

void WndFrame::SetClientRect(const QRect& client) {
    if (Widget() != nullptr) Widget()->setGeometry(client);
}

bool WndFrame::OnCommand(uint32_t, plat::LPARAM) { return false; }

void WndFrame::Show() {
    if (Widget() == nullptr) return;
    Widget()->show();
    Widget()->raise();
}

void WndFrame::Hide() {
    if (Widget() != nullptr) Widget()->hide();
}

void WndFrame::OnActivate(uint32_t, plat::LPARAM) {}

QWidget* WndFrame::KeyboardField() const { return Widget(); }

void WndFrame::OnSettingChange(plat::WPARAM, plat::LPARAM) {}
