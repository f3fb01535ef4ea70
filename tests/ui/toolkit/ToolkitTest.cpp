// The toolkit driven as a user drives it: scaling, popup menus, message boxes, full-screen
// dialogs, keys and taps.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Window.h"
#include "support/TempDevice.h"
#include "ui/QtTestApp.h"
#include "ui/toolkit/DlgImpl.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/KeyRouter.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/MessageBoxDialog.h"
#include "ui/toolkit/MessageLoop.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/WndWidget.h"

namespace {

// A top-level window that records what reaches it.
class RecordingWnd : public WndImpl {
public:
    ~RecordingWnd() override { DestroyWnd(); }
    std::vector<std::pair<uint32_t, plat::WPARAM>> messages;
    std::vector<std::string> taps;

protected:
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override {
        if (message == plat::WM_KEYDOWN || message == plat::WM_COMMAND || message == plat::WM_CHAR) {
            messages.emplace_back(message, wParam);
        }
        return WndImpl::WndProc(message, wParam, lParam);
    }
    void OnTap(const QPoint&) override { taps.push_back("tap"); }
    void OnTapAndHold(const QPoint&) override { taps.push_back("hold"); }
};

class Toolkit : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        KeyRouter::Instance();
        ASSERT_TRUE(window_.CreateWnd(u"TOOLKIT.TEST", u"Test", nullptr, QRect(0, 0, 240, 320)));
        window_.Widget()->show();
        window_.Widget()->activateWindow();
        window_.Widget()->setFocus();
    }

    TempDevice device_;
    RecordingWnd window_;
};

// Runs `act` on whatever popup or modal widget opens next; one still open three seconds later is
// closed, so a failing test ends instead of waiting for ever.
void OnNextPopup(std::function<void(QWidget*)> act) {
    QTimer::singleShot(50, [act] {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr) popup = QApplication::activeModalWidget();
        if (popup != nullptr) act(popup);
    });
    QTimer::singleShot(3000, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
}

TEST(Dpi, ScalingRoundsDown) {
    const int cases[][3] = {{26, 96, 26}, {26, 192, 52}, {26, 120, 33}, {240, 144, 360}, {1, 131, 1}, {0, 192, 0}, {-1, 96, -1}};
    for (const auto& c : cases) EXPECT_EQ(ScaleBy(c[0], c[1]), c[2]) << c[0] << " at " << c[1];
}

TEST_F(Toolkit, RealVgaCountsAs192Dpi) {
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kRealVGA, 1));
    ReloadScreenSettings();
    EXPECT_EQ(ScreenDpiX(), 192);
    EXPECT_EQ(ScaleY(26), 52);
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kRealVGA, 0));
    EXPECT_EQ(ScreenDpiY(), 192) << "the setting is kept until it is read again";
    ReloadScreenSettings();
    EXPECT_EQ(ScreenDpiY(), 96);  // the offscreen screen
}

