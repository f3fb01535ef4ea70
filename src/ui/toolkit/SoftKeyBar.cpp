#include "ui/toolkit/SoftKeyBar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/window/Window.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"

namespace {

// Every bar alive, in creation order.
std::vector<SoftKeyBar*>& Bars() {
    static std::vector<SoftKeyBar*> bars;
    return bars;
}

QToolButton* MakeKey(const SoftKey& key, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(ToQString(key.text));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    button->setVisible(!key.text.IsEmpty());
    return button;
}

}  // namespace

SoftKeyBar::SoftKeyBar(const SoftKeyMenu& menu, plat::HWND owner, QWidget* parent, PopupHook prepare)
    : QWidget(parent),
      menu_(menu),
      owner_(owner),
      prepare_(std::move(prepare)),
      left_(MakeKey(menu.left, this)),
      right_(MakeKey(menu.right, this)) {
    setFixedHeight(ScaleY(kDesignHeight));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(left_);
    layout->addWidget(right_);
    QObject::connect(left_, &QToolButton::clicked, this, [this] { Press(0); });
    QObject::connect(right_, &QToolButton::clicked, this, [this] { Press(1); });
    Bars().push_back(this);
}

SoftKeyBar::~SoftKeyBar() { std::erase(Bars(), this); }

void SoftKeyBar::Press(int key) {
    QToolButton* button = Button(key);
    if (!button->isEnabled() || !button->isVisible()) return;
    Run(key == 0 ? menu_.left : menu_.right, button);
}

void SoftKeyBar::Run(const SoftKey& key, QToolButton* button) {
    uint32_t command = key.command;
    if (!key.popup.empty()) {
        MenuDescription popup = key.popup;
        if (prepare_) prepare_(key.popupId, popup);
        const std::unique_ptr<QMenu> menu(BuildPopupMenu(popup, this));
        const QPoint above = button->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu->sizeHint().height());
        // The menu opens on its first item, as a handset's soft-key menu does: the soft key then
        // Enter chooses it (a menu with nothing chosen would let Enter do nothing).
        const QList<QAction*> actions = menu->actions();
        const auto first = std::find_if(actions.begin(), actions.end(),
                                        [](const QAction* a) { return a->isEnabled() && !a->isSeparator(); });
        if (first != actions.end()) menu->setActiveAction(*first);
        const QAction* chosen = menu->exec(above);
        command = chosen != nullptr ? chosen->data().value<uint32_t>() : 0;
    }
    // The owner lives while its bar shows.
    if (command != 0) (void)plat::PostMessage(owner_, plat::WM_COMMAND, command, 0);
}

void SoftKeyBar::SetKeysEnabled(bool enabled) {
    left_->setEnabled(enabled);
    right_->setEnabled(enabled);
}

SoftKeyBar* SoftKeyBar::Current() {
    const std::vector<SoftKeyBar*>& bars = Bars();
    const auto found = std::find_if(bars.rbegin(), bars.rend(), [](const SoftKeyBar* bar) {
        return bar->isVisible() && bar->window()->isActiveWindow();
    });
    if (found != bars.rend()) return *found;
    const auto visible = std::find_if(bars.rbegin(), bars.rend(), [](const SoftKeyBar* bar) { return bar->isVisible(); });
    return visible != bars.rend() ? *visible : nullptr;
}
