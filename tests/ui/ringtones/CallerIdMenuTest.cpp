// The main menu's caller-ID menus on screen, chosen by keys: greyed while the caller-ID program
// is not running; with it running, each choice stores what the caller-ID program reads and tells
// it so.
#include <QToolButton>

#include "categories/manager/CategoryManager.h"
#include "phone/PhoneTestSupport.h"
#include "platform/programs/Process.h"
#include "ui/frame/CallerIdMenus.h"
#include "ui/list/ListScreen.h"
#include "ui/ringtones/CatRingtoneList.h"
#include "ui/toolkit/SoftKeyBar.h"

namespace {

class CallerIdMenuScreen : public ListScreen, public ::testing::WithParamInterface<int> {
protected:
    void TearDown() override {
        // The wait below sees the program end.
        if (CallerIdRunning()) (void)plat::StartProgram(u"\\Windows\\Velmora CallerID.exe", u"/SHUTDOWN");
        WaitFor([] { return !CallerIdRunning(); }, 5000);
        ListScreen::TearDown();
    }
    // Opens the main menu with the right soft key (F2) and hands it to `onMenu`; then runs the
    // command chosen, which the menu posts.
    static bool WithMainMenu(const std::function<void(QMenu&)>& onMenu) {
        QWidget* focus = QApplication::focusWidget();
        // The store's change of a category disables the keys for a moment.
        EXPECT_TRUE(WaitFor([] { return MainWndFrame::Instance().MenuBar()->Button(1)->isEnabled(); }));
        const bool seen = WithPopup([&] { QTest::keyClick(focus != nullptr ? focus : MainWndFrame::Instance().Widget(), Qt::Key_F2); },
                                    onMenu);
        PumpPendingMessages();
        return seen;
    }
    // Main menu, then each submenu of `path` in turn, then its last element chosen.
    void Choose(std::initializer_list<QString> path, const QString& shot = {}) {
        EXPECT_TRUE(WithMainMenu([&](QMenu& menu) {
            std::vector<QWidget*> open = {&menu};
            QMenu* current = &menu;
            for (auto it = path.begin(); it + 1 != path.end(); ++it) {
                current = OpenSubmenu(*current, *it);
                if (current == nullptr) {
                    ADD_FAILURE() << "no submenu " << it->toStdString();
                    menu.close();
            return;
                }
                open.push_back(current);
            }
            if (!shot.isEmpty())
                SaveWithPopups(*MainWndFrame::Instance().Widget(), open,
                               shot + QStringLiteral("_%1dpi").arg(GetParam()));
            ChooseByKeys(*current, *(path.end() - 1));
        }));
    }
    static uint32_t Setting(std::u16string_view name) { return SettingsStore::ReadDword(settings::kSettings, name, 99); }
    static std::vector<uint32_t> CallFilterIds() { return SettingsStore::ReadDwordList(settings::kCatFilter); }
    static uint32_t Filter(std::u16string_view name) { return SettingsStore::ReadDword(settings::kCatFilter, name, 99); }
    // The messages the caller-ID program got, in order.
    std::vector<std::string> Messages(size_t count) const {
        std::vector<std::string> messages = ProgramLog(device_, count, "Velmora CallerID.exe\tmessage\t");
        for (std::string& message : messages) message = message.substr(29, 4);
        return messages;
    }
};

TEST_P(CallerIdMenuScreen, EveryChoiceIsStoredAndToldToTheCallerIdProgram) {
    Start(GetParam());
    uint32_t friends = 0;
    ASSERT_EQ(CategoryManager::Instance()->AddCategory(u"Friends", friends), CategoryManager::kAddCreated);

    // Without the caller-ID program both menus are there but greyed.
    EXPECT_TRUE(WithMainMenu([&](QMenu& menu) {
        for (const char* text : {"Call Filter", "Ring Settings"}) {
            QAction* action = ActionOf(menu, text);
            ASSERT_NE(action, nullptr) << text;
            EXPECT_FALSE(action->isEnabled()) << text;
        }
        SaveWithPopups(*MainWndFrame::Instance().Widget(), {&menu}, QStringLiteral("callerid_menu_off_%1dpi").arg(GetParam()));
        menu.close();
    }));

    ASSERT_TRUE(plat::StartProgram(u"\\Windows\\Velmora CallerID.exe", u""));
    ASSERT_TRUE(WaitFor([] { return CallerIdRunning(); }));
    Choose({"Call Filter", "Private (no number)"}, "callerid_filter");
    EXPECT_EQ(Filter(settings::kCatFilterAll), 0u);
    EXPECT_EQ(CallFilterIds(), std::vector<uint32_t>{0xFFFFFFFFu});
    Choose({"Call Filter", "Friends"});
    EXPECT_EQ(CallFilterIds(), (std::vector<uint32_t>{0xFFFFFFFFu, friends}));
    Choose({"Call Filter", "Disable All"});
    EXPECT_EQ(Filter(settings::kCatFilterAll), 1u);
    Choose({"Call Filter", "Enable All"});
    EXPECT_EQ(Filter(settings::kCatFilterAll), 0u);
    EXPECT_TRUE(CallFilterIds().empty());

    Choose({"Ring Settings", "Ring Type", "Vibrate"}, "callerid_ring_type");
    EXPECT_EQ(Setting(settings::kCidScript), 3u);
    EXPECT_EQ(Setting(settings::kCidScriptVer), 1u);
    Choose({"Ring Settings", "Ring Volume", "2"}, "callerid_ring_volume");
    EXPECT_EQ(Setting(settings::kCidVol), 2u);
    Choose({"Ring Settings", "Ring Type", "Use System"});
    EXPECT_EQ(Setting(settings::kCidScript), 0xFFFFFFFFu);
    MainWndFrame::Instance().Send(plat::WM_COMMAND, 25305 + 150, 0);  // a category now gone: still told

    // "Ringtones..." runs the ringtone dialog; its OK tells of the filter and the ringtones.
    EXPECT_TRUE(WhileOpen<CatRingtoneList>(
        &OpenDialog<CatRingtoneList>,
        [&] {
            Choose({"Ring Settings", "Ringtones..."});
        },
        [](CatRingtoneList& dialog) { dialog.Send(plat::WM_COMMAND, plat::IDOK, 0); }));
    EXPECT_EQ(Messages(10), (std::vector<std::string>{"1330", "1330", "1330", "1330", "1329", "1329", "1329",
                                                      "1330", "1330", "1331"}));
}

INSTANTIATE_TEST_SUITE_P(Dpi, CallerIdMenuScreen, ::testing::Values(96, 192));

}  // namespace
