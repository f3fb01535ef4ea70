#include "ui/toolkit/PopupMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QWindow>
#include <algorithm>
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

// Where a menu may stand on `screen`: inside the frame the style keeps from the screen's edges,
// less any frame the window system puts around the menu.
QRect PopupArea(QMenu& menu, const QScreen& screen) {
    menu.ensurePolished();  // the style's measures are in the menu's size only once it is polished
    const int style = menu.style()->pixelMetric(QStyle::PM_MenuDesktopFrameWidth, nullptr, &menu);
    // The menu's own window, to learn its frame. Not winId(): that marks the menu a native window,
    // and Qt then gives every child of the menu's parent, and their ancestors, X windows of their
    // own, whose stacking the X server keeps apart from Qt's: after a dialog over them closes, taps
    // reach the screen underneath while the dialog's last picture stays shown.
    menu.createWinId();
    const QMargins frame = menu.windowHandle() != nullptr ? menu.windowHandle()->frameMargins() : QMargins();
    return screen.availableGeometry().adjusted(style, style, -style, -style).marginsRemoved(frame);
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

QPoint PopupOrigin(const QPoint& anchor, const QSize& size, const QRect& screen, PopupAlign align) {
    QPoint origin(align == PopupAlign::Right ? anchor.x() - size.width() + 1 : anchor.x(), anchor.y());
    // The far edges first, so that a popup larger than the screen keeps its near edges on it.
    origin.setX(std::max(std::min(origin.x(), screen.right() - size.width() + 1), screen.left()));
    origin.setY(std::max(std::min(origin.y(), screen.bottom() - size.height() + 1), screen.top()));
    return origin;
}

uint32_t TrackPopupMenu(const MenuDescription& description, const QPoint& globalPos, QWidget* parent,
                        PopupAlign align) {
    const std::unique_ptr<QMenu> menu(BuildPopupMenu(description, parent));
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (screen == nullptr) screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    QPoint origin = globalPos;
    if (screen != nullptr) {
        const QRect area = PopupArea(*menu, *screen);  // first: it polishes the menu
        origin = PopupOrigin(globalPos, menu->sizeHint(), area, align);
    }
    const QAction* chosen = menu->exec(origin);
    return chosen != nullptr ? chosen->data().value<uint32_t>() : 0;
}
