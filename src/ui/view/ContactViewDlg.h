#pragma once
// ContactViewDlg: one contact as a list of labelled lines (ContactViewModel drawn by a RichList),
// used two ways: embedded in the contacts frame as the preview of the current row, and as a
// full-screen modal view with the soft keys "Edit" and "Close". Activating a line acts on it:
// a phone line dials (Right on a phone device starts an SMS), an e-mail line starts a message,
// a web line opens the browser, a link line opens the file. A failed action says so in a box.
// What the user does is reported to the listener; in the modal view Left and Right step through
// the contacts of the list through the listener.
#include <cstdint>

#include "store/contact/Contact.h"
#include "ui/toolkit/DlgBase.h"
#include "ui/view/RichList.h"
#include "view/pane/ContactViewModel.h"
#include "view/pane/ViewActivation.h"

class ContactTemplate;
class ContactViewDlg;

class ContactViewDlgListener {
public:
    virtual ~ContactViewDlgListener() = default;
    // Every key press and typed character the pane does not use itself.
    virtual void OnViewKeyDown(plat::HWND window, uint32_t key, uint32_t flags) = 0;
    virtual void OnViewChar(char16_t ch) = 0;
    // A line was activated for the contact: it counts as recently used.
    virtual void OnContactUsed(uint32_t oid) = 0;
    // The embedded pane was tapped where there is no line: the full view is wanted.
    virtual void OnOpenContact() = 0;
    // A number was dialled from the pane.
    virtual void OnDialled() = 0;
    // Left and Right in the full-screen view: show the previous or next contact of the list in it.
    virtual void ShowPrevious(ContactViewDlg& view) = 0;
    virtual void ShowNext(ContactViewDlg& view) = 0;
};

class ContactViewDlg : public DlgBase, private RichListListener {
public:
    static constexpr char16_t kPaneClass[] = u"CONTACT.VIEW";
    static constexpr uint32_t kMenuId = 260;
    static constexpr uint32_t kCmdEdit = 40012;
    static constexpr uint32_t kStrEdit = 40012;
    static constexpr uint32_t kStrNote = 40238;
    // What RunModal answers.
    static constexpr int kOutcomeEdit = 0, kOutcomeClosed = 1, kOutcomeFailed = 2, kOutcomeDial = 3;

    // `modal` false: the embedded pane (CreatePane); true: the full-screen view (RunModal).
    // The template outlives the view.
    ContactViewDlg(bool modal, const ContactTemplate& tpl);
    ~ContactViewDlg() override;

    void SetListener(ContactViewDlgListener* listener) { listener_ = listener; }

    // The embedded pane as a child of `parent`.
    [[nodiscard]] bool CreatePane(WndImpl& parent, const QRect& rect);
    // Shows `contact` (a copy is kept); drawn at once when the view is on screen.
    void ShowContact(const Contact& contact);
    // Shows the full-screen view over `parent` until it ends: kOutcomeEdit after "Edit",
    // kOutcomeDial after Talk on a line without an action of its own, kOutcomeFailed when the
    // view could not open, kOutcomeClosed otherwise.
    int RunModal(WndImpl& parent);

    const Contact& Shown() const { return contact_; }
    const ContactViewModel& Model() const { return model_; }
    RichList& List() { return list_; }

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitDialog() override;
    void OnResize(const QSize& size) override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;
    QString AccessibleText() const override;

private:
    // RichListListener
    void OnLineActivated(int line, uint32_t key) override;
    void OnListKeyDown(uint32_t key) override;
    void OnListChar(char16_t ch) override;
    void OnListFocus(bool in) override;

    void Draw();
    // Carries out `action` on the target of a line; false when it could not be done.
    [[nodiscard]] bool Perform(ViewAction action, const Str& target);
    void End(int result);

    const bool modal_;
    const ContactTemplate& template_;
    Contact contact_;
    ContactViewModel model_;
    RichList list_;
    ContactViewDlgListener* listener_ = nullptr;
    plat::HWND talkBefore_ = 0;
    bool opened_ = false;
    bool editRequested_ = false;
    bool dialRequested_ = false;
};
