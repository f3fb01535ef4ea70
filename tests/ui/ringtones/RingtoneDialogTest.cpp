// The category ringtones dialog by its rows and commands: the default row cannot be unchecked, a
// changed ringtone and an unchecked group are stored together on OK, and Cancel stores nothing
// (the check states themselves are the model's, tested with the call filter);
// ringtones are chosen from the device's sounds (played as the selection moves) or any other
// file of the device, and a file that cannot be played is refused with nothing changed.
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

#include "categories/ringtones/BuiltinRingtones.h"
#include "categories/ringtones/CallFilter.h"
#include "categories/ringtones/RingtoneManager.h"
#include "core/res/ResourceStrings.h"
#include "platform/sound/Wave.h"
#include "screen/list/FrameCommands.h"
#include "support/HostFiles.h"
#include "ui/phone/PhoneScreens.h"
#include "ui/ringtones/CatRingtoneList.h"
#include "ui/ringtones/ChangeRingtoneDlg.h"
#include "ui/ringtones/RingtonesPickerDlg.h"
#include "ui/toolkit/PopupMenu.h"

namespace {

// A 200 ms sound on the device.
void WriteWave(const TempDevice& device, std::u16string_view devicePath) {
    const std::vector<int16_t> samples(1600, 0);
    ASSERT_TRUE(WriteHostFile(device.Host(devicePath), plat::BuildMonoWave(samples, 8000)));
}

// The ringtone dialog with sounds on the device; PhoneScreen reads the sounds played.
class SoundPickerScreen : public PhoneScreen, public ::testing::WithParamInterface<int> {
protected:
    static std::string PlayLine(const char* path) { return std::string("coredll.dll\tPlaySound\t") + path + "\t200"; }
    size_t BoxCount() const { return boxes_.Boxes().size(); }
    std::u16string LastBox() const { return boxes_.Boxes().empty() ? u"" : boxes_.Boxes().back().text; }
    static QStringList Names(QListWidget& list) {
        QStringList names;
        for (int row = 0; row < list.count(); ++row) names << list.item(row)->text();
        return names;
    }
    // Runs the ringtone dialog; `onOpen` drives it and ends it.
    static int RunRingtones(const std::function<void(CatRingtoneList&)>& onOpen) {
        CallFilter filter;
        filter.Load();
        CatRingtoneList dialog(filter);
        int result = 0;
        EXPECT_TRUE(WithDialog<CatRingtoneList>([&] { result = dialog.DoModal(*MainWndFrame::Instance().Contacts()); },
                                                onOpen));
        return result;
    }
    static Str StoredDefaultRingtone() {
        RingtoneManager ringtones;
        ringtones.Load();
        Array<Str> names, paths;
        names.Add(RequireStr(41441));
        ringtones.RingtonesFor(names, paths);
        return paths[0];
    }
};

TEST_P(SoundPickerScreen, ARingtoneIsPickedByKeysHeardAndStoredWithItsFolder) {
    Start(GetParam());
    WriteWave(device_, u"\\Windows\\Rings\\Bell.wav");
    WriteWave(device_, u"\\Windows\\Rings\\Alarm.wav");
    WriteWave(device_, u"\\My Documents\\Tunes\\Mine.wav");
    std::vector<QString> offered;  // what the file dialog was asked to open
    QString answer;
    RingtonesPickerDlg::SetFileChooser([&](QWidget*, const QString& start) {
        offered.push_back(start);
        return answer;
    });
    const QString dpi = QString::number(GetParam());
    int32_t uncheckedId = 0;
    const int result = RunRingtones([&](CatRingtoneList& list) {
        QTreeWidget& rows = *list.Rows();
        ASSERT_GE(rows.topLevelItemCount(), 2);
        rows.topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        EXPECT_EQ(rows.topLevelItem(0)->checkState(0), Qt::Checked) << "the default row stays checked";
        rows.topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        uncheckedId = list.Model().Rows()[1].id;
        rows.setCurrentItem(rows.topLevelItem(0));
        EXPECT_TRUE(WithDialog<ChangeRingtoneDlg>([&] { list.Send(plat::WM_COMMAND, CatRingtoneList::kCmdChange, 0); },
                                                  [&](ChangeRingtoneDlg& change) {
            EXPECT_TRUE(WithDialog<RingtonesPickerDlg>([&] { change.Send(plat::WM_COMMAND, ChangeRingtoneDlg::kCmdChoose, 0); },
                                                       [&](RingtonesPickerDlg& picker) {
                QListWidget& files = *picker.Files();
                EXPECT_EQ(Names(files), (QStringList{"Alarm.wav", "Bell.wav"}));
                EXPECT_EQ(files.currentRow(), 0);
                // A screen reader reads each file's name and, as its description, its path.
                QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&files);
                ASSERT_NE(list, nullptr);
                EXPECT_EQ(list->text(QAccessible::Name), "Ringtones");
                ASSERT_EQ(list->childCount(), 2);
                EXPECT_EQ(list->child(1)->text(QAccessible::Name), "Bell.wav");
                EXPECT_EQ(list->child(1)->text(QAccessible::Description), "\\Windows\\Rings\\Bell.wav");
                EXPECT_TRUE(Played().empty()) << "nothing plays before a row is chosen";
                QTest::keyClick(&files, Qt::Key_Down);
                QTest::keyClick(&files, Qt::Key_Up);
                QTest::keyClick(&files, Qt::Key_Down);
                EXPECT_EQ(Played(), (std::vector<std::string>{PlayLine("\\Windows\\Rings\\Bell.wav"),
                                                              PlayLine("\\Windows\\Rings\\Alarm.wav"),
                                                              PlayLine("\\Windows\\Rings\\Bell.wav")}));
                ShootWindow("ringtone_picker_" + dpi + "dpi");

                // Files from the file dialog: one off the device, one missing, one good.
                answer = QStringLiteral("/etc/passwd");
                picker.Send(plat::WM_COMMAND, RingtonesPickerDlg::kCmdOtherFile, 0);
                EXPECT_NE(LastBox().find(u"is not on the device"), std::u16string::npos);
                answer = QString::fromStdString(device_.Host(u"\\My Documents\\Tunes\\Gone.wav").string());
                picker.Send(plat::WM_COMMAND, RingtonesPickerDlg::kCmdOtherFile, 0);
                EXPECT_NE(LastBox().find(u"does not exist"), std::u16string::npos);
                EXPECT_EQ(files.count(), 2) << "a refused file is not listed";
                EXPECT_EQ(files.currentItem()->text(), "Bell.wav") << "a refused file leaves the selection";
                answer = QString::fromStdString(device_.Host(u"\\My Documents\\Tunes\\Mine.wav").string());
                picker.Send(plat::WM_COMMAND, RingtonesPickerDlg::kCmdOtherFile, 0);
                EXPECT_EQ(files.currentItem()->text(), "Mine.wav");
                EXPECT_EQ(Played().back(), PlayLine("\\My Documents\\Tunes\\Mine.wav"));
                QTest::keyClick(&files, Qt::Key_Return);  // takes it
            }));
            EXPECT_EQ(change.Field()->text(), "\\My Documents\\Tunes\\Mine.wav");
            ShootWindow("ringtone_change_" + dpi + "dpi");
            change.Send(plat::WM_COMMAND, plat::IDOK, 0);
        }));
        EXPECT_EQ(rows.topLevelItem(0)->text(1), "\\My Documents\\Tunes\\Mine.wav");
        ShootWindow("ringtones_" + dpi + "dpi");
        list.Send(plat::WM_COMMAND, plat::IDOK, 0);
    });
    RingtonesPickerDlg::SetFileChooser({});
    EXPECT_EQ(result, plat::IDOK);
    EXPECT_EQ(BoxCount(), 2u);
    EXPECT_EQ(StoredDefaultRingtone(), Str(u"\\My Documents\\Tunes\\Mine.wav"));
    CallFilter stored;
    stored.Load();
    EXPECT_FALSE(stored.IsEnabled(uncheckedId)) << "the unchecked group is stored with the ringtone";
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kLastSoundPath, u""), Str(u"\\My Documents\\Tunes"));
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(std::filesystem::path(offered[0].toStdString()), device_.Host(u"\\My Documents"));
}

