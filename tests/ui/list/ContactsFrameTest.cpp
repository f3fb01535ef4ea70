// The contacts frame driven as a person drives it: typing, the keypad, the list's keys and taps,
// the context menu, the Talk key, the filter menu; what the list then shows is read through the
// accessibility interfaces, what the stand-ins were asked from the device's program log.
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "ListScreen.h"
#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "phone/PhoneTestSupport.h"
#include "screen/list/FrameCommands.h"
#include "ui/list/DataFolderDlg.h"
#include "ui/toolkit/Keys.h"

namespace {

class ContactsScreen : public ListScreen {
protected:
    ContactsFrame& StartWithContacts(int dpi = 96) {
        ContactsFrame& frame = Start(dpi);
        anna = Add({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldMobile, u"+1 555 123 4567"},
                    {kFieldEmail1, u"anna@example.com"}});
        annandale = Add({{kFieldFirst, u"Joanne"}, {kFieldLast, u"Annandale"}, {kFieldCompany, u"Acme"}, {kFieldJobTitle, u"Buyer"}});
        joanne = Add({{kFieldFirst, u"Joanne"}, {kFieldLast, u"Smith"}, {kFieldCompany, u"Acme"}, {kFieldWorkPhone, u"5551234567"}});
        kate = Add({{kFieldFirst, u"Kate"}, {kFieldWorkPhone, u"555 2000"}});
        lana = Add({{kFieldFirst, u"Lana"}, {kFieldCompany, u"Zeta"}});
        alan = Add({{kFieldFirst, u"Alan"}});
        return frame;
    }

    // One line per contact, names only: a row reads as the contact's name.
    static void NamesOnly(ContactsFrame& frame) {
        frame.OnCommand(framecmd::kOneLine, 0);
        frame.OnCommand(framecmd::kShowOnlyName, 0);
    }

    static QWidget& ListWidget(ContactsFrame& frame) { return *frame.List().Window().Widget(); }

    uint32_t anna = 0, annandale = 0, joanne = 0, kate = 0, lana = 0, alan = 0;
};

TEST_F(ContactsScreen, TypingAndTheKeypadNarrowTheList) {
    ContactsFrame& frame = StartWithContacts();
    NamesOnly(frame);
    QLineEdit& box = *frame.SearchBox().Edit();
    QTest::keyClicks(&box, "ann");
    EXPECT_EQ(Rows(frame), (QStringList{"Annandale, Joanne", "Smith, Anna"})) << "a word's prefix, not a substring";
    const int current = frame.List().Window().Selected();
    ASSERT_GE(current, 0);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&ListWidget(frame));
    EXPECT_EQ(list->text(QAccessible::Name), Rows(frame).at(current)) << "the current row is read out";
    EXPECT_TRUE(list->child(current)->state().selected);
    EXPECT_FALSE(list->child(1 - current)->state().selected);
    QTest::keyClicks(&box, " smi");
    EXPECT_EQ(Rows(frame), QStringList{"Smith, Anna"});

    // Letters typed in the list go on in the search box, which takes the focus.
    frame.ClearSearch();
    ListWidget(frame).setFocus();
    QTest::keyClicks(&ListWidget(frame), "ka");
    EXPECT_EQ(box.text(), "ka");
    EXPECT_TRUE(box.hasFocus());
    EXPECT_EQ(Rows(frame), QStringList{"Kate"});

    // The keypad's 5 (JKL) and 2 (ABC): words starting with a letter of each group in turn.
    frame.ClearSearch();
    ListWidget(frame).setFocus();
    QTest::keyClick(&ListWidget(frame), Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(&ListWidget(frame), Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(box.text(), "J-A");
    EXPECT_EQ(Rows(frame), (QStringList{"Kate", "Lana"}));
    ASSERT_NE(frame.BigBar().ButtonOf(1), nullptr);
    EXPECT_TRUE(frame.BigBar().ButtonOf(1)->isChecked()) << "the last pressed group's key, ABC";
    EXPECT_FALSE(frame.BigBar().ButtonOf(4)->isChecked());
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "J") << "backspace takes the last group away";
    QTest::mouseClick(frame.BigBar().ButtonOf(9), Qt::LeftButton);
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(Rows(frame).size(), 6);
}

