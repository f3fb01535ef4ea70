#include "ui/toolkit/PopupMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <memory>

namespace {

void AddItems(QMenu& menu, const std::vector<MenuItem>& items) {
    QActionGroup* radios = nullptr;
    for (const MenuItem& item : items) {
        if (item.mark != MenuMark::Radio) radios = nullptr;
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        if (!item.submenu.empty()) {
            QMenu* sub = menu.addMenu(ToQString(item.text));
            sub->setFont(menu.font());  // a submenu is a window of its own: fonts do not pass to it
            sub->setEnabled(item.enabled);
            AddItems(*sub, item.submenu);
            continue;
        }
        QAction* action = menu.addAction(ToQString(item.text));
        action->setData(QVariant::fromValue(item.id));
        action->setEnabled(item.enabled);
        if (item.mark == MenuMark::Radio) {
            if (radios == nullptr) radios = new QActionGroup(&menu);
            radios->addAction(action);
        }
        action->setCheckable(item.mark != MenuMark::None);
        action->setChecked(item.mark != MenuMark::None);
    }
}

}  // namespace

QString ToQString(const Str& text) {
    const std::u16string_view view = text.View();
    return QString(reinterpret_cast<const QChar*>(view.data()), static_cast<qsizetype>(view.size()));
}

Str FromQString(const QString& text) {
    return Str(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

QMenu* BuildPopupMenu(const MenuDescription& description, QWidget* parent) {
    auto* menu = new QMenu(parent);
    // A popup is a window, so it takes the application's font rather than its parent's; it
    // takes the window's own, which is sized for the screen's dpi.
    if (parent != nullptr) menu->setFont(parent->window()->font());
    AddItems(*menu, description.items);
    return menu;
}

uint32_t TrackPopupMenu(const MenuDescription& description, const QPoint& globalPos, QWidget* parent) {
    const std::unique_ptr<QMenu> menu(BuildPopupMenu(description, parent));
    const QAction* chosen = menu->exec(globalPos);
    return chosen != nullptr ? chosen->data().value<uint32_t>() : 0;
}
