#include "ui/list/ScreenFilterHost.h"

#include <QApplication>
#include <QFontMetrics>
#include <string>

#include "manager/contacts/ContactManager.h"
#include "platform/ui/MessageBox.h"
#include "ui/categories/CApCatList.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/SoftKeyBar.h"

int ScreenFilterHost::MenuBarHeight() { return ScaleY(SoftKeyBar::kDesignHeight); }

int ScreenFilterHost::ScreenDpiX() { return ::ScreenDpiX(); }

int ScreenFilterHost::TextWidth(std::u16string_view text) {
    return QFontMetrics(QApplication::font("QMenu"))
        .horizontalAdvance(QString::fromStdU16String(std::u16string(text)));
}

bool ScreenFilterHost::ChooseCategories(bool inUseOnly, const std::vector<uint32_t>& initial,
                                        std::vector<uint32_t>& chosen) {
    CApCatList dialog(initial, !inUseOnly);
    if (dialog.DoModal(owner_) != plat::IDOK) return false;
    chosen = dialog.Checked();
    return true;
}

std::vector<uint32_t> ScreenFilterHost::AllContacts() {
    return ContactManager::Instance().Index().ListAll(IndexOrder::Name, nullptr);
}
