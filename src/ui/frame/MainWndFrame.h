#pragma once
// MainWndFrame: the program's one top-level window (class "IS.MAIN.WND.CLASS") and the owner of
// everything that lives as long as the program: the contacts frame and the second frame, the
// soft-key menu bar, the phone-format templates, the ring settings and call filter of the
// caller-ID menus, the progress and information windows, and the connection to the contacts
// store and the coordination engine. Its window procedure routes every message of the main
// window: store and coordination messages to the contact client manager, commands and
// activation to the current frame, its own commands to its dialogs. A process-wide singleton.
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "manager/listener/ContactClientListener.h"
#include "phone/ring/ScriptManager.h"
#include "phone/templates/PhoneTemplates.h"
#include "categories/ringtones/CallFilter.h"
#include "ui/frame/FrameDialogs.h"
#include "ui/frame/TabPanelListener.h"
#include "ui/toolkit/WndImpl.h"

class AppointmentsFrame;
class ContactClientManager;
class ContactsFrame;
class HostShare;
class InfoWnd;
class Coordination;
class ProgressWnd;
class SoftKeyBar;
class WndFrame;

class MainWndFrame : public WndImpl, public TabPanelListener, public ContactClientListener, public OptionsHost {
public:
    // The phone-shaped window's design size at 96 dpi.
    static constexpr int kDesignWidth = 240, kDesignHeight = 320;

    // The singleton, created on the first call; Exists says whether there is one.
    static MainWndFrame& Instance();
    [[nodiscard]] static bool Exists();

    // Creates the window, its menu bar and frames and connects the store (see the order in the
    // .cpp). False (and the singleton destroyed) when start-up fails.
    [[nodiscard]] bool Create();
    // Tears everything down and deletes the singleton (after the current message).
    void Destroy();

    // The dialogs of the own commands (the program's by default).
    void SetDialogs(std::unique_ptr<FrameDialogs> dialogs) { dialogs_ = std::move(dialogs); }

    void SelectFrame(int index) override;

    // ContactClientListener: what the store's changes do on screen.
    void OnContactsChanged() override;
    void OnContactDeleted(uint32_t oid) override;
    void OnRebuildProgress(uint32_t step) override;
    void OnStoreBusy(bool busy) override;
    void OnManyChanges(bool many) override;

    // OptionsHost: what the options change.
    void ApplyListFont(const FontStyle& font) override;
    void ApplyViewFont(const FontStyle& font) override;
    void ApplyAbcSettings(const AbcBarSettings& abc) override;
    void SetRowHeightIncrement(int pixels) override;
    void RebuildIndexWithProgress() override;
    void RebuildList() override;
    void RedrawList() override;
    void SetChangeFlag(uint32_t code) override;
    void PostToCallerId(uint32_t message) override;
    void ReloadPhoneTemplates() override;

    ContactsFrame* Contacts() const { return contacts_.get(); }
    WndFrame* CurrentFrame() const { return current_; }
    SoftKeyBar* MenuBar() const { return menuBar_; }
    ContactClientManager* Clients() const { return clients_.get(); }
    ProgressWnd* Progress() const { return progress_.get(); }
    InfoWnd* Info() const { return info_.get(); }
    // The client rectangle: the window less the menu bar.
    QRect ClientArea() const;

    QWidget* KeysTarget() override;

protected:
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    MainWndFrame();
    ~MainWndFrame() override;

    [[nodiscard]] bool CreateWindowAndBar();
    [[nodiscard]] bool ConnectStore();
    void ShareWithHost();
    [[nodiscard]] bool CreateFrames();
    void CreateMenuBar();
    void LayOut();
    void OnActivate(plat::WPARAM wParam, plat::LPARAM lParam);
    void OnSettingChange(plat::WPARAM wParam, plat::LPARAM lParam);
    plat::LRESULT OnCommand(plat::WPARAM wParam, plat::LPARAM lParam);
    void OnCommandSwitch(char16_t letter, uint32_t value);
    void RunOptions();
    void EditTemplate();
    void RunRingtones();
    // Before the main menu opens: its marks follow the settings, and the caller-ID menus go in.
    void PrepareMainMenu(uint32_t popupId, MenuDescription& popup);
    void ShowRebuildProgress();
    void EnableUi(bool enable);
    QWidget* KeyboardHolder(QWidget* previous) const;
    void HandOnKeyboard(QWidget* previous);
    void ShowInfo(bool show);
    void Teardown();
    // Keeps the window's size for the next start.
    void RememberSize();

    PhoneTemplates templates_;
    ScriptManager ring_;
    CallFilter callFilter_;
    std::unique_ptr<InfoWnd> info_;
    std::unique_ptr<ProgressWnd> progress_;
    std::unique_ptr<ContactsFrame> contacts_;
    std::unique_ptr<AppointmentsFrame> appointments_;
    WndFrame* current_ = nullptr;
    SoftKeyBar* menuBar_ = nullptr;
    std::unique_ptr<ContactClientManager> clients_;
    std::unique_ptr<HostShare> share_;
    std::unique_ptr<FrameDialogs> dialogs_;
    Coordination* coord_ = nullptr;
    // Tracked: a dialog disabled while the store is busy may close before the store is done.
    QPointer<QWidget> disabled_;
    QPointer<QWidget> refocus_;  // held the keyboard when the window was disabled
    bool active_ = false;
    bool panelUp_ = false;
    bool leavePanelAlone_ = false;
    int visibleBottom_ = 0;
    bool talkOverridden_ = false;
    bool listenerProgress_ = false;
    bool tornDown_ = false;
    bool windowGoing_ = false;  // WM_DESTROY is being handled
};