TEST_F(Toolkit, PopupMenuKeepsMarksStatesAndCommands) {
    MenuDescription menu;
    menu.Add(10, u"Checked", true);
    menu.Add(11, u"Disabled").enabled = false;
    menu.AddSeparator();
    MenuItem radio;
    radio.id = 12;
    radio.text = u"Radio";
    radio.mark = MenuMark::Radio;
    menu.push_back(radio);
    MenuItem sub;
    sub.text = u"More";
    sub.submenu.push_back(MenuItem{13, u"Inner"});
    menu.push_back(sub);

    std::unique_ptr<QMenu> built(BuildPopupMenu(menu, window_.Widget()));
    const QList<QAction*> actions = built->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_TRUE(actions[0]->isChecked());
    EXPECT_EQ(actions[0]->data().value<uint32_t>(), 10u);
    EXPECT_FALSE(actions[1]->isEnabled());
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_TRUE(actions[3]->isChecked());
    ASSERT_NE(actions[3]->actionGroup(), nullptr);
    EXPECT_TRUE(actions[3]->actionGroup()->isExclusive());
    ASSERT_NE(actions[4]->menu(), nullptr);
    EXPECT_EQ(actions[4]->menu()->actions()[0]->data().value<uint32_t>(), 13u);

    // Down skips the disabled item and the separator: Checked, then Radio.
    OnNextPopup([](QWidget* popup) {
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    EXPECT_EQ(TrackPopupMenu(menu, QPoint(10, 10), window_.Widget()), 12u);
    OnNextPopup([](QWidget* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
    EXPECT_EQ(TrackPopupMenu(menu, QPoint(10, 10), window_.Widget()), 0u);
}

// A popup stands at its anchor by the corner its alignment names and is moved only as far as it
// must to stay whole on the screen.
TEST(PopupPlacement, AnchorCornerAndScreenEdges) {
    const QRect screen(0, 0, 240, 320);
    const QSize menu(100, 80);
    struct Case {
        const char* what;
        QPoint anchor;
        PopupAlign align;
        QPoint origin;
    } const cases[] = {
        {"left-aligned opens to the right", {50, 40}, PopupAlign::Left, {50, 40}},
        {"right-aligned ends at the anchor", {150, 40}, PopupAlign::Right, {51, 40}},
        {"right-aligned near the left edge moves right", {60, 40}, PopupAlign::Right, {0, 40}},
        {"left-aligned near the right edge moves left", {200, 40}, PopupAlign::Left, {140, 40}},
        {"near the bottom moves up", {50, 300}, PopupAlign::Left, {50, 240}},
        {"above the screen moves down", {150, -20}, PopupAlign::Right, {51, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(PopupOrigin(c.anchor, menu, screen, c.align), c.origin) << c.what;
    EXPECT_EQ(PopupOrigin({200, 300}, QSize(400, 400), screen, PopupAlign::Right), QPoint(0, 0))
        << "a popup larger than the screen keeps its top-left corner on it";
    const QRect second(240, 0, 240, 320);
    EXPECT_EQ(PopupOrigin({260, 10}, menu, second, PopupAlign::Right), QPoint(240, 10))
        << "a screen not at 0";
}

TEST_F(Toolkit, MessageBoxShowsCaptionAndAnswersWithButtonCodes) {
    InstallMessageBoxDialog();
    QString caption;
    QString text;
    OnNextPopup([&](QWidget* box) {
        caption = box->windowTitle();
        auto* messageBox = qobject_cast<QMessageBox*>(box);
        text = messageBox->text();
        messageBox->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(plat::MessageBox(u"Delete it?", u"Brevane", plat::MB_YESNO | plat::MB_ICONQUESTION), plat::IDNO);
    EXPECT_EQ(caption, QStringLiteral("Brevane"));
    EXPECT_EQ(text, QStringLiteral("Delete it?"));
    plat::SetMessageBoxHandler({});
}

class NamedDlg : public DlgImpl {
public:
    NamedDlg() : DlgImpl(QStringLiteral("Test dialog")) {}
    int oks = 0;

protected:
    bool OnOK() override { return ++oks > 0; }
};

TEST_F(Toolkit, FullScreenDialogEndsByKeysSoftKeysAndPostedCancel) {
    struct Ending {
        const char* how;
        std::function<void(NamedDlg&)> act;
        int result;
    };
    const Ending endings[] = {
        {"escape", [](NamedDlg& d) { QTest::keyClick(d.Widget(), Qt::Key_Escape); }, plat::IDCANCEL},
        {"end key", [](NamedDlg& d) { QTest::keyClick(d.Widget(), Qt::Key_F4); }, plat::IDCANCEL},
        {"left soft key", [](NamedDlg& d) { QTest::keyClick(d.Widget(), Qt::Key_F1); }, plat::IDOK},
        {"posted cancel",
         [](NamedDlg& d) { EXPECT_TRUE(plat::PostMessage(d.Hwnd(), plat::WM_COMMAND, plat::IDCANCEL, 0)); },
         plat::IDCANCEL},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.how);
        NamedDlg dialog;
        QTimer::singleShot(50, window_.Widget(), [&] {
            ASSERT_TRUE(dialog.IsOpen());
            EXPECT_EQ(dialog.Widget()->geometry(), window_.Widget()->rect());
            QTimer::singleShot(3000, dialog.Widget(), [&] { dialog.EndDialog(-1); });
            ending.act(dialog);
        });
        EXPECT_EQ(dialog.DoModal(window_), ending.result);
        EXPECT_FALSE(dialog.IsOpen());
        EXPECT_EQ(dialog.oks, ending.result == plat::IDOK ? 1 : 0);
    }
}

// A soft-key menu opens on its first item: the soft key, then Enter, chooses it.
TEST_F(Toolkit, SoftKeyThenEnterChoosesTheMenusFirstItem) {
    class ToolsDlg : public NamedDlg {
    protected:
        SoftKeyMenu SoftKeys() const override {
            SoftKeyMenu keys{SoftKey::Command(u"Cancel", plat::IDCANCEL), {u"Tools", 0, 7, {}}};
            keys.right.popup.Add(plat::IDOK, u"OK");
            keys.right.popup.Add(plat::IDCANCEL, u"Cancel");
            return keys;
        }
    };
    ToolsDlg dialog;
    QTimer::singleShot(50, window_.Widget(), [&] {
        OnNextPopup([](QWidget* popup) { QTest::keyClick(popup, Qt::Key_Return); });
        QTest::keyClick(dialog.Widget(), Qt::Key_F2);
    });
    QTimer::singleShot(3000, dialog.Widget(), [&] { dialog.EndDialog(-1); });
    EXPECT_EQ(dialog.DoModal(window_), plat::IDOK);
    EXPECT_EQ(dialog.oks, 1);
}

// A dialog ended while it opens (an event run during its set-up ends it) gives that result at once;
// a guard ends the test's loop should the dialog wait for an end that already came.
TEST_F(Toolkit, DialogEndedWhileOpeningReturnsItsResult) {
    class EndsAtOnce : public DlgImpl {
    protected:
        bool OnInitContent() override {
            EndDialog(plat::IDOK);
            return true;
        }
    };
    EndsAtOnce dialog;
    bool waited = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        waited = true;
        QCoreApplication::exit(-1);
    });
    guard.start(3000);
    EXPECT_EQ(dialog.DoModal(window_), plat::IDOK);
    EXPECT_FALSE(waited) << "the dialog waited in a loop that nothing would end";
}

TEST_F(Toolkit, KeysTapsAndAccelerators) {
    QWidget* widget = window_.Widget();
    QTest::keyClick(widget, Qt::Key_F3);
    QTest::keyClick(widget, Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(widget, Qt::Key_Return);
    QTest::keyClick(widget, Qt::Key_Q, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return !window_.messages.empty() && window_.messages.back().first == plat::WM_COMMAND; }));
    const std::vector<std::pair<uint32_t, plat::WPARAM>> expected = {
        {plat::WM_KEYDOWN, VK_TTALK}, {plat::WM_KEYDOWN, '5'}, {plat::WM_CHAR, '5'},
        {plat::WM_KEYDOWN, VK_RETURN}, {plat::WM_COMMAND, 1}};
    EXPECT_EQ(window_.messages, expected);

    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(20, 20));
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::qWait(WndWidget::kHoldMs + 200);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(window_.taps, (std::vector<std::string>{"tap", "hold", "hold"}));
}

TEST_F(Toolkit, FlushesDropWaitingInputOnly) {
    QWidget* widget = window_.Widget();
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                                        Qt::RightButton, Qt::RightButton, Qt::NoModifier));
    FlushKeyboardInput();
    EXPECT_TRUE(window_.messages.empty());
    EXPECT_EQ(window_.taps, std::vector<std::string>{"hold"});  // the mouse press was left alone
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                                        Qt::RightButton, Qt::RightButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier));
    FlushMouseInput();
    EXPECT_EQ(window_.taps.size(), 1u);
    EXPECT_EQ(window_.messages, (std::vector<std::pair<uint32_t, plat::WPARAM>>{{plat::WM_KEYDOWN, VK_TTALK}}));
}

}  // namespace
