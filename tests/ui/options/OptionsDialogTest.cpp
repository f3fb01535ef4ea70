// The options dialog driven by its soft keys and its pages: a remembered page that does not exist
// opens the first, Cancel writes nothing, Done on an unchanged dialog still writes the switches
// that are always written and remembers the page, a changed check comes back to the main window.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "ui/list/ListScreen.h"
#include "ui/options/CABCBarDlg.h"
#include "ui/options/COptionDlg.h"

namespace {

class OptionsScreen : public ListScreen, public ::testing::WithParamInterface<int> {
protected:
    static uint32_t Setting(std::u16string_view name) { return SettingsStore::ReadDword(settings::kSettings, name, 99); }

    // Runs the dialog; `steps` runs once it is open and ends it.
    static OptionsResult Run(const OptionsState& state, const std::function<void(COptionDlg&)>& steps) {
        OptionsResult result;
        QTimer::singleShot(0, [&] {
            if (COptionDlg* dialog = OpenDialog<COptionDlg>()) return steps(*dialog);
            ADD_FAILURE() << "the options dialog did not open";
        });
        return COptionDlg::Run(MainWndFrame::Instance(), state);
    }

    static OptionsState State() {
        OptionsState state;
        state.listFont = {u"Tahoma", -13, 0};
        state.viewFont = {u"Tahoma", -13, FontStyle::kBold};
        state.hideSim = true;
        return state;
    }
};

TEST_P(OptionsScreen, CancelWritesNothingAndDoneWritesTheAlwaysWrittenSwitches) {
    Start(GetParam());
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kOptionPage, 7));
    const OptionsResult cancelled = Run(State(), [](COptionDlg& dialog) {
        EXPECT_EQ(dialog.Pages()->currentIndex(), 0) << "a page that does not exist opens the first";
        EXPECT_EQ(dialog.Pages()->count(), 4);
        // The page bar reads and shows "Phone&Dial" with its '&', not as a shortcut on the D.
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(dialog.Pages()->tabBar());
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->child(2)->text(QAccessible::Name), "Phone&Dial");
        dialog.Check("Replace System Call History")->setChecked(true);
        dialog.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
    });
    EXPECT_FALSE(cancelled.ok);
    for (const std::u16string_view name : {settings::kCLog, settings::kSCut, settings::kIsTrayVisible}) {
        EXPECT_EQ(Setting(name), 99u) << "Cancel writes nothing";
    }
    EXPECT_EQ(Setting(settings::kOptionPage), 7u);

    const OptionsResult done = Run(State(), [&](COptionDlg& dialog) {
        const char* names[] = {"general", "view", "phone", "skin"};
        for (int page = 0; page < 4; ++page) {
            dialog.Pages()->setCurrentIndex(page);
            ShootWindow(QStringLiteral("options_%1_%2dpi").arg(names[page]).arg(GetParam()));
        }
        EXPECT_EQ(dialog.FontLabel(true)->text(), GetParam() == 192 ? "Tahoma 5 pt" : "Tahoma 10 pt") << "13 pixels in points";
        dialog.Pages()->setCurrentIndex(2);
        QTest::keyClick(dialog.Widget(), Qt::Key_F1);  // Done
    });
    EXPECT_TRUE(done.ok);
    EXPECT_TRUE(done.state.hideSim);
    EXPECT_EQ(Setting(settings::kCLog), 0u)
        << "the phone page is applied (what it writes is its model's test)";
    EXPECT_EQ(Setting(settings::kOptionPage), 2u);
}

TEST_P(OptionsScreen, ChangedChecksAndListsAreApplied) {
    Start(GetParam());
    const OptionsResult done = Run(State(), [](COptionDlg& dialog) {
        dialog.Pages()->setCurrentIndex(1);
        QTest::mouseClick(dialog.Check("Hide contacts from SIM card"), Qt::LeftButton);
        dialog.Check("Show formatted phone number")->setChecked(true);
        dialog.PhoneList(1)->setCurrentIndex(0);  // "Don't show"
        dialog.Check("Show tray icon")->setChecked(false);
        dialog.Send(plat::WM_COMMAND, plat::IDOK, 0);
    });
    EXPECT_TRUE(done.ok);
    EXPECT_FALSE(done.state.hideSim);
    EXPECT_TRUE(done.state.templatesActive);
    EXPECT_EQ(Setting(settings::kDialType), 1u);
    EXPECT_EQ(Setting(settings::kIsTrayVisible), 0u);
    EXPECT_EQ(Setting(settings::kOptionPage), 1u);
}

TEST_P(OptionsScreen, TheAlphabetDialogRefusesACustomTextThatDoesNotParse) {
    Start(GetParam());
    bool stayed = false;
    QString language;
    const OptionsResult done = Run(State(), [&](COptionDlg& dialog) {
        QTimer::singleShot(0, [&] {
            CABCBarDlg* abc = OpenDialog<CABCBarDlg>();
            ASSERT_NE(abc, nullptr);
            abc->Types()->setCurrentIndex(0);
            QTest::keyClicks(abc->CustomText(), "  / ");
            abc->Send(plat::WM_COMMAND, plat::IDOK, 0);
            stayed = abc->IsOpen();
            abc->CustomText()->setText("AB/ab CD/cd");
            ShootWindow(QStringLiteral("options_alphabet_%1dpi").arg(GetParam()));
            abc->Send(plat::WM_COMMAND, plat::IDOK, 0);
        });
        for (QPushButton* button : dialog.Widget()->findChildren<QPushButton*>()) {
            if (button->accessibleName() == "Change alphabet") QTest::mouseClick(button, Qt::LeftButton);
        }
        for (QLabel* label : dialog.Widget()->findChildren<QLabel*>()) {
            if (label->text().startsWith("Language: ")) language = label->text();
        }
        dialog.Send(plat::WM_COMMAND, plat::IDOK, 0);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(language, "Language: Custom");
    EXPECT_EQ(done.state.abc.type, 0u);
    EXPECT_EQ(done.state.abc.custom, u"AB/ab CD/cd");
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, u"Wrong ABC bar custom string format  !");
}

INSTANTIATE_TEST_SUITE_P(Dpi, OptionsScreen, ::testing::Values(96, 192));

}  // namespace