TEST_F(ContactsScreen, FocusMovesBetweenTheBoxAndTheListAndHeldKeysDoNotPileUp) {
    ContactsFrame& frame = StartWithContacts();
    QLineEdit& box = *frame.SearchBox().Edit();
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_TRUE(ListWidget(frame).hasFocus());
    QTest::keyClick(&ListWidget(frame), Qt::Key_Home);
    QTest::keyClick(&ListWidget(frame), Qt::Key_Down);
    EXPECT_EQ(frame.List().Window().Selected(), 1);
    QTest::keyClick(&ListWidget(frame), Qt::Key_Up);
    EXPECT_TRUE(ListWidget(frame).hasFocus()) << "Up on the second row moves the row";
    QTest::keyClick(&ListWidget(frame), Qt::Key_Up);
    EXPECT_TRUE(box.hasFocus()) << "Up on the first row goes to the search box";
    QTest::keyClicks(&box, "x");
    QTest::keyClick(&box, Qt::Key_Left);
    EXPECT_TRUE(box.hasFocus()) << "Left inside the text moves the caret";
    QTest::keyClick(&box, Qt::Key_Left);
    EXPECT_TRUE(ListWidget(frame).hasFocus()) << "Left at the text's start goes to the list";

    // Held down, the list moves one row for each key it handles.
    frame.ClearSearch();
    ListWidget(frame).setFocus();
    QTest::keyClick(&ListWidget(frame), Qt::Key_Home);
    for (int repeat = 0; repeat < 20; ++repeat) {
        QCoreApplication::postEvent(&ListWidget(frame), new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, {}, true));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.List().Window().Selected(), 1) << "the waiting repeats are dropped, not piled up";
}

TEST_F(ContactsScreen, SortOrdersAndCompanyGroups) {
    ContactsFrame& frame = StartWithContacts();
    NamesOnly(frame);
    frame.OnCommand(framecmd::kSortCompany, 0);
    QStringList rows = Rows(frame);
    const int acme = static_cast<int>(rows.indexOf("Acme (2), expanded"));
    ASSERT_GE(acme, 0) << rows.join(" | ").toStdString();
    EXPECT_EQ(rows.mid(acme + 1, 2), (QStringList{"Annandale, Joanne", "Smith, Joanne"}));

    // The header is tapped where it is drawn (a shorter list may scroll).
    const auto tapHeader = [&] {
        QTest::mouseClick(&ListWidget(frame), Qt::LeftButton, {}, frame.List().Window().RowRect(acme).center());
    };
    tapHeader();
    rows = Rows(frame);
    EXPECT_EQ(rows.at(acme), "Acme (2), collapsed");
    EXPECT_FALSE(rows.contains("Smith, Joanne"));
    tapHeader();
    EXPECT_TRUE(Rows(frame).contains("Smith, Joanne"));

    frame.OnCommand(framecmd::kSortName, 0);
    EXPECT_EQ(Rows(frame), (QStringList{"Alan", "Annandale, Joanne", "Kate", "Lana", "Smith, Anna", "Smith, Joanne"}));
}

