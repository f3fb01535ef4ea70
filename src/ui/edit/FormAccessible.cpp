#include "ui/edit/FormAccessible.h"

#include <QPointer>

#include "ui/edit/FormWindow.h"
#include "ui/toolkit/PopupMenu.h"

namespace {

// One element of the form: its label (name) and its value, which a screen reader reads through
// the text interface of an editable text, as it reads a text field (the value alone would not be
// read for that role).
class ElementAccessible : public QAccessibleInterface, public QAccessibleTextInterface {
public:
    ElementAccessible(FormWindow* form, int index) : form_(form), index_(index) {}

    bool isValid() const override {
        return form_ != nullptr && index_ < static_cast<int>(form_->Elements().size());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return form_ != nullptr ? form_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(form_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::EditableText; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const FormWindow::ElementRef ref = form_->Elements()[index_];
        if (t == QAccessible::Name) return ref.block->ElementLabel(ref.element);
        if (t == QAccessible::Value) return ref.block->ElementValue(ref.element);
        if (t == QAccessible::Description) return ToQString(ref.block->Caption());
        return {};
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const QRect local = form_->ElementRect(form_->Elements()[index_]);
        return QRect(form_->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.editable = true;
        state.focused = isValid() && form_->FocusedElement() == index_;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
    }

    // QAccessibleTextInterface: the value, read-only here (typing goes to the editor over it),
    // with the caret at its start.
    QString text(int start, int end) const override { return Value().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Value().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    QString Value() const { return text(QAccessible::Value); }

    QPointer<FormWindow> form_;
    int index_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* form = dynamic_cast<FormWindow*>(object);
    return form != nullptr ? new FormAccessible(form) : nullptr;
}

}  // namespace

void FormAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void FormAccessible::Reset(FormWindow& form) {
    if (auto* accessible = dynamic_cast<FormAccessible*>(QAccessible::queryAccessibleInterface(&form))) {
        accessible->Forget();
    }
}

FormAccessible::FormAccessible(FormWindow* form) : QAccessibleWidget(form, QAccessible::Form) {}

FormAccessible::~FormAccessible() { Forget(); }

void FormAccessible::Forget() {
    for (const QAccessible::Id id : children_) QAccessible::deleteAccessibleInterface(id);
    children_.clear();
}

FormWindow& FormAccessible::Form() const { return *static_cast<FormWindow*>(widget()); }

int FormAccessible::childCount() const { return static_cast<int>(Form().Elements().size()); }

QAccessibleInterface* FormAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    while (static_cast<int>(children_.size()) <= index) {
        auto* element = new ElementAccessible(&Form(), static_cast<int>(children_.size()));
        children_.push_back(QAccessible::registerAccessibleInterface(element));
    }
    return QAccessible::accessibleInterface(children_[index]);
}

int FormAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int index = 0; index < static_cast<int>(children_.size()); ++index) {
        if (QAccessible::accessibleInterface(children_[index]) == child) return index;
    }
    return -1;
}

QAccessibleInterface* FormAccessible::focusChild() const {
    const int focused = Form().FocusedElement();
    return focused >= 0 ? child(focused) : nullptr;
}

QAccessibleInterface* FormAccessible::childAt(int x, int y) const {
    const QPoint at = Form().mapFromGlobal(QPoint(x, y));
    const std::vector<FormWindow::ElementRef> elements = Form().Elements();
    for (int index = 0; index < static_cast<int>(elements.size()); ++index) {
        if (Form().ElementRect(elements[index]).contains(at)) return child(index);
    }
    return nullptr;
}
