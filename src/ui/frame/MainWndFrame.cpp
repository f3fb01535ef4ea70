#include "ui/frame/MainWndFrame.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "categories/manager/CategoryManager.h"
#include "core/diag/Tracer.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "core/startup/CommandLine.h"
#include "core/startup/Entry.h"
#include "core/startup/SwitchText.h"
#include "ext/addins/AddinAbi.h"
#include "ext/addins/AddinManager.h"
#include "ext/coord/Coordination.h"
#include "host/share/HostShare.h"
#include "manager/client/ContactClientManager.h"
#include "manager/contacts/ContactManager.h"
#include "manager/coord/CoordMessages.h"
#include "platform/device/Device.h"
#include "platform/window/Window.h"
#include "screen/frame/WindowSize.h"
#include "ui/frame/AppointmentsFrame.h"
#include "ui/frame/CallerIdMenus.h"
#include "ui/frame/InfoWnd.h"
#include "ui/frame/KeysDlg.h"
#include "ui/frame/MainMenu.h"
#include "ui/frame/ProgressWnd.h"
#include "ui/list/ContactsFrame.h"
#include "ui/toolkit/DlgBase.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/InputPanel.h"
#include "ui/toolkit/KeyRouter.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/MessageLoop.h"
#include "ui/toolkit/ScaledStyle.h"
#include "ui/toolkit/UiStrings.h"
#include "view/template/ContactTemplate.h"

#include "core/diag/ErrorLog.h"
#include "core/result/StatusBox.h"

namespace {

constexpr uint32_t kStrTitle = 101;
constexpr uint32_t kStrReindex = 41207;
constexpr uint32_t kStrUpdatingIndex = 41291;
constexpr plat::WPARAM kLayoutChange = 0x3002;
constexpr uint32_t kClearSearch = 0x0400 + 77;
constexpr uint32_t kCmdOk = 1;

MainWndFrame* g_instance = nullptr;

Array<CategoryEntry> CurrentCategories() {
    Array<CategoryEntry> categories;
    // Menus then list no category.
    if (CategoryManager* manager = CategoryManager::Instance()) (void)manager->GetAllCategories(categories);
    return categories;
}

}  // namespace

MainWndFrame& MainWndFrame::Instance() {
    if (g_instance == nullptr) g_instance = new MainWndFrame();
    return *g_instance;
}

bool MainWndFrame::Exists() { return g_instance != nullptr; }

MainWndFrame::MainWndFrame() : dialogs_(std::make_unique<ProgramDialogs>()) {}

MainWndFrame::~MainWndFrame() {
    Teardown();
    if (g_instance == this) g_instance = nullptr;
}

// Start-up in order: the settings read and the program path written, the window with its menu bar
// (input panel down, client area above the bar), coordination and the store, both frames with the
// contacts frame current and shown, the Talk key taken over.
bool MainWndFrame::Create() {
    ReloadScreenSettings();
    ScaledStyle::Apply();
    SettingsStore::ReadDwordOrCreate(settings::kSettings, settings::kHideSim, 1);
    SettingsStore::ReadDwordOrCreate(settings::kSettings, settings::kHighlight, 1);
    if (!SettingsStore::WriteString(settings::kSettings, settings::kProgramPath,
                                    plat::CurrentDevice().ModulePath()))
        ErrorLog(u"Unable to record the program's path", "MainWndFrame", __LINE__);
    templates_.Load();
    ring_.Load();
    callFilter_.Load();
    if (!CreateWindowAndBar() || !ConnectStore() || !CreateFrames()) {
        Destroy();
        return false;
    }
    AddinManager::Instance().Load(addin::kFirstCommandId);
    AddinManager::Instance().ReportInterruptedCommand();
    KeyRouter::Instance().OverrideTalkKey(Hwnd());
    talkOverridden_ = true;
    return true;
}

