// The main window driven through its messages, as the entry, the menus and the store drive it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "core/startup/CommandLine.h"
#include "core/startup/Entry.h"
#include "core/startup/SwitchText.h"
#include "manager/client/ContactClientManager.h"
#include "phone/PhoneTestSupport.h"
#include "platform/programs/Process.h"
#include "platform/ui/MessageBox.h"
#include "screen/list/FrameCommands.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"
#include "support/ContactOf.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"
#include "ui/QtTestApp.h"
#include "ui/frame/CallerIdMenus.h"
#include "ui/frame/InfoWnd.h"
#include "ui/frame/KeysDlg.h"
#include "ui/frame/MainMenu.h"
#include "ui/frame/MainWndFrame.h"
#include "ui/frame/ProgressWnd.h"
#include "ui/list/ContactsFrame.h"
#include "ui/toolkit/DlgImpl.h"
#include "ui/toolkit/MessageLoop.h"
#include "ui/toolkit/SoftKeyBar.h"

namespace {

class RecordingDialogs : public FrameDialogs {
public:
    OptionsResult next;
    // When set, answers instead of `next`, from the options shown.
    std::function<OptionsResult(const OptionsState&)> answer;
    int optionsRuns = 0;
    int abouts = 0;
    OptionsResult Run(const OptionsState& shown) override {
        ++optionsRuns;
        return answer ? answer(shown) : next;
    }
    bool RunTemplateEditor(ContactTemplate&) override { return false; }
    bool RunRingtones(CallFilter&) override { return false; }
    void ShowAbout() override { ++abouts; }
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
    void TearDown() override {
        // Whether it went is checked below.
        if (MainWndFrame::Exists()) (void)plat::DestroyWindow(MainWndFrame::Instance().Hwnd());
        PumpPendingMessages();
        EXPECT_FALSE(MainWndFrame::Exists());
    }

    MainWndFrame& Start() {
        MainWndFrame& frame = MainWndFrame::Instance();
        auto dialogs = std::make_unique<RecordingDialogs>();
        dialogs_ = dialogs.get();
        frame.SetDialogs(std::move(dialogs));
        EXPECT_TRUE(frame.Create());
        frame.Widget()->show();
        // The full contact view that the switch "v" opens, and the editor of "e", "n" and "r",
        // are cancelled as soon as they show.
        viewCloser_.setInterval(10);
        QObject::connect(&viewCloser_, &QTimer::timeout, [this] {
            ContactsFrame* contacts = MainWndFrame::Exists() ? MainWndFrame::Instance().Contacts() : nullptr;
            if (contacts == nullptr) return;
            DlgBase* open = contacts->OpenView();
            if (open == nullptr) open = contacts->OpenEditor();
            if (open == nullptr || !open->IsOpen() || open->Hwnd() == lastClosed_) return;
            lastClosed_ = open->Hwnd();
            ++dialogsClosed_;
            EXPECT_TRUE(plat::PostMessage(open->Hwnd(), plat::WM_COMMAND, plat::IDCANCEL, 0));
        });
        viewCloser_.start();
        return frame;
    }

    uint32_t AddContact(const char16_t* first, const char16_t* last, bool fromSim = false) {
        Contact contact = ContactOf({{kFieldFirst, first}, {kFieldLast, last}});
        contact.SetFromSim(fromSim);
        EXPECT_TRUE(MainWndFrame::Instance().Clients()->AddContact(contact, false).Complete());
        return contact.GetOid();
    }

    // Posts a message to the main window and waits until the contacts frame's status changes.
    QString PostAndWait(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
        ContactsFrame& contacts = *MainWndFrame::Instance().Contacts();
        const QString before = contacts.Status();
        EXPECT_TRUE(plat::PostMessage(MainWndFrame::Instance().Hwnd(), message, wParam, lParam));
        WaitFor([&] { return contacts.Status() != before; }, 2000);
        return contacts.Status();
    }

