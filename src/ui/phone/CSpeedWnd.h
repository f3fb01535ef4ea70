#pragma once
// CSpeedWnd: the speed-dial grid. Buttons of a fixed design size fill the window row by row; an
// assigned button shows its name and under it its number (with the field's label), an empty one
// "Add". Arrows move the selection, Enter (the action key) or a tap activates a button: an empty
// one opens the contact picker and takes the contact's chosen number, an assigned one is called.
// The Tools commands act on the selected button; a moved button stays selected.
#include <memory>

#include "phone/speed/CSpeedInfoStore.h"
#include "phone/speed/SpeedContacts.h"
#include "phone/speed/SpeedToolsMenu.h"
#include "ui/toolkit/WndImpl.h"

class ContactManager;
class PhoneTemplates;

class CSpeedWnd : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"SPEED.WND";
    // A button's design size at 96 dpi.
    static constexpr int kButtonWidth96 = 76;
    static constexpr int kButtonHeight96 = 60;

    // `host` is the dialog that holds the grid: End closes it, pickers open over it.
    CSpeedWnd(ContactManager& manager, const PhoneTemplates& formats, WndImpl& host);
    ~CSpeedWnd() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent);
    CSpeedInfoStore& Store() { return store_; }
    int Selected() const { return selected_; }
    void Select(int cell);
    // Activates the selected button (the picker for an empty one, a call for an assigned one).
    void Activate();
    // A command of the Tools menu on the selected button; false when it is none of them.
    [[nodiscard]] bool OnToolsCommand(uint32_t command);
    MenuDescription ToolsMenu() const { return SpeedToolsMenu(store_, selected_); }
    // The cell under a point of the window, or -1.
    int CellAt(const QPoint& point) const;
    QRect CellRect(int cell) const;
    // What a button reads as: its name and number, or "Add".
    QString ButtonText(int cell) const;

protected:
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;
    void Paint(QPainter& painter, const QRect& exposed) override;
    void OnResize(const QSize& size) override;
    void OnTap(const QPoint& point) override;
    QString AccessibleText() const override;

private:
    void Rename();
    void Assign();

    ManagerSpeedContacts contacts_;
    ContactManager& manager_;
    const PhoneTemplates& formats_;
    WndImpl& host_;
    CSpeedInfoStore store_;
    int selected_ = 0;
};
