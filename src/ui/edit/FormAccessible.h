#pragma once
// FormAccessible: the edit form as screen readers see it. The form window's children are its
// elements in form order, each read as its label (name) and its value, the one with the keyboard
// marked focused; the real editor over a value is read with the same label.
#include <QAccessibleWidget>
#include <vector>

class FormWindow;

class FormAccessible : public QAccessibleWidget {
public:
    // Makes Qt use this interface for every form window (once per run).
    static void Install();
    // The form was built anew: the children handed out so far are gone.
    static void Reset(FormWindow& form);

    explicit FormAccessible(FormWindow* form);
    ~FormAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    void Forget();
    FormWindow& Form() const;

    mutable std::vector<QAccessible::Id> children_;
};