    TempDevice device_;
    MessageBoxRecorder boxes_;
    RecordingDialogs* dialogs_ = nullptr;
    QTimer viewCloser_;
    plat::HWND lastClosed_ = 0;
    int dialogsClosed_ = 0;
};

TEST_F(MainWindow, CommandSwitchesReachTheContactsFrame) {
    Start();
    const uint32_t anna = AddContact(u"Anna", u"Smith");
    const QString hex = QString::number(anna, 16);
    EXPECT_EQ(PostAndWait(UM_COMMAND_SWITCH, u'v', anna), "Contact " + hex + ": Smith, Anna");
    EXPECT_EQ(dialogsClosed_, 1) << "the switch opens the contact's full view";
    ContactsFrame& contacts = *MainWndFrame::Instance().Contacts();
    EXPECT_EQ(contacts.ShownContact(), anna);
    QAccessibleInterface* readOut = QAccessible::queryAccessibleInterface(contacts.Widget());
    ASSERT_NE(readOut, nullptr);
    EXPECT_EQ(readOut->text(QAccessible::Name), contacts.Status());
    EXPECT_EQ(PostAndWait(UM_COMMAND_SWITCH, u'e', anna), "Editing contact " + hex + ": Smith, Anna");
    EXPECT_EQ(dialogsClosed_, 2) << "the switch opens the editor";
    ASSERT_TRUE(StoreSwitchText(u"John Smith"));
    EXPECT_EQ(PostAndWait(UM_COMMAND_SWITCH, u'n', 0), "New contact: John Smith");
    EXPECT_FALSE(std::filesystem::exists(*SwitchTextPath()));
    ASSERT_TRUE(StoreSwitchText(u"Bob++--++5551234"));
    EXPECT_EQ(PostAndWait(UM_COMMAND_SWITCH, u'r', 0), "Find or create: Bob");
    EXPECT_EQ(PostAndWait(UM_COMMAND_SWITCH, u'v', 0x7fffffff), "No contact 7fffffff");
    EXPECT_EQ(PostAndWait(plat::WM_COMMAND, kCmdNewContact, 0), "New contact: ");
    // Unknown letters, placeholders and notifications change nothing.
    EXPECT_EQ(PostAndWait(UM_COMMAND_SWITCH, u'x', 1), "New contact: ");
    EXPECT_EQ(PostAndWait(plat::WM_COMMAND, kCmdCallFilterPlaceholder, 0), "New contact: ");
    EXPECT_EQ(PostAndWait(plat::WM_COMMAND, (1u << 16) | kCmdNewContact, 0), "New contact: ");
}

// The SIM card's contacts follow HideSim as the options dialog changes it, and the editor is
// refused for them from every way in; the phone's own contacts are edited as ever.
TEST_F(MainWindow, SimContactsFollowHideSimAndAreNeverEdited) {
    MainWndFrame& frame = Start();
    ContactsFrame& contacts = *frame.Contacts();
    const uint32_t sim = AddContact(u"Mum", u"", true);
    const uint32_t anna = AddContact(u"Anna", u"Smith");
    const auto listed = [&contacts](uint32_t oid) {
        const auto& oids = contacts.Model().List().Oids();
        return std::find(oids.begin(), oids.end(), oid) != oids.end();
    };
    ASSERT_TRUE(WaitFor([&] { return listed(anna); }));
    EXPECT_FALSE(listed(sim)) << "hidden by default";

    dialogs_->answer = [](const OptionsState& shown) {
        OptionsResult result;
        result.ok = true;
        result.state = shown;
        result.state.hideSim = !shown.hideSim;
        return result;
    };
    frame.Send(plat::WM_COMMAND, kCmdOptions, 0);
    EXPECT_EQ(SettingsStore::ReadDword(settings::kSettings, settings::kHideSim, 7), 0u);
    ASSERT_TRUE(listed(sim)) << "the list is rebuilt when the option changes";
    PumpPendingMessages();
    EXPECT_FALSE(SaveScreenshot(*frame.Widget(), QStringLiteral("list_sim_contacts_shown")).isEmpty());

    Contact before;
    ASSERT_TRUE(frame.Clients()->GetContact(sim, before));
    const int closedBefore = dialogsClosed_;
    ASSERT_TRUE(plat::PostMessage(frame.Hwnd(), UM_COMMAND_SWITCH, u'e', sim));
    EXPECT_TRUE(WaitFor([&] { return boxes_.Boxes().size() == 1; }, 2000));
    const auto& oids = contacts.Model().List().Oids();
    ASSERT_TRUE(contacts.Model().List().Select(
        static_cast<int>(std::find(oids.begin(), oids.end(), sim) - oids.begin())));
    contacts.OnCommand(framecmd::kEdit, 0);
    PumpPendingMessages();
    ASSERT_EQ(boxes_.Boxes().size(), 2u) << "the switch and the Edit command";
    EXPECT_EQ(boxes_.Boxes()[1].text, u"Cannot edit SIM contact !");
    EXPECT_EQ(dialogsClosed_, closedBefore) << "no editor opened";
    Contact after;
    ASSERT_TRUE(frame.Clients()->GetContact(sim, after));
    EXPECT_TRUE(after.Equals(before) && after.IsFromSim());
    PostAndWait(UM_COMMAND_SWITCH, u'e', anna);
    EXPECT_EQ(dialogsClosed_, closedBefore + 1) << "the phone's own contact is edited";

    frame.Send(plat::WM_COMMAND, kCmdOptions, 0);
    EXPECT_FALSE(listed(sim));
}

TEST_F(MainWindow, StartsOnADamagedIndex) {
    for (const char16_t* file : {u"\\pim_index1.dat", u"\\pim_index2.dat"}) {
        std::ofstream damaged(device_.Host(file), std::ios::binary | std::ios::trunc);
        damaged << std::string(5000, '\x5a');
    }
    MainWndFrame& frame = Start();
    const uint32_t anna = AddContact(u"Anna", u"Smith");
    EXPECT_EQ(PostAndWait(UM_COMMAND_SWITCH, u'v', anna), "Contact " + QString::number(anna, 16) + ": Smith, Anna");
    EXPECT_FALSE(frame.Progress()->IsOpen());
}

TEST_F(MainWindow, SwitchesStartTheSiblingPrograms) {
    Start();
    PostAndWait(UM_COMMAND_SWITCH, u'h', 0);
    PostAndWait(UM_COMMAND_SWITCH, u'd', 0);
    std::vector<std::string> log = ProgramLog(device_, 2);
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (std::vector<std::string>{"Velmora Dialer.exe\t", "Velmora History.exe\t"}));
}

