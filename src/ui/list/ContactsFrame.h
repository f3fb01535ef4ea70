#pragma once
// ContactsFrame: the contacts tab of the main window (window class "CONTACTS.FRAME.CLASS"). It
// holds the filter button, the search box with the list-down button, the contact list with the
// small alphabet bar, the splitter and the preview pane, the big alphabet bar and the phone panel,
// laid out by the frame model's layout. Every event of its children and every command goes to
// the frame model (ContactsFrameModel); the FrameEffect it answers says what to redo on screen
// and which screen an action needs: the phone menu, the phone chooser, "Edit && Call" and speed
// dial open from here. Editing and new contacts run the contact editor and save through the
// contact manager; the saved contact becomes current. The preview pane is the embedded contact
// view of the current row; Enter or a tap on a row opens the full-screen view of its contact.
// A keypad digit 2 to 9 held down in the list or the search box calls its speed-dial entry, as
// holding its button on the big alphabet bar does.
// Screens that are not built yet (the data folder's choice) are reported plainly in the error log and
// the status line, never imitated.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/FontSettings.h"
#include "core/str/Str.h"
#include "screen/list/ContactsFrameModel.h"
#include "screen/list/FrameCommands.h"
#include "screen/list/FrameLayout.h"
#include "ui/edit/ContactEditDlg.h"
#include "ui/frame/OptionsApply.h"
#include "ui/list/AbcBar.h"
#include "ui/list/ContactListControl.h"
#include "ui/list/ListDownButton.h"
#include "ui/list/ScreenFilterHost.h"
#include "ui/list/SearchEdit.h"
#include "ui/list/SplitterWnd.h"
#include "ui/list/TextPane.h"
#include "ui/toolkit/WndFrame.h"
#include "ui/view/ContactViewDlg.h"
#include "view/template/ContactTemplate.h"

class Contact;
class ContactClientManager;
class PhoneTemplates;
class QToolButton;
struct MenuDescription;

// Commands the frame answers besides those of its model.
inline constexpr uint32_t kCmdHistory = 126;
inline constexpr uint32_t kCmdDialler = 127;
inline constexpr uint32_t kCmdSpeedDial = 128;
inline constexpr uint32_t kCmdSelectAll = 40003;

// The search box, the list and the view (the preview pane and the full-screen view) tell the frame
// through their listener interfaces; the alphabet bars, the splitter and the list-down button
// through a function each; the category filter asks the screen through a ScreenFilterHost.
class ContactsFrame : public WndFrame,
                      public SearchEditListener,
                      public ContactListListener,
                      public ContactViewDlgListener {
public:
    static constexpr char16_t kClassName[] = u"CONTACTS.FRAME.CLASS";
    static constexpr char16_t kPhonePanelClass[] = u"PHONE.PANEL";
    // The filter button's design width at 96 dpi.
    static constexpr int kFilterWidth96 = 70;

    ContactsFrame(ContactClientManager& contacts, const PhoneTemplates& formats);
    ~ContactsFrame() override;

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& client) override;
    void SetClientRect(const QRect& client) override;
    [[nodiscard]] bool OnCommand(uint32_t command, plat::LPARAM lParam) override;
    // The keyboard goes back to the part that held it last (the list or the search box).
    QWidget* KeyboardField() const override;

    // The requests of the command-line switches and the main window.
    virtual void ShowContact(uint32_t oid);
    virtual void EditContact(uint32_t oid);
    virtual void NewContact(const Str& text);
    virtual void FindOrCreate(const Str& text);
    virtual void OpenDialler();
    virtual void OpenSpeedDial();
    virtual void OpenHistory();
    // The call action (Talk) on the current contact.
    virtual void CallSelected();
    virtual void ClearSearch();
    // The store changed: the list is built again (keeping the current contact) and redrawn.
    virtual void RedrawRows();
    virtual void ContactChanged(uint32_t oid);
    // What the options change.
    virtual void ApplyListFont(const FontStyle& font);
    virtual void ApplyViewFont(const FontStyle& font);
    virtual void ApplyAbcSettings(const AbcBarSettings& abc);
    virtual void SetRowHeightIncrement(int pixels);
    // HideSim changed: the list is built again following the stored setting.
    virtual void RebuildList();
    // Marks the items of the main menu as the settings are (before it opens).
    void MarkMenu(MenuDescription& menu) const;

    // The contact shown now (0: none) and the status line (what the last request did).
    uint32_t ShownContact() const { return shown_; }
    const QString& Status() const { return status_; }

    ContactsFrameModel& Model() { return *model_; }
    ContactListControl& List() { return *list_; }
    SearchEdit& SearchBox() { return search_; }
    AbcBar& SmallBar() { return smallBar_; }
    AbcBar& BigBar() { return bigBar_; }
    ContactViewDlg& Preview() { return preview_; }
    // The full-screen contact view while it is open, else null.
    ContactViewDlg* OpenView() const { return openView_; }
    // The contact editor while it is open, else null.
    ContactEditDlg* OpenEditor() const { return openEditor_; }
    const ContactTemplate& Template() const { return template_; }
    // Runs `edit` on a copy of the view template. When it confirms, the copy becomes the template
    // that the view pane and the editor use, it is written to the template file (a failed write
    // is said in a box; the new template is still used) and the preview shows the current contact
    // through it. True when the template changed.
    [[nodiscard]] bool EditTemplate(const std::function<bool(ContactTemplate&)>& edit);
    QToolButton* FilterButton() const { return filterButton_; }
    const TextPane& PhonePanel() const { return phonePanel_; }
    // The filter button's menu: shown below the button, its choice applied.
    void RunFilterMenu();

    // SearchEditListener
    void OnSearchTextChanged(const QString& text) override;
    [[nodiscard]] bool OnSearchBackspace(int caret, int selStart, int selEnd) override;
    void OnSearchKey(uint32_t key) override;
    // ContactListListener
    void OnListKey(uint32_t key) override;
    void OnListCharTyped(char16_t ch) override;
    void OnRowActivated(int row) override;
    void OnRowTapped(int row) override;
    [[nodiscard]] bool OnPhoneColumnTapped(int row, const QRect& rowGlobal) override;
    void OnRowSelected(int row) override;
    void OnContextCommand(uint32_t command) override;
    // ContactViewDlgListener
    void OnViewKeyDown(plat::HWND window, uint32_t key, uint32_t flags) override;
    void OnViewChar(char16_t ch) override;
    void OnContactUsed(uint32_t oid) override;
    void OnOpenContact() override;
    void OnDialled() override;
    void ShowPrevious(ContactViewDlg& view) override;
    void ShowNext(ContactViewDlg& view) override;

