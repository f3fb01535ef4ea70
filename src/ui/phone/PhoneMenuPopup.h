#pragma once
// The phone menu on screen: the owner-drawn popup of a contact's numbers and addresses that the
// contact list opens from the phone column of a row. Each line shows the value at the left, cut
// at the last character that fits, and its label right-aligned, in the menu's small font; the
// default carries the radio mark. The popup is right-aligned with the row and opens below it, or
// above it when the room below is too small. A screen reader reads each line as
// "value<TAB>label" and the action line as its text.
#include <QRect>
#include <cstdint>

class ContactListPhoneMenu;
class QMenu;
class QWidget;

class PhoneMenuPopup {
public:
    // Builds the popup of `menu` (owned by the caller) for a row at `rowGlobal`; null when the
    // model shows no menu.
    static QMenu* Build(const ContactListPhoneMenu& menu, QWidget* parent);
    // Where the popup's top-left corner goes for a row at `rowGlobal` (global coordinates).
    static QPoint Position(const QMenu& popup, const QRect& rowGlobal, int lines);
    // Builds, places and runs the popup: the chosen command (the model's), or 0 when it was
    // dismissed or no menu is shown.
    static uint32_t Track(const ContactListPhoneMenu& menu, const QRect& rowGlobal, QWidget* parent);
};
