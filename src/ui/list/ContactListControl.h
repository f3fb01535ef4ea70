#pragma once
// ContactListControl: the contact list of the contacts frame (the list control; the name
// ContactList is the search result's). It owns the CoolList window and draws its
// rows from the frame's model: striped backgrounds, the name (fitted with "...", the matched
// characters highlighted) and the default number with its type letter at the right, in two-line
// rows the contact's picture and a second line, and in company order the headers with their
// expand or collapse icon and "(N)". It turns the list's events into calls of its listener, the
// contacts frame, and builds and tracks the context menu of the current selection itself.
#include <QFont>
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "ui/list/CoolList.h"

class ContactManager;
class ContactsFrameModel;
struct ContactRowText;

class ContactListListener {
public:
    virtual ~ContactListListener() = default;
    // Keys and characters the list does not use.
    virtual void OnListKey(uint32_t key) = 0;
    virtual void OnListCharTyped(char16_t ch) = 0;
    virtual void OnRowActivated(int row) = 0;
    virtual void OnRowTapped(int row) = 0;
    // The phone column of a contact's row (its number, or the right quarter of a row without
    // one) was tapped; `rowGlobal` is the row on screen. False when no phone menu was shown: the
    // tap then counts as a tap on the row.
    [[nodiscard]] virtual bool OnPhoneColumnTapped(int row, const QRect& rowGlobal) = 0;
    virtual void OnRowSelected(int row) = 0;
    // A command chosen from the context menu (0: dismissed).
    virtual void OnContextCommand(uint32_t command) = 0;
};

class ContactListControl : public CoolListListener {
public:
    ContactListControl(ContactsFrameModel& model, ContactManager& manager, ContactListListener& listener);

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);
    CoolList& Window() { return list_; }

    // The model has new rows (the current one is brought into view).
    void RowsChanged();
    // The rows look different (options, contacts changed in the store).
    void Redraw();
    void SetFont(const QFont& font);
    void SetRowIncrement(int pixels);

    // CoolListListener
    void OnListKeyDown(uint32_t key) override { listener_.OnListKey(key); }
    void OnListChar(char16_t ch) override { listener_.OnListCharTyped(ch); }
    void OnItemTapped(int row) override { listener_.OnRowTapped(row); }
    void OnItemActivated(int row) override { listener_.OnRowActivated(row); }
    [[nodiscard]] bool OnItemTappedAt(int row, const QPoint& point, const QRect& rowRect) override;
    void OnSelectionChanged(int row) override;
    void OnContextMenu(int row, const QPoint& globalPos) override;
    void OnMarkToggled(int row) override;
    int ItemHeight() const override;
    void DrawItem(QPainter& painter, int row, const QRect& rect, bool selected, bool focused) override;
    QString ItemText(int row) const override;
    QString EmptyText() const override;
    [[nodiscard]] bool Cyclic() const override;

private:
    // The parts of a contact's row: the first text line, and the number drawn at its right
    // (empty when the row shows no number).
    struct RowParts {
        QRect firstLine;
        QRect number;
        QString numberText;
    };
    // The parts of a row of `text` drawn in `rect`: the row's text is read once per paint.
    RowParts PartsOf(const ContactRowText& text, const QRect& rect) const;
    void DrawHeader(QPainter& painter, int row, const QRect& rect);
    // The name with its highlighted characters, fitted into `rect`.
    void DrawName(QPainter& painter, const QString& name, const QRect& rect, const QColor& color);
    void DrawPicture(QPainter& painter, uint32_t oid, const QRect& rect);
    const QImage& PictureOf(uint32_t oid);
    [[nodiscard]] bool TwoLines() const;

    ContactsFrameModel& model_;
    ContactManager& manager_;
    ContactListListener& listener_;
    CoolList list_;
    QFont font_;
    int rowIncrement_ = 0;
    std::unordered_map<uint32_t, QImage> pictures_;  // of the rows drawn since the last change
};