protected:
    std::u16string_view ClassName() const override { return kClassName; }
    void OnResize(const QSize&) override { LayOut(); }
    QString AccessibleText() const override { return status_; }

private:
    // Carries out what the model answered.
    void Apply(const FrameEffect& effect);
    void RunAction(const FrameEffect& effect);
    void MoveFocus(FocusTarget target);
    // The alphabet bars' buttons and the splitter's drag.
    void OnAbcButton(bool big, int number);
    void OnSplitterMoved(int top);
    FrameRects Rects() const;
    void LayOut();
    // The preview pane and the phone panel show the current contact.
    void UpdatePanes();
    void UpdateFilterLabel();
    void Call(uint32_t oid, const Str& number);
    // The full-screen view of `oid` until it ends, then what it asked for (edit, dial).
    void RunContactView(uint32_t oid);
    // The editor on `contact` until it ends; a saved contact becomes the current one.
    void RunEditor(const Contact& contact);
    // Names the values the store made smaller when the editor saved (a box the user confirms).
    void TellShortened(const std::vector<std::string>& shortened);
    // Makes `oid` the current row once the list holds it.
    void RevealWhenListed(uint32_t oid);
    // Moves the list selection by `step` contacts and shows the new one in `view`.
    void StepView(ContactViewDlg& view, int step);
    // The call action on a contact: the phone chooser when DialType asks for it, else the
    // default number.
    void CallContact(uint32_t oid);
    void EditAndCall(uint32_t oid);
    // "Set Contact Ringtone": the contact's own ringtone chosen with the ringtone picker.
    void SetContactRingtone(uint32_t oid);
    // The folder picker on the data folder `current`, then the move to the folder chosen.
    void ChooseDataFolder(const Str& current);
    // Calls speed-dial entry `entry` (a keypad key or button held down); an entry without a button is
    // refused with a message.
    void CallSpeedDialEntry(int entry);
    // Keeps a new default dial tag in the contact (and so in its index entry).
    void StoreDefaultTag(Contact& contact, uint32_t tag);
    void SetStatus(const QString& status);
    // The display name of a contact, or nothing when it cannot be read.
    std::optional<QString> NameOf(uint32_t oid);

    ContactClientManager& contacts_;
    const PhoneTemplates& formats_;
    CoordinationAnnouncer announcer_;
    ScreenFilterHost filterHost_;
    std::unique_ptr<ContactsFrameModel> model_;
    std::unique_ptr<ContactListControl> list_;
    SearchEdit search_;
    AbcBar smallBar_;
    AbcBarBig bigBar_;
    SplitterWnd splitter_;
    ContactTemplate template_;
    ContactViewDlg preview_;
    ContactViewDlg* openView_ = nullptr;
    ContactEditDlg* openEditor_ = nullptr;
    uint32_t pendingReveal_ = 0;  // a saved contact the list does not show yet
    TextPane phonePanel_;
    ListDownButton listDown_;
    QToolButton* filterButton_ = nullptr;
    int rowIncrement_ = 0;
    uint32_t shown_ = 0;
    QString status_;
};
