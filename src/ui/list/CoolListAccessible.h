#pragma once
// What a screen reader sees of a CoolList: a list whose children are its rows. The list's name is
// the current row's text; each row reads its own text and says whether it is selected (current)
// and whether it is on screen. Row interfaces are made when asked for and dropped when the list
// gets new rows.
#include <QAccessibleWidget>
#include <map>

class CoolList;

// Makes Qt's accessibility ask for the CoolList interface below (once per process).
void InstallListAccessibility();
// The list has new rows: the row interfaces handed out before are dropped.
void ResetListAccessibility(CoolList& list);

class CoolListAccessible : public QAccessibleWidget {
public:
    CoolListAccessible(QWidget* widget, CoolList& list);
    ~CoolListAccessible() override;

    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessible::State state() const override;

    CoolList& List() const { return list_; }
    void DropRows();

private:
    CoolList& list_;
    mutable std::map<int, QAccessible::Id> rows_;
};