INSTANTIATE_TEST_SUITE_P(Dpi, SoundPickerScreen, ::testing::Values(96, 192));

TEST_F(SoundPickerScreen, AFileThatCannotBePlayedIsRefusedAndNothingChanges) {
    Start();
    WriteWave(device_, u"\\Windows\\Rings\\Bell.wav");
    const int result = RunRingtones([&](CatRingtoneList& list) {
        list.Rows()->setCurrentItem(list.Rows()->topLevelItem(0));
        list.Send(plat::WM_COMMAND, CatRingtoneList::kCmdPlay, 0);
        EXPECT_NE(LastBox().find(u"has no ringtone of its own"), std::u16string::npos);
        EXPECT_TRUE(WithDialog<ChangeRingtoneDlg>([&] { list.Send(plat::WM_COMMAND, CatRingtoneList::kCmdChange, 0); },
                                                  [&](ChangeRingtoneDlg& change) {
            // A typed path is checked on OK: the dialog stays open with what was typed.
            for (const char* bad : {"\\Windows\\Rings\\Gone.wav", "\\Windows\\registry.db"}) {
                change.Field()->setText(bad);
                change.Send(plat::WM_COMMAND, plat::IDOK, 0);
                EXPECT_TRUE(change.IsOpen());
                EXPECT_EQ(change.Field()->text(), bad);
            }
            EXPECT_NE(LastBox().find(u"is not a sound the device can play"), std::u16string::npos);
            change.Field()->setText("\\Windows\\Rings\\Bell.wav");
            change.Send(plat::WM_COMMAND, plat::IDOK, 0);
        }));
        list.Send(plat::WM_COMMAND, CatRingtoneList::kCmdPlay, 0);
        EXPECT_EQ(Played(), std::vector<std::string>{PlayLine("\\Windows\\Rings\\Bell.wav")});
        // The file goes away: playing it says so, and Cancel keeps the stored state.
        std::filesystem::remove(device_.Host(u"\\Windows\\Rings\\Bell.wav"));
        list.Send(plat::WM_COMMAND, CatRingtoneList::kCmdPlay, 0);
        EXPECT_NE(LastBox().find(u"does not exist"), std::u16string::npos);
        list.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
    });
    EXPECT_EQ(result, plat::IDCANCEL);
    EXPECT_EQ(BoxCount(), 4u);
    EXPECT_TRUE(StoredDefaultRingtone().IsEmpty());
    EXPECT_TRUE(SettingsStore::ReadString(settings::kSettings, settings::kLastSoundPath, u"").IsEmpty());
}