bool MainWndFrame::CreateWindowAndBar() {
    const Str title = RequireStr(kStrTitle);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize free = screen != nullptr ? screen->availableGeometry().size() : QSize();
    const WindowSize size = InitialWindowSize(
        {ScaleX(kDesignWidth), ScaleY(kDesignHeight)}, {free.width(), free.height()},
        RememberedWindowSize(
            ScaleX(static_cast<int>(SettingsStore::ReadDword(settings::kSettings, kWindowWidthValue, 0))),
            ScaleY(static_cast<int>(SettingsStore::ReadDword(settings::kSettings, kWindowHeightValue, 0)))));
    if (!CreateWnd(kMainWindowClass, title.View(), nullptr, QRect(0, 0, size.width, size.height)))
        return false;
    QFont font = Widget()->font();
    font.setPixelSize(ScaleY(12));
    Widget()->setFont(font);
    CreateMenuBar();
    InputPanel::SetListener(Hwnd());
    InputPanel::Show(false);
    info_ = std::make_unique<InfoWnd>(*this);
    progress_ = std::make_unique<ProgressWnd>(*this);
    return true;
}

bool MainWndFrame::ConnectStore() {
    coord_ = Coordination::Instance();
    const bool registered = coord_ != nullptr && coord_->Open() && coord_->Register(Hwnd());
    clients_ = std::make_unique<ContactClientManager>(ContactManager::Instance());
    if (clients_->Connect(this, registered ? coord_ : nullptr)) {
        ShareWithHost();
        return true;
    }
    LocatedBox(RequireStr(uistr::kCannotConnect).View(), __FILE__, __LINE__);
    return false;
}

// The host's phone programs read the contacts from the shared address book (docs/host.md).
void MainWndFrame::ShareWithHost() {
    if (!SharesContacts()) return;
    share_ = std::make_unique<HostShare>(ContactManager::Instance(), SharedBook(HostSharedBookPaths()));
    if (!share_->Begin())
        ErrorLog(u"The shared address book could not be written whole", "MainWndFrame", __LINE__);
}

bool MainWndFrame::CreateFrames() {
    contacts_ = std::make_unique<ContactsFrame>(*clients_, templates_);
    appointments_ = std::make_unique<AppointmentsFrame>();
    if (!contacts_->Create(*this, ClientArea()) || !appointments_->Create(*this, ClientArea())) return false;
    current_ = contacts_.get();
    current_->Show();
    return true;
}

void MainWndFrame::CreateMenuBar() {
    delete menuBar_;
    menuBar_ =
        new SoftKeyBar(MainMenuBar(), Hwnd(), Widget(),
                       [this](uint32_t popupId, MenuDescription& popup) { PrepareMainMenu(popupId, popup); });
    LayOut();
    menuBar_->show();
}

QRect MainWndFrame::ClientArea() const {
    if (Widget() == nullptr) return {};
    const int bar = menuBar_ != nullptr ? menuBar_->height() : ScaleY(SoftKeyBar::kDesignHeight);
    return QRect(0, 0, Widget()->width(), std::max(0, Widget()->height() - bar));
}

void MainWndFrame::LayOut() {
    if (Widget() == nullptr) return;
    const QRect client = ClientArea();
    if (menuBar_ != nullptr) menuBar_->setGeometry(0, client.bottom() + 1, client.width(), menuBar_->height());
    if (contacts_) contacts_->SetClientRect(client);
    if (appointments_) appointments_->SetClientRect(client);
}

void MainWndFrame::Destroy() {
    Teardown();
    if (g_instance != this) return;
    g_instance = nullptr;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { delete this; }, Qt::QueuedConnection);
}

void MainWndFrame::RememberSize() {
    if (Widget() == nullptr) return;
    // Kept at 96 dpi, so that the window keeps its proportions when the screen's dpi changes.
    const auto at96 = [](int pixels, int dpi) {
        return static_cast<uint32_t>(pixels * 96 / std::max(dpi, 1));
    };
    const QSize size = Widget()->size();
    // A size not kept only means the next start opens at the size made for the screen.
    if (!SettingsStore::WriteDword(settings::kSettings, kWindowWidthValue,
                                   at96(size.width(), ScreenDpiX())) ||
        !SettingsStore::WriteDword(settings::kSettings, kWindowHeightValue,
                                   at96(size.height(), ScreenDpiY())))
        ErrorLog(u"The window's size cannot be kept", "MainWndFrame", __LINE__);
}