TEST_F(ContactsScreen, ContextMenuCallsAndDeletes) {
    ContactsFrame& frame = StartWithContacts();
    NamesOnly(frame);
    CoolList& list = frame.List().Window();
    const int row = static_cast<int>(Rows(frame).indexOf("Smith, Anna"));
    ASSERT_GE(row, 0);
    const auto holdOn = [&] { QTest::mouseClick(list.Widget(), Qt::RightButton, {}, list.RowRect(row).center()); };

    QStringList items, numbers;
    EXPECT_TRUE(WithPopup(holdOn, [&](QMenu& menu) {
        items = Texts(menu);
        QMenu* call = OpenSubmenu(menu, "Call Phone");
        ASSERT_NE(call, nullptr);
        numbers = Texts(*call);
        call->setActiveAction(call->actions().front());
        QTest::keyClick(call, Qt::Key_Return);
    }));
    EXPECT_EQ(items.mid(0, 4), (QStringList{"Anna Smith", "-", "Call Phone", "Edit && Call.."}))
        << "the menu's items are the model's";
    ASSERT_EQ(numbers.size(), 1);
    EXPECT_TRUE(numbers.front().startsWith("Mobile\t")) << numbers.front().toStdString();
    const std::vector<std::string> calls = Calls(device_, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls.front().find("Smith, Anna"), std::string::npos) << calls.front();

    // Delete asks first (what No keeps is the model's test); Yes takes the row and the contact away.
    boxes_.Answer(plat::IDYES);
    EXPECT_TRUE(WithPopup(holdOn, [&](QMenu& menu) { Choose(menu, "Delete"); }));
    EXPECT_FALSE(Rows(frame).contains("Smith, Anna"));
    EXPECT_EQ(boxes_.Boxes().size(), 1u);
    Contact gone;
    EXPECT_FALSE(MainWndFrame::Instance().Clients()->GetContact(anna, gone));
}

// Without a pointer: the Menu key and Shift+F10 (in the list and in the search box) and the action
// key held open the current row's menu; Ctrl+Space and a tap with Ctrl held mark rows, and the
// menu then offers what acts on several contacts.
TEST_F(ContactsScreen, KeysOpenTheContextMenuAndMarkRows) {
    ContactsFrame& frame = StartWithContacts();
    NamesOnly(frame);
    CoolList& list = frame.List().Window();
    QWidget& widget = ListWidget(frame);
    QLineEdit& box = *frame.SearchBox().Edit();
    const int row = static_cast<int>(Rows(frame).indexOf("Smith, Anna"));
    ASSERT_GE(row, 0);
    list.SetSelected(row);
    int menus = 0;
    const auto menuOf = [&](const std::function<void()>& open) {
        QStringList items;
        EXPECT_TRUE(WithPopup(open, [&](QMenu& menu) {
            items = Texts(menu);
            ++menus;
            menu.close();
        }));
        return items;
    };
    const QStringList annas =
        menuOf([&] { QTest::mouseClick(&widget, Qt::RightButton, {}, list.RowRect(row).center()); });
    ASSERT_FALSE(annas.isEmpty());
    EXPECT_EQ(annas.front(), "Anna Smith");
    widget.setFocus();
    EXPECT_EQ(menuOf([&] { QTest::keyClick(&widget, Qt::Key_Menu); }), annas);
    EXPECT_EQ(menuOf([&] { QTest::keyClick(&widget, Qt::Key_F10, Qt::ShiftModifier); }), annas);
    EXPECT_EQ(menuOf([&] { QTest::keyClick(&box, Qt::Key_F10, Qt::ShiftModifier); }), annas)
        << "the search box hands the keyboard's menu request to the list";
    const int before = menus;
    EXPECT_EQ(menuOf([&] {
                  QTest::keyPress(&widget, Qt::Key_Return);
                  (void)WaitFor([&] { return menus > before; }, 3000);
              }),
              annas)
        << "the action key held";
    QTest::keyRelease(&widget, Qt::Key_Return);
    EXPECT_EQ(list.Selected(), row) << "the release after the menu opens nothing";

    // Two rows marked, one by key and one by a tap with Ctrl: the menu of several contacts.
    QTest::keyClick(&widget, Qt::Key_Space, Qt::ControlModifier);
    const int other = static_cast<int>(Rows(frame).indexOf("Kate"));
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::ControlModifier, list.RowRect(other).center());
    EXPECT_EQ(frame.Model().List().SelectedOids(), (std::vector<uint32_t>{kate, anna}));
    const QStringList several = menuOf([&] { QTest::keyClick(&widget, Qt::Key_Menu); });
    EXPECT_TRUE(several.contains("Delete")) << several.join(" | ").toStdString();
    EXPECT_FALSE(several.contains("Call Phone")) << several.join(" | ").toStdString();
    // Ctrl+Space again takes the mark off: one contact's menu again.
    QTest::keyClick(&widget, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(frame.Model().List().SelectedOids(), std::vector<uint32_t>{anna});
}

