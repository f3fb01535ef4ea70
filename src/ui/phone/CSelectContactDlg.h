#pragma once
// CSelectContactDlg: "Select a contact". A search box above the contact list control: typing
// narrows the list to the contacts with a word starting with what is typed (or, for digits, a
// number ending in them); Enter or a tap takes the current contact, and then the phone chooser
// picks one of its numbers. The dialog ends with IDOK only when both were chosen; a contact
// without a number is refused with a message and the dialog stays open.
#include <QString>
#include <cstdint>
#include <unordered_map>

#include "index/words/SearchTypes.h"
#include "ui/list/CoolList.h"
#include "ui/toolkit/DlgImpl.h"
#include "ui/toolkit/UiStrings.h"

class ContactManager;
class PhoneTemplates;
class QLineEdit;

class CSelectContactDlg : public DlgImpl, public CoolListListener {
public:
    static constexpr uint32_t kStrTitle = 41427;

    CSelectContactDlg(ContactManager& manager, const PhoneTemplates& formats);
    ~CSelectContactDlg() override;

    // After IDOK: the contact and the tag of its chosen phone field.
    uint32_t Oid() const { return oid_; }
    uint32_t PhoneTag() const { return tag_; }
    QLineEdit* SearchBox() const { return search_; }
    CoolList& List() { return list_; }
    // The rows as they are listed now.
    const OidVector& Rows() const { return rows_; }

    // CoolListListener
    void OnListKeyDown(uint32_t key) override;
    void OnListChar(char16_t ch) override;
    void OnItemTapped(int row) override { Take(row); }
    void OnItemActivated(int row) override { Take(row); }
    void OnSelectionChanged(int) override {}
    void OnContextMenu(int, const QPoint&) override {}
    int ItemHeight() const override;
    void DrawItem(QPainter& painter, int row, const QRect& rect, bool selected, bool focused) override;
    QString ItemText(int row) const override;
    QString EmptyText() const override { return UiText(uistr::kNoContacts); }
    [[nodiscard]] bool Cyclic() const override { return false; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    void Search(const QString& text);
    // Takes the contact of `row`: its number is picked with the phone chooser.
    void Take(int row);
    QString NameOf(uint32_t oid) const;

    ContactManager& manager_;
    const PhoneTemplates& formats_;
    CoolList list_;
    QLineEdit* search_ = nullptr;
    OidVector rows_;
    mutable std::unordered_map<uint32_t, QString> names_;
    uint32_t oid_ = 0;
    uint32_t tag_ = 0;
};