// Tear-down in order: the menu bar, the contacts frame, the add-ins, the store and coordination,
// the second frame, the window, the Talk key.
void MainWndFrame::Teardown() {
    if (tornDown_) return;
    tornDown_ = true;
    RememberSize();
    delete menuBar_;
    menuBar_ = nullptr;
    current_ = nullptr;
    contacts_.reset();
    AddinManager::Instance().Unload();
    share_.reset();
    if (clients_) clients_->Disconnect();
    clients_.reset();
    ContactManager::Release();
    if (coord_ != nullptr) (void)coord_->Unregister();  // false: it was not registered; nothing to undo
    Coordination::Destroy();
    coord_ = nullptr;
    appointments_.reset();
    progress_.reset();
    info_.reset();
    InputPanel::SetListener(0);
    if (!windowGoing_) DestroyWnd();
    if (talkOverridden_) KeyRouter::Instance().RestoreTalkKey();
    talkOverridden_ = false;
}

plat::LRESULT MainWndFrame::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (const std::optional<CoordMessage> coord = ClassifyCoordMessage(message)) {
        return clients_ ? clients_->OnCoordMessage(*coord, wParam, lParam) : 0;
    }
    if (current_ == nullptr && !tornDown_ && (message == UM_COMMAND_SWITCH || message == plat::WM_COMMAND)) {
        // A request that arrives while start-up still runs (the first index build handles the
        // waiting messages) waits until the frames exist instead of being lost.
        (void)plat::PostMessage(Hwnd(), message, wParam, lParam);  // its own queue goes only at the end
        return 0;
    }
    switch (message) {
        case plat::WM_DESTROY:
            windowGoing_ = true;
            Destroy();
            PostQuitMessage(0);
            return 0;
        case plat::WM_ACTIVATE: OnActivate(wParam, lParam); return 0;
        case plat::WM_SETFOCUS:
            // After the window system has settled which window is active: a focus given while it
            // still activates the window would be replaced by its own choice.
            QMetaObject::invokeMethod(Widget(), [this] {
                if (Widget() != nullptr && Widget()->hasFocus()) HandOnKeyboard(nullptr);
            }, Qt::QueuedConnection);
            return 0;
        case plat::WM_PAINT: return 0;
        case plat::WM_SIZE: LayOut(); return 0;
        case plat::WM_SETTINGCHANGE: OnSettingChange(wParam, lParam); return 0;
        case plat::WM_COMMAND: return OnCommand(wParam, lParam);
        case plat::WM_HOTKEY:
            if (((static_cast<uint32_t>(lParam) >> 16) & 0xFFFF) == VK_TTALK && contacts_) contacts_->CallSelected();
            return 0;
        case ContactClientManager::kResetMessage:
            if (clients_) clients_->Reset();
            return 0;
        case kClearSearch:
            if (contacts_) contacts_->ClearSearch();
            return 0;
        case UM_COMMAND_SWITCH:
            OnCommandSwitch(static_cast<char16_t>(wParam & 0xFFFF), static_cast<uint32_t>(lParam));
            return 0;
        default: return WndImpl::WndProc(message, wParam, lParam);
    }
}

void MainWndFrame::OnActivate(plat::WPARAM wParam, plat::LPARAM lParam) {
    if (current_ != nullptr) current_->OnActivate(static_cast<uint32_t>(wParam & 0xFFFF), lParam);
    if (leavePanelAlone_) return;
    if ((wParam & 0xFFFF) == WA_INACTIVE) {
        KeyRouter::Instance().RestoreTalkKey();
        talkOverridden_ = false;
        active_ = false;
        return;
    }
    KeyRouter::Instance().OverrideTalkKey(Hwnd());
    talkOverridden_ = true;
    active_ = true;
    InputPanel::Show(panelUp_);
    panelUp_ = InputPanel::IsUp();
}

void MainWndFrame::OnSettingChange(plat::WPARAM wParam, plat::LPARAM lParam) {
    if (wParam == kLayoutChange) {
        LayOut();
        Invalidate();
    } else if (wParam == kInputPanelChange && !leavePanelAlone_) {
        panelUp_ = InputPanel::IsUp();
        visibleBottom_ = InputPanel::VisibleBottom(ClientArea().height());
        if (current_ != nullptr) current_->OnInputPanel(panelUp_, visibleBottom_);
    }
    if (wParam != kLayoutChange && current_ != nullptr) current_->OnSettingChange(wParam, lParam);
}