// "Set Data Folder Location...": the picker walks the device's folders by keys, the name typed is
// the new folder inside the one shown, and after Yes the data files are there and FolderPath
// names it.
TEST_F(ContactsScreen, TheDataFolderPickerMovesTheDataFiles) {
    ContactsFrame& frame = Start();
    const std::filesystem::path old = device_.Host(u"\\My Documents\\Brevane Files\\Contact template.tpl");
    std::filesystem::create_directories(old.parent_path());
    std::ofstream(old) << "template";
    std::filesystem::create_directories(device_.Host(u"\\Storage Card"));
    boxes_.Answer(plat::IDYES);
    QStringList rootRows;
    EXPECT_TRUE(WithDialog<DataFolderDlg>(
        [] { return OpenDialog<DataFolderDlg>(); }, [&] { frame.OnCommand(framecmd::kSetDataFolder, 0); },
        [&](DataFolderDlg& picker) {
            QListWidget& folders = *picker.Folders();
            EXPECT_EQ(picker.Shown(), u"\\My Documents");
            EXPECT_EQ(folders.currentRow(), 0) << "the first row goes up";
            QTest::keyClick(&folders, Qt::Key_Return);
            EXPECT_EQ(picker.Shown(), u"\\");
            for (int row = 0; row < folders.count(); ++row) rootRows << folders.item(row)->text();
            const int card = static_cast<int>(rootRows.indexOf("Storage Card"));
            ASSERT_GT(card, 0) << rootRows.join(" | ").toStdString();
            folders.setCurrentRow(card);
            QTest::keyClick(&folders, Qt::Key_Return);
            EXPECT_EQ(picker.Shown(), u"\\Storage Card");
            EXPECT_EQ(picker.Name()->text(), "Brevane Files");
            ShootWindow(QStringLiteral("data_folder_picker"));
            picker.Name()->selectAll();
            QTest::keyClicks(picker.Name(), "Data");
            QTest::keyClick(picker.Name(), Qt::Key_Return);
        }));
    EXPECT_TRUE(rootRows.contains("My Documents")) << rootRows.join(" | ").toStdString();
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kFolderPath, u""),
              u"\\Storage Card\\Data");
    EXPECT_TRUE(std::filesystem::exists(device_.Host(u"\\Storage Card\\Data\\Contact template.tpl")));
    EXPECT_FALSE(std::filesystem::exists(old));
    EXPECT_EQ(frame.Status(), "Data files moved to \\Storage Card\\Data");
}

// The phone panel shows the current contact's default number whether the rows show numbers or
// names only, before and after the switch.
TEST_F(ContactsScreen, ThePhonePanelKeepsTheNumberWithNamesOnly) {
    ContactsFrame& frame = StartWithContacts();
    frame.OnCommand(framecmd::kShowPhonePanel, 0);
    QTest::keyClicks(frame.SearchBox().Edit(), "kate");
    ASSERT_EQ(frame.Model().List().SelectedOid(), kate);
    const QStringList shown = frame.PhonePanel().Lines();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().endsWith("W 555 2000")) << shown.front().toStdString();
    frame.OnCommand(framecmd::kShowOnlyName, 0);
    EXPECT_EQ(frame.PhonePanel().Lines(), shown) << "names only in the rows";
    frame.OnCommand(framecmd::kShowOnlyName, 0);
    EXPECT_EQ(frame.PhonePanel().Lines(), shown);
}