// "Set Contact Ringtone" picks the selected contact's own ringtone; Cancel keeps the one it has.
TEST_F(SoundPickerScreen, AContactsOwnRingtoneIsPickedAndSaved) {
    ContactsFrame& frame = Start();
    WriteWave(device_, u"\\Windows\\Rings\\Alarm.wav");
    WriteWave(device_, u"\\Windows\\Rings\\Bell.wav");
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldRingtone, u"\\Windows\\Rings\\Bell.wav"}});
    QTest::keyClick(frame.List().Window().Widget(), Qt::Key_Home);  // selects her
    const auto stored = [&] { return std::u16string(Stored(anna).GetText(kFieldRingtone).View()); };
    for (const Qt::Key end : {Qt::Key_F4, Qt::Key_Return}) {
        EXPECT_TRUE(WithDialog<RingtonesPickerDlg>([&] { frame.OnCommand(framecmd::kSetRingtone, 0); },
                                                   [&](RingtonesPickerDlg& picker) {
            EXPECT_EQ(picker.Files()->currentItem()->text(), "Bell.wav") << "the contact's ringtone is preselected";
            QTest::keyClick(picker.Files(), Qt::Key_Up);
            QTest::keyClick(picker.Files(), end);
        }));
        WaitFor([&] { return stored() != u"\\Windows\\Rings\\Bell.wav"; }, end == Qt::Key_Return ? 5000 : 200);
        EXPECT_EQ(stored(), end == Qt::Key_Return ? u"\\Windows\\Rings\\Alarm.wav" : u"\\Windows\\Rings\\Bell.wav");
    }
}

// A fresh device's picker offers its built-in ringtones, and one is taken for a contact.
TEST_F(SoundPickerScreen, AFreshDeviceOffersItsBuiltinRingtones) {
    ContactsFrame& frame = Start();
    ASSERT_TRUE(InstallBuiltinRingtones(device_.Device()));
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}});
    QTest::keyClick(frame.List().Window().Widget(), Qt::Key_Home);
    QStringList expected;
    for (const std::u16string_view name : BuiltinRingtoneNames()) expected << QString::fromStdU16String(std::u16string(name));
    expected.sort(Qt::CaseInsensitive);
    EXPECT_TRUE(WithDialog<RingtonesPickerDlg>([&] { frame.OnCommand(framecmd::kSetRingtone, 0); },
                                               [&](RingtonesPickerDlg& picker) {
        EXPECT_EQ(Names(*picker.Files()), expected);
        ShootWindow("ringtone_picker_builtin_96dpi");
        picker.Files()->setCurrentRow(1);
        QTest::keyClick(picker.Files(), Qt::Key_Return);
    }));
    EXPECT_TRUE(WaitFor([&] { return !Stored(anna).GetText(kFieldRingtone).IsEmpty(); }));
    EXPECT_EQ(ToQString(Stored(anna).GetText(kFieldRingtone)), "\\Windows\\Rings\\" + expected[1]);
}

}  // namespace