plat::LRESULT MainWndFrame::OnCommand(plat::WPARAM wParam, plat::LPARAM lParam) {
    const auto command = static_cast<uint32_t>(wParam & 0xFFFF);
    switch (command) {
        case kCmdOk:
            Send(plat::WM_ACTIVATE, WA_INACTIVE, 0);
            Send(plat::WM_CLOSE, 0, 0);
            return 0;
        case kCmdExit: DestroyWnd(); return 0;
        case kCmdCallFilterPlaceholder:  // replaced whenever the popup opens; never a command
        case kCmdRingSettingsPlaceholder: return 0;
        case kCmdEditTemplate: EditTemplate(); return 0;
        case kCmdOptions: RunOptions(); return 0;
        case kCmdAbout: dialogs_->ShowAbout(); return 0;
        case kCmdKeys: {
            KeysDlg keys;
            (void)keys.DoModal(*this);  // it only shows the keys
            return 0;
        }
        case kCmdRingtones: RunRingtones(); return 0;
        default: break;
    }
    if (RunCallerIdCommand(command, ring_, callFilter_, CurrentCategories())) return 0;
    if ((wParam >> 16) == 0 && current_ != nullptr && current_->OnCommand(command, lParam)) return 0;
    return WndImpl::WndProc(plat::WM_COMMAND, wParam, lParam);
}

void MainWndFrame::OnCommandSwitch(char16_t letter, uint32_t value) {
    if (!contacts_) return;
    Str text;
    switch (letter) {
        case u'd': return contacts_->OpenDialler();
        case u'e': return contacts_->EditContact(value);
        case u'f': return contacts_->OpenSpeedDial();
        case u'h': return contacts_->OpenHistory();
        case u'n':
            (void)TakeSwitchText(text);  // without the file the text stays empty
            return contacts_->NewContact(text);
        case u'r':
            (void)TakeSwitchText(text);  // as above
            return contacts_->FindOrCreate(text);
        case u'v': return contacts_->ShowContact(value);
        default: return;
    }
}

void MainWndFrame::SelectFrame(int index) {
    WndFrame* wanted = index == 0 ? static_cast<WndFrame*>(contacts_.get()) : appointments_.get();
    if (wanted == nullptr || wanted == current_) return;
    if (current_ != nullptr) current_->Hide();
    CreateMenuBar();
    wanted->Show();
    current_ = wanted;
}

void MainWndFrame::RunOptions() {
    const OptionsState before = ReadOptionsState(templates_.IsActive(), ScreenDpiY());
    const OptionsResult result = dialogs_->Run(before);
    TellUser(ApplyOptions(before, result, ScreenDpiX(), *this));
}

void MainWndFrame::EditTemplate() {
    // A failed write was said in a box.
    if (contacts_)
        (void)contacts_->EditTemplate(
            [this](ContactTemplate& copy) { return dialogs_->RunTemplateEditor(copy); });
}

void MainWndFrame::RunRingtones() {
    if (!dialogs_->RunRingtones(callFilter_)) return;
    ::PostToCallerId(kCallerIdFilterChanged);
    ::PostToCallerId(kCallerIdRingtonesChanged);
}

void MainWndFrame::PrepareMainMenu(uint32_t popupId, MenuDescription& popup) {
    if (popupId != kMainPopupId) return;
    if (contacts_) contacts_->MarkMenu(popup);
    InsertCallerIdMenus(popup, callFilter_, CurrentCategories(), ring_, CallerIdRunning());
}

void MainWndFrame::OnContactsChanged() {
    if (contacts_) contacts_->RedrawRows();
}

void MainWndFrame::OnContactDeleted(uint32_t oid) {
    if (contacts_) contacts_->ContactChanged(oid);
}

void MainWndFrame::OnStoreBusy(bool busy) { EnableUi(!busy); }

void MainWndFrame::OnManyChanges(bool many) { ShowInfo(many); }