TEST_F(ContactsScreen, TalkCallsTheCurrentContactsDefaultNumber) {
    ContactsFrame& frame = StartWithContacts();
    // The phone chooser is never offered: Talk calls the default number at once.
    EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialType, 1));
    QTest::keyClicks(frame.SearchBox().Edit(), "kate");
    ASSERT_EQ(frame.Model().List().SelectedOid(), kate);
    QTest::keyClick(frame.SearchBox().Edit(), Qt::Key_F3);
    EXPECT_TRUE(WaitFor([&] { return frame.Status() == "Called Kate"; })) << frame.Status().toStdString();
    const std::vector<std::string> calls = Calls(device_, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls.front().find("\t555 2000\t"), std::string::npos) << calls.front();
}

TEST_F(ContactsScreen, FilterMenuOffersTheCategoriesInUse) {
    ContactsFrame& frame = StartWithContacts();
    NamesOnly(frame);
    CategoryManager* categories = CategoryManager::Instance();
    ASSERT_NE(categories, nullptr);
    uint32_t friends = 0;
    ASSERT_EQ(categories->AddCategory(u"Friends", friends), CategoryManager::kAddCreated);
    // Filed as the editor files it: the contact saved with its categories, so the index learns them.
    Contact contact = Stored(kate);
    contact.categories.Add(friends);
    ASSERT_TRUE(MainWndFrame::Instance().Clients()->UpdateContact(contact, false).Complete());
    ContactManager& manager = ContactManager::Instance();
    ASSERT_TRUE(WaitFor([&] { return manager.NotificationsDelivered(); }));
    manager.FlushQueue();  // the index takes the change now rather than after the quiet time

    QToolButton& button = *frame.FilterButton();
    EXPECT_EQ(button.accessibleName(), "All Contacts");
    QStringList items;
    QString whileOpen;
    EXPECT_TRUE(WithPopup([&] { frame.RunFilterMenu(); }, [&](QMenu& menu) {
        items = Texts(menu);
        whileOpen = button.text();
        menu.close();
    }));
    EXPECT_EQ(items, (QStringList{"Recent", "All Contacts", "No Categories", "Friends", "More..."}));
    EXPECT_EQ(whileOpen, "View");
    EXPECT_EQ(button.accessibleName(), "All Contacts") << "the label again once the menu closed";

    // A category chosen with a tap filters the list and names the button; "No Categories" then
    // shows every contact but the one filed under it.
    const int everyone = static_cast<int>(Rows(frame).size());
    EXPECT_TRUE(WithPopup([&] { frame.RunFilterMenu(); }, [&](QMenu& menu) { Choose(menu, "Friends"); }));
    EXPECT_EQ(Rows(frame), QStringList{"Kate"});
    EXPECT_EQ(button.accessibleName(), "Friends");
    EXPECT_TRUE(WithPopup([&] { frame.RunFilterMenu(); }, [&](QMenu& menu) { Choose(menu, "No Categories"); }));
    EXPECT_EQ(Rows(frame).size(), everyone - 1);
    EXPECT_FALSE(Rows(frame).contains("Kate"));
    EXPECT_EQ(button.accessibleName(), "No Categories");
}

TEST_F(ContactsScreen, SwitchShowsAndSelectsAHiddenContact) {
    ContactsFrame& frame = StartWithContacts();
    QTest::keyClicks(frame.SearchBox().Edit(), "kate");
    uint32_t viewed = 0;
    EXPECT_TRUE(WithView(frame, [&] { frame.ShowContact(lana); }, [&](ContactViewDlg& view) {
        viewed = view.Shown().GetOid();
        QTest::keyClick(view.List().Widget(), Qt::Key_F4);
    }));
    EXPECT_EQ(viewed, lana) << "the switch opens the contact's full view";
    EXPECT_EQ(frame.OpenView(), nullptr) << "End closes it";
    EXPECT_EQ(frame.Model().List().SelectedOid(), lana) << "the search that hid it is cleared";
    EXPECT_EQ(frame.SearchBox().Text(), "");
    EXPECT_EQ(frame.Preview().Shown().GetOid(), lana) << "the preview follows the current row";
}

}  // namespace
