#include "ui/list/CoolListAccessible.h"

#include <QWidget>

#include "ui/list/CoolList.h"

namespace {

class RowAccessible : public QAccessibleInterface {
public:
    RowAccessible(CoolListAccessible& list, int row) : list_(list), row_(row) {}

    bool isValid() const override { return row_ < list_.List().Count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_.window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return &list_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name && isValid() ? list_.List().RowText(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QWidget* widget = list_.List().Widget();
        if (widget == nullptr) return {};
        const QRect local = list_.List().RowRect(row_);
        return QRect(widget->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        const CoolList& list = list_.List();
        state.selectable = true;
        state.focusable = true;
        state.selected = row_ == list.Selected();
        state.focused = state.selected && list.HasFocus();
        state.invisible = row_ < list.Top() || row_ >= list.Top() + list.Page();
        state.offscreen = state.invisible;
        return state;
    }

private:
    CoolListAccessible& list_;
    int row_;
};

QAccessibleInterface* ListFactory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    WndImpl* owner = WndImpl::Owning(widget);
    if (owner == nullptr || owner->Widget() != widget) return nullptr;
    if (auto* list = dynamic_cast<CoolList*>(owner)) return new CoolListAccessible(widget, *list);
    return nullptr;
}

}  // namespace

void InstallListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ListFactory);
        return true;
    }();
    (void)installed;
}

void ResetListAccessibility(CoolList& list) {
    if (list.Widget() == nullptr) return;
    if (auto* found = dynamic_cast<CoolListAccessible*>(QAccessible::queryAccessibleInterface(list.Widget()))) {
        found->DropRows();
    }
}

CoolListAccessible::CoolListAccessible(QWidget* widget, CoolList& list)
    : QAccessibleWidget(widget, QAccessible::List), list_(list) {}

CoolListAccessible::~CoolListAccessible() { DropRows(); }

void CoolListAccessible::DropRows() {
    for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
    rows_.clear();
}

QString CoolListAccessible::text(QAccessible::Text type) const {
    if (type != QAccessible::Name) return QAccessibleWidget::text(type);
    const int selected = list_.Selected();
    return selected >= 0 ? list_.RowText(selected) : QString();
}

int CoolListAccessible::childCount() const { return list_.Count(); }

QAccessibleInterface* CoolListAccessible::child(int index) const {
    if (index < 0 || index >= list_.Count()) return nullptr;
    const auto found = rows_.find(index);
    if (found != rows_.end()) return QAccessible::accessibleInterface(found->second);
    auto* row = new RowAccessible(const_cast<CoolListAccessible&>(*this), index);
    rows_[index] = QAccessible::registerAccessibleInterface(row);
    return row;
}

int CoolListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (const auto& [row, id] : rows_) {
        if (QAccessible::accessibleInterface(id) == child) return row;
    }
    return -1;
}

QAccessibleInterface* CoolListAccessible::childAt(int x, int y) const {
    const QWidget* widget = list_.Widget();
    if (widget == nullptr) return nullptr;
    return child(list_.RowAt(widget->mapFromGlobal(QPoint(x, y))));
}

QAccessible::State CoolListAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.multiSelectable = true;
    return state;
}