TEST_F(MainWindow, OwnCommandsAndExit) {
    MainWndFrame& frame = Start();
    frame.Send(plat::WM_COMMAND, kCmdAbout, 0);
    EXPECT_EQ(dialogs_->abouts, 1);
    dialogs_->next.ok = false;
    dialogs_->next.state.hideSim = false;
    const uint32_t hideSim = SettingsStore::ReadDword(settings::kSettings, settings::kHideSim, 7);
    frame.Send(plat::WM_COMMAND, kCmdOptions, 0);
    EXPECT_EQ(dialogs_->optionsRuns, 1);
    EXPECT_EQ(SettingsStore::ReadDword(settings::kSettings, settings::kHideSim, 7), hideSim);
    frame.Send(plat::WM_COMMAND, kCmdExit, 0);
    PumpPendingMessages();
    EXPECT_FALSE(MainWndFrame::Exists());
    EXPECT_EQ(FindRunningInstance(), 0u);
}

TEST_F(MainWindow, RebuildProgressBusyAndInformationWindows) {
    MainWndFrame& frame = Start();
    frame.OnRebuildProgress(0);
    ASSERT_TRUE(frame.Progress()->IsOpen());
    EXPECT_EQ(frame.Progress()->Caption(), QStringLiteral("Reindex database"));
    for (uint32_t step = 1; step < 20; ++step) frame.OnRebuildProgress(step);
    EXPECT_EQ(frame.Progress()->Position(), 20);
    frame.OnRebuildProgress(20);
    EXPECT_FALSE(frame.Progress()->IsOpen());

    QWidget* holder = QApplication::focusWidget();
    ASSERT_NE(holder, nullptr);
    frame.OnStoreBusy(true);
    EXPECT_FALSE(frame.Widget()->isEnabled());
    EXPECT_FALSE(frame.MenuBar()->Button(1)->isEnabled());
    frame.OnStoreBusy(false);
    EXPECT_TRUE(frame.Widget()->isEnabled());
    EXPECT_TRUE(frame.MenuBar()->Button(1)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), holder);  // the keyboard is back where it was

    frame.OnManyChanges(true);
    ASSERT_TRUE(frame.Info()->IsOpen());
    EXPECT_EQ(frame.Info()->Text(), QStringLiteral("Updating contact index...\nPlease, wait..."));
    frame.OnManyChanges(false);
    EXPECT_FALSE(frame.Info()->IsOpen());

    AddContact(u"Carl", u"Jones");
    frame.RebuildIndexWithProgress();
    EXPECT_FALSE(frame.Progress()->IsOpen());
}

