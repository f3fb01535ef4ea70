// "Edit && Call.." and the calling-card editor driven by keys and taps: a card added through the
// editor shapes the dial string, the editor refuses an empty or reserved name keeping what was
// typed, an empty dial string is refused, and OK dials through the countdown.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "phone/dial/EditCardModel.h"
#include "ui/phone/CEditCardDlg.h"
#include "ui/phone/CEditDialDlg.h"
#include "ui/phone/PhoneScreens.h"

namespace {

class EditDialScreen : public PhoneScreen, public ::testing::WithParamInterface<int> {
protected:
    QString Shot(const char* what) const { return QStringLiteral("phone_%1_%2dpi").arg(what).arg(GetParam()); }

    static Contact Anna() {
        return ContactOf(
            {{kFieldFirst, u"Anna"}, {kFieldWorkPhone, u"+1 (555) 100-2000"}, {kFieldMobile, u"555 3000"}});
    }

    // Runs the card editor opened by `command`: types `name` and `format` over what is there and
    // presses OK (and Cancel when it stays open). Whether it stayed open after OK.
    static bool EditCard(CEditDialDlg& dialog, uint32_t command, const QString& name, const QString& format,
                         QString* sample = nullptr) {
        bool stayed = false;
        WithDialog<CEditCardDlg>([&] { dialog.Send(plat::WM_COMMAND, command, 0); }, [&](CEditCardDlg& editor) {
            editor.NameField()->clear();
            QTest::keyClicks(editor.NameField(), name);
            editor.FormatField()->clear();
            QTest::keyClicks(editor.FormatField(), format);
            if (sample != nullptr) *sample = editor.Sample()->text();
            editor.Send(plat::WM_COMMAND, plat::IDOK, 0);
            stayed = editor.IsOpen();
            if (stayed) {
                EXPECT_EQ(editor.NameField()->text(), name) << "a refused name is kept";
                editor.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
            }
        });
        return stayed;
    }
};

TEST_P(EditDialScreen, CardsShapeTheDialStringAndBadInputIsRefused) {
    Start(GetParam());
    UseToneDialling();
    CEditDialDlg dialog(Anna());
    QTimer::singleShot(0, [&] {
        QComboBox& numbers = *dialog.Numbers();
        ASSERT_EQ(numbers.count(), 2);
        EXPECT_EQ(numbers.itemText(0), "+15551002000") << "numbers are reduced to what can be dialled";
        EXPECT_EQ(dialog.Cards()->item(0)->text(), "Void card");
        EXPECT_FALSE(dialog.EditButton()->isVisible()) << "the built-in card cannot be edited";
        EXPECT_EQ(dialog.DialField()->text(), "+15551002000");

        // Reserved and empty names are refused with their warnings; a good card is selected and used.
        EXPECT_TRUE(EditCard(dialog, CEditDialDlg::kCmdAddCard, "VOID card", "9,,@"));
        EXPECT_TRUE(EditCard(dialog, CEditDialDlg::kCmdAddCard, "", "9,,@"));
        QString sample;
        EXPECT_FALSE(EditCard(dialog, CEditDialDlg::kCmdAddCard, "Office", "9,,--@", &sample));
        EXPECT_EQ(sample, "9,,5551002000") << "the sample follows the format as it is typed";
        EXPECT_EQ(dialog.Cards()->currentItem()->text(), "Office (9,,--@)");
        EXPECT_TRUE(dialog.EditButton()->isVisible());
        EXPECT_EQ(dialog.DialField()->text(), "9,,5551002000");
        numbers.setCurrentIndex(1);
        EXPECT_EQ(dialog.DialField()->text(), "9,,53000");

        // A card without a format is not kept, and the user is told.
        EXPECT_FALSE(EditCard(dialog, CEditDialDlg::kCmdAddCard, "Empty", ""));
        EXPECT_EQ(dialog.Cards()->count(), 2);

        // The keypad edits at the caret.
        const auto press = [&](const QString& key) {
            for (QPushButton* button : dialog.Widget()->findChildren<QPushButton*>()) {
                if (button->text() == key) return QTest::mouseClick(button, Qt::LeftButton);
            }
            ADD_FAILURE() << "no key " << key.toStdString();
        };
        press("<-");
        press("Del");
        press("#");
        EXPECT_EQ(dialog.DialField()->text(), "9,,530#0");
        QTest::keyClicks(dialog.DialField(), "ab");
        EXPECT_EQ(dialog.DialField()->text(), "9,,530#0") << "letters are not dial characters";
        ShootWindow(Shot("edit_and_call"));

        // An empty dial string is refused and the dialog stays.
        dialog.DialField()->clear();
        dialog.Send(plat::WM_COMMAND, plat::IDOK, 0);
        EXPECT_TRUE(dialog.IsOpen());
        dialog.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(*MainWndFrame::Instance().Contacts()), plat::IDCANCEL);
    std::vector<std::u16string> texts;
    for (const RecordedBox& box : boxes_.Boxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"\"Card Name\" is wrong !", u"\"Card Name\" is empty !",
                                                  u"\"Card Format String\" is empty !",
                                                  u"\"Dial string\" is empty !"}));
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kDefCard, u"").View(), u"") << "Cancel remembers no card";
    EXPECT_TRUE(Played().empty());
}

TEST_P(EditDialScreen, OkRemembersTheCardAndDialsTheStringAsTones) {
    Start(GetParam());
    EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialupMode, kDialJustCall));
    CEditDialDlg dialog(Anna());
    bool counted = false;
    QTimer::singleShot(0, [&] {
        EditCard(dialog, CEditDialDlg::kCmdAddCard, "Short", "@--");
        dialog.Numbers()->setCurrentIndex(1);
        EXPECT_EQ(dialog.DialField()->text(), "55530");
        dialog.SoundBox()->setChecked(true);
        WithDialog<DialCountdownDlg>([&] { dialog.Send(plat::WM_COMMAND, plat::IDOK, 0); }, [&](DialCountdownDlg&) {
            counted = true;  // left to run out
        });
    });
    EXPECT_EQ(dialog.DoModal(*MainWndFrame::Instance().Contacts()), plat::IDOK);
    EXPECT_TRUE(counted) << "Sound dial goes through the countdown whatever the stored method";
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kDefCard, u"").View(), u"Short (@--)");
    std::vector<std::string> tones;
    for (const std::string& line : Played()) tones.push_back(line.substr(line.rfind("tone")));
    EXPECT_EQ(tones, (std::vector<std::string>{"tone177\t160", "tone177\t160", "tone177\t160", "tone175\t160", "tone172\t160"}));
}

INSTANTIATE_TEST_SUITE_P(Dpi, EditDialScreen, ::testing::Values(96, 192));

}  // namespace
