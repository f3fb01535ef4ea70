#pragma once
// PhoneSelectWnd: the phone chooser. It lists a contact's numbers (each through the phone
// formats, the default preselected) under the contact's name, covering the screen below a top
// band, on top of everything and with the focus. Enter, the action key and Talk call the selected
// number, End closes without calling, the SMS command writes to it. Used for picking (Pick), Enter
// hands the selected line to the caller instead and End cancels.
//
// Within two seconds of being shown, or when the focus goes to anything but another dialog, the
// chooser takes the front back: a call prompt or a stray window cannot hide it before the user
// has chosen.
#include <QElapsedTimer>
#include <QMetaObject>
#include <cstdint>
#include <functional>

#include "phone/menu/PhoneChooser.h"
#include "store/contact/Contact.h"
#include "ui/toolkit/DlgImpl.h"

class PhoneTemplates;
class QListWidget;

class PhoneSelectWnd : public DlgImpl {
public:
    static constexpr uint32_t kCmdSms = 41212;

    PhoneSelectWnd();
    ~PhoneSelectWnd() override;

    // Shows the chooser for `contact` when the stored DialType asks for it, and waits until it
    // closes; false when it was not shown.
    [[nodiscard]] bool Offer(WndImpl& owner, const Contact& contact, const PhoneTemplates& formats);
    // The chooser for picking: `picked` gets the chosen line's index, `cancelled` runs on End.
    // Returns once it closes; false when the contact has no number to pick.
    [[nodiscard]] bool Pick(WndImpl& owner, const Contact& contact, const PhoneTemplates& formats,
                            const std::function<void(int)>& picked, const std::function<void()>& cancelled);

    const PhoneChooser& Model() const { return model_; }
    QListWidget* List() const { return list_; }

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    void OnCancel() override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    [[nodiscard]] bool Run(WndImpl& owner, const Contact& contact, const PhoneTemplates& formats);
    // Carries out what a key or command asks for; true when the chooser closes.
    [[nodiscard]] bool Carry(ChooserCommand command);
    void OnFocusLeft(QWidget* now);

    PhoneChooser model_;
    Contact contact_;
    bool picking_ = false;
    std::function<void(int)> picked_;
    std::function<void()> cancelled_;
    QListWidget* list_ = nullptr;
    QElapsedTimer shown_;
    plat::HWND talkBefore_ = 0;
    QMetaObject::Connection focusWatch_;
};