// Keys that reach the main window itself (its focus was lost when a window on top closed) go on to
// the list, and so into the search box; with a dialog open they go to that dialog's field.
TEST_F(MainWindow, KeysThatReachTheWindowItselfGoWhereTheKeyboardBelongs) {
    MainWndFrame& frame = Start();
    frame.Widget()->setFocus();
    QTest::keyClicks(frame.Widget(), "an");
    EXPECT_EQ(frame.Contacts()->SearchBox().Text(), QStringLiteral("an"));

    DlgImpl dialog(QStringLiteral("Field"));
    QTimer::singleShot(50, frame.Widget(), [&] {
        auto* field = new QLineEdit(dialog.Widget());
        field->show();
        field->setFocus();
        frame.Widget()->setFocus();
        QTest::keyClicks(frame.Widget(), "x");
        EXPECT_EQ(field->text(), QStringLiteral("x"));
        dialog.EndDialog(plat::IDOK);
    });
    dialog.DoModal(frame);
}

// Ctrl+? in the list shows the keys, read-only and holding the keyboard; closing it gives the
// keyboard back to the list.
TEST_F(MainWindow, CtrlQuestionMarkShowsTheKeys) {
    MainWndFrame& frame = Start();
    QWidget& list = *frame.Contacts()->List().Window().Widget();
    list.setFocus();
    QString text;
    bool focused = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        KeysDlg* keys = OpenDialog<KeysDlg>();
        if (keys == nullptr) return;
        poll.stop();
        text = keys->Text()->toPlainText();
        focused = keys->Widget()->focusWidget() == keys->Text();
        EXPECT_FALSE(SaveScreenshot(*frame.Widget(), "keys").isEmpty());
        QTest::keyClick(keys->Text(), Qt::Key_Escape);
    });
    poll.start();
    QTest::keyClick(&list, Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier);
    (void)WaitFor([&] { return !text.isEmpty() && OpenDialog<KeysDlg>() == nullptr; }, 3000);
    EXPECT_TRUE(text.contains("Shift+F10")) << text.toStdString();
    EXPECT_TRUE(focused) << "the keys hold the keyboard";
    EXPECT_TRUE(WaitFor([&] { return list.hasFocus(); }, 2000)) << "the keyboard is back in the list";
}

TEST_F(MainWindow, SelectingTheCurrentFrameChangesNothing) {
    MainWndFrame& frame = Start();
    SoftKeyBar* bar = frame.MenuBar();
    frame.SelectFrame(0);
    EXPECT_EQ(frame.MenuBar(), bar);
    EXPECT_EQ(frame.CurrentFrame(), frame.Contacts());
    frame.SelectFrame(1);
    EXPECT_NE(frame.CurrentFrame(), frame.Contacts());
    EXPECT_FALSE(frame.Contacts()->Widget()->isVisible());
    EXPECT_TRUE(frame.CurrentFrame()->Widget()->isVisible());
}