void MainWndFrame::ShowRebuildProgress() {
    if (!progress_) return;
    if (progress_->IsOpen()) return progress_->Step();
    if (!progress_->Create(RequireStr(kStrReindex))) return;
    progress_->SetRange(1, ProgressWnd::kSteps);
    progress_->SetStep(1);
    PumpPendingMessages();
}

// A full rebuild announces itself with step 0 and ends with the last step: the window opened
// for it is closed then, one opened by the options' rebuild is left to that.
void MainWndFrame::OnRebuildProgress(uint32_t step) {
    if (!progress_) return;
    if (step == 0) {
        if (progress_->IsOpen()) return;
        listenerProgress_ = true;
        return ShowRebuildProgress();
    }
    progress_->Step();
    if (step >= ContactManager::kProgressLast && listenerProgress_) {
        listenerProgress_ = false;
        progress_->Destroy();
    }
}

void MainWndFrame::RebuildIndexWithProgress() {
    if (!progress_) return;
    listenerProgress_ = false;
    ShowRebuildProgress();
    ContactManager::Instance().Reindex();
    progress_->Destroy();
}

// The main window itself never keeps the keyboard (it gets it back whenever a dialog or a window on
// top closes): the keyboard belongs to the topmost dialog open over it, else to `previous` when that
// can still take it, else to the current frame.
QWidget* MainWndFrame::KeyboardHolder(QWidget* previous) const {
    const QList<QWidget*> children = Widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const auto* dialog = dynamic_cast<const DlgBase*>(WndImpl::Owning(*child));
        if (dialog != nullptr && dialog->Widget() == *child && (*child)->isVisible()) return dialog->KeyboardField();
    }
    if (previous != nullptr && previous->isVisible() && previous->isEnabled()) return previous;
    return current_ != nullptr ? current_->KeyboardField() : nullptr;
}

void MainWndFrame::HandOnKeyboard(QWidget* previous) {
    if (QWidget* holder = KeyboardHolder(previous)) holder->setFocus();
}

QWidget* MainWndFrame::KeysTarget() { return Widget() != nullptr ? KeyboardHolder(nullptr) : nullptr; }

void MainWndFrame::EnableUi(bool enable) {
    if (Widget() == nullptr) return;
    if (!enable) {
        disabled_ = Widget();
        for (QWidget* child : Widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            WndImpl* window = WndImpl::Owning(child);
            if (window != this && window != nullptr && window->TakesAccelerators() && child->isVisible() && child->isEnabled()) {
                disabled_ = child;
            }
        }
        // Disabling takes the keyboard from the widget that holds it; it is handed back afterwards
        // (to a dialog opened meanwhile, if any).
        refocus_ = QApplication::focusWidget();
        disabled_->setEnabled(false);
    } else if (disabled_ != nullptr) {
        disabled_->setEnabled(true);
        disabled_ = nullptr;
        HandOnKeyboard(std::exchange(refocus_, nullptr));
    }
    if (menuBar_ != nullptr) menuBar_->SetKeysEnabled(enable);
}

void MainWndFrame::ShowInfo(bool show) {
    if (!info_) return;
    if (show) {
        (void)info_->ShowText(RequireStr(kStrUpdatingIndex));  // the notice is a courtesy; the work goes on
        PumpPendingMessages();
    } else {
        info_->Close();
    }
}

void MainWndFrame::ApplyListFont(const FontStyle& font) { contacts_->ApplyListFont(font); }
void MainWndFrame::ApplyViewFont(const FontStyle& font) { contacts_->ApplyViewFont(font); }
void MainWndFrame::ApplyAbcSettings(const AbcBarSettings& abc) { contacts_->ApplyAbcSettings(abc); }
void MainWndFrame::SetRowHeightIncrement(int pixels) { contacts_->SetRowHeightIncrement(pixels); }
void MainWndFrame::RebuildList() { contacts_->RebuildList(); }
void MainWndFrame::RedrawList() { contacts_->RedrawRows(); }
void MainWndFrame::PostToCallerId(uint32_t message) { ::PostToCallerId(message); }
void MainWndFrame::ReloadPhoneTemplates() { templates_.Load(); }

void MainWndFrame::SetChangeFlag(uint32_t code) {
    if (coord_ != nullptr) coord_->SetChangeFlag(code, 1);
}