TEST_F(MainWindow, ScreenshotsAt96And192Dpi) {
    for (const uint32_t realVga : {0u, 1u}) {
        SCOPED_TRACE(realVga);
        ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kRealVGA, realVga));
        MainWndFrame& frame = Start();
        const int scale = realVga == 1 ? 2 : 1;
        EXPECT_EQ(frame.Widget()->size(), QSize(240 * scale, 320 * scale));
        EXPECT_EQ(frame.MenuBar()->height(), 26 * scale);
        EXPECT_EQ(frame.ClientArea().height(), (320 - 26) * scale);
        frame.Contacts()->ShowContact(AddContact(u"Anna", u"Smith"));
        EXPECT_FALSE(SaveScreenshot(*frame.Widget(), realVga == 1 ? "main-window-192dpi" : "main-window-96dpi").isEmpty());
        (void)plat::DestroyWindow(frame.Hwnd());  // clean-up
        PumpPendingMessages();
    }
}

// The real program as a second instance of the device: it hands its request to this process's
// window and exits with 1.
int RunSecondInstance(const TempDevice& device, const QStringList& words) {
    QProcess second;
    second.start(QStringLiteral(BREVANE_PROGRAM),
                 QStringList{QStringLiteral("--root"), QString::fromStdString(device.Root().string())} + words);
    EXPECT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000));
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
}

TEST_F(MainWindow, SecondInstanceForwardsItsRequest) {
    MainWndFrame& frame = Start();
    const uint32_t anna = AddContact(u"Anna", u"Smith");
    EXPECT_EQ(RunSecondInstance(device_, {QStringLiteral("v"), QString::number(anna, 16)}), 1);
    EXPECT_TRUE(WaitFor([&] { return frame.Contacts()->ShownContact() == anna; }));
    // The request and the call to the foreground travel apart; either may arrive first.
    EXPECT_TRUE(WaitFor([] { return plat::LastForegroundRequest().has_value(); }));
    const std::optional<plat::ForegroundRequest> foreground = plat::LastForegroundRequest();
    ASSERT_TRUE(foreground);
    EXPECT_EQ(foreground->window, frame.Hwnd());
    EXPECT_TRUE(foreground->withOwned);

    EXPECT_EQ(RunSecondInstance(device_, {QStringLiteral("n"), QStringLiteral("Anna"), QStringLiteral("Smith")}), 1);
    EXPECT_TRUE(WaitFor([&] { return frame.Contacts()->Status() == QStringLiteral("New contact: Anna Smith"); }));
    EXPECT_EQ(RunSecondInstance(device_, {QStringLiteral("/NEW")}), 1);
    EXPECT_TRUE(WaitFor([&] { return frame.Contacts()->Status() == QStringLiteral("New contact: "); }));
    EXPECT_EQ(RunSecondInstance(device_, {QStringLiteral("q")}), 1);
}

}  // namespace

TEST_F(MainWindow, ProgramStartsTakesRequestsAndClosesCleanly) {
    QProcess program;
    program.start(QStringLiteral(BREVANE_PROGRAM),
                  {QStringLiteral("--root"), QString::fromStdString(device_.Root().string())});
    ASSERT_TRUE(WaitFor([] { return FindRunningInstance() != 0; }, 30000));
    EXPECT_EQ(RunSecondInstance(device_, {QStringLiteral("h")}), 1);
    EXPECT_EQ(ProgramLog(device_, 1), std::vector<std::string>{"Velmora History.exe\t"});
    ASSERT_TRUE(plat::PostMessage(FindRunningInstance(), plat::WM_CLOSE, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return program.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(FindRunningInstance(), 0u);
}
