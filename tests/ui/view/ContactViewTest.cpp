// The contact view driven as a person drives it: the preview pane beside the list follows the
// current row and acts on the line tapped; the full-screen view opens from a row, steps through
// the list with Left and Right and ends with its soft keys or a key. What the pane shows is read
// through accessibility; what the device was asked to do, from its program log.
#include <QLineEdit>

#include "phone/PhoneTestSupport.h"
#include "screen/list/FrameCommands.h"
#include "store/contact/ContactPicture.h"
#include "support/HostFiles.h"
#include "ui/list/ListScreen.h"
#include "ui/view/ContactViewDlg.h"

namespace {

class ContactView : public ListScreen {
protected:
    ContactsFrame& StartWithContacts(int dpi = 96) {
        ContactsFrame& frame = Start(dpi);
        anna = Add({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldMobile, u"+1 555 123 4567"},
                    {kFieldEmail1, u"anna@example.com"}, {kFieldJobTitle, u"Pilot"}, {kFieldCompany, u"Acme"}});
        kate = Add({{kFieldFirst, u"Kate"}, {kFieldWorkPhone, u"555 2000"}});
        lana = Add({{kFieldCompany, u"Lana Zeta"}});
        if (!frame.Preview().Widget()->isVisible()) frame.OnCommand(framecmd::kPreview, 0);
        EXPECT_TRUE(frame.Preview().Widget()->isVisible());
        return frame;
    }

    static void Select(ContactsFrame& frame, uint32_t oid) {
        const int row = frame.Model().List().RowOf(oid);
        ASSERT_GE(row, 0);
        CoolList& list = frame.List().Window();
        list.SetSelected(row);  // scrolled into view, as a person scrolls to it
        list.Widget()->setFocus();
        QTest::mouseClick(list.Widget(), Qt::LeftButton, {}, list.RowRect(row).center());
    }

    // What a screen reader reads of the pane: every item, one a line.
    static QString ReadOut(ContactViewDlg& view) {
        QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(view.List().Widget());
        return pane != nullptr ? pane->text(QAccessible::Name) : QString();
    }

    static int LineWith(RichList& list, const QString& text) {
        for (int line = 0; line < list.LineCount(); ++line) {
            if (list.LineText(line).contains(text)) return line;
        }
        return -1;
    }

    static void Tap(RichList& list, int line) {
        QTest::mouseClick(list.Widget(), Qt::LeftButton, {}, list.LineRect(line).center());
    }

    uint32_t anna = 0, kate = 0, lana = 0;
};

TEST_F(ContactView, PreviewFollowsTheCurrentRowAndShowsValuesAsTyped) {
    ContactsFrame& frame = StartWithContacts();
    Select(frame, anna);
    ContactViewDlg& pane = frame.Preview();
    EXPECT_EQ(pane.Shown().GetOid(), anna);
    const QString read = ReadOut(pane);
    EXPECT_TRUE(read.startsWith("Anna Smith Pilot\nAcme\n")) << "bold name, job title, company on the next line: "
                                                             << read.toStdString();
    EXPECT_TRUE(read.contains("\nMobile: +1 555 123 4567")) << read.toStdString();
    EXPECT_TRUE(read.contains("\nE-mail: anna@example.com")) << read.toStdString();
    Select(frame, lana);
    EXPECT_EQ(ReadOut(pane), "Lana Zeta") << "a company without a name heads the view alone";

    // Any script, emoji and direction, and text that looks like markup, reach the screen as typed
    // (a real tag styles the text instead of showing).
    const std::u16string name = u"Zo\u00eb \U0001F469\u200D\U0001F680 \u0645\u0631\u062D\u0628\u0627";
    const uint32_t odd = Add({{kFieldFirst, name.c_str()}, {kFieldNickname, u"a<x>b <B>bold</B> 1<2"}});
    Select(frame, odd);
    const QString shown = ReadOut(pane);
    EXPECT_TRUE(shown.startsWith(QString::fromStdU16String(name))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(": a<x>b bold 1<2")) << shown.toStdString();
}

TEST_F(ContactView, TappingAPaneLineActsOnItAndAFailureIsShown) {
    ContactsFrame& frame = StartWithContacts();
    Select(frame, anna);
    RichList& lines = frame.Preview().List();
    const int phone = LineWith(lines, "+1 555 123 4567");
    ASSERT_GE(phone, 0);
    Tap(lines, phone);
    const std::vector<std::string> calls = Calls(device_, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls.front().find("+1 555 123 4567"), std::string::npos) << calls.front();
    EXPECT_EQ(frame.Status(), "Called Smith, Anna");
    EXPECT_EQ(frame.OpenView(), nullptr) << "dialling from the pane keeps the list";

    for (const char16_t* program : {u"\\Windows\\tmail.exe", u"\\Windows\\pmail.exe"}) {
        std::filesystem::remove(device_.Host(program));
    }
    Tap(lines, LineWith(lines, "anna@example.com"));
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, u"The e-mail program cannot be started.");
    EXPECT_EQ(frame.Preview().Shown().GetOid(), anna) << "the pane stays on the contact";
}

TEST_F(ContactView, FullViewStepsThroughTheListAndEndsAsAsked) {
    ContactsFrame& frame = StartWithContacts();
    const uint32_t mia = Add({{kFieldFirst, u"Mia"}});
    Select(frame, lana);

    // Enter on a row opens its contact; Right and Left step to the next and back (neither lana nor
    // the next contact, mia, has a line of its own, so the keys move through the list); Edit ends
    // it asking for the editor.
    std::vector<uint32_t> shown;
    uint32_t edited = 0;
    const auto viewAndEdit = [&] {
        EXPECT_TRUE(WithView(frame, [&] { QTest::keyClick(frame.List().Window().Widget(), Qt::Key_Return); },
                             [&](ContactViewDlg& view) {
                                 shown.push_back(view.Shown().GetOid());
                                 QTest::keyClick(view.List().Widget(), Qt::Key_Right);
                                 shown.push_back(view.Shown().GetOid());
                                 QTest::keyClick(view.List().Widget(), Qt::Key_Left);
                                 shown.push_back(view.Shown().GetOid());
                                 QTest::keyClick(view.List().Widget(), Qt::Key_F1);
                             }));
    };
    EXPECT_TRUE(WithEditor(frame, viewAndEdit, [&](ContactEditDlg& editor) {
        edited = editor.Saved().GetOid();
        EXPECT_TRUE(plat::PostMessage(editor.Hwnd(), plat::WM_COMMAND, plat::IDCANCEL, 0));
    }));
    EXPECT_EQ(edited, lana) << "Edit opens the editor on the contact shown";
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], lana);
    EXPECT_EQ(shown[1], mia) << "Right shows the contact below";
    EXPECT_EQ(frame.Model().List().RowOf(mia), frame.Model().List().RowOf(lana) + 1);
    EXPECT_EQ(shown[2], lana);
    EXPECT_TRUE(frame.Status().startsWith("Editing contact")) << frame.Status().toStdString();
    EXPECT_EQ(frame.Model().List().SelectedOid(), lana) << "the list follows the view";

    // Talk on a line without an action of its own ends the view and calls the contact.
    EXPECT_TRUE(WithView(frame, [&] { frame.OnOpenContact(); },
                         [&](ContactViewDlg& view) { QTest::keyClick(view.List().Widget(), Qt::Key_F3); }));
    EXPECT_EQ(frame.Status(), "Lana Zeta has no number to call");

    // Talk on a phone line dials it and ends the view; Close just ends it.
    Select(frame, kate);
    EXPECT_TRUE(WithView(frame, [&] { frame.OnOpenContact(); },
                         [&](ContactViewDlg& view) { QTest::keyClick(view.List().Widget(), Qt::Key_F3); }));
    const std::vector<std::string> calls = Calls(device_, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls.front().find("555 2000"), std::string::npos) << calls.front();
    EXPECT_EQ(frame.OpenView(), nullptr);
    const QString before = frame.Status();
    EXPECT_TRUE(WithView(frame, [&] { frame.OnOpenContact(); },
                         [&](ContactViewDlg& view) { QTest::keyClick(view.List().Widget(), Qt::Key_F2); }));
    EXPECT_EQ(frame.Status(), before) << "Close asks for nothing";

    // Enter in the search box opens the contact the typing left selected.
    QLineEdit& box = *frame.SearchBox().Edit();
    box.setFocus();
    QTest::keyClicks(&box, "kat");
    uint32_t found = 0;
    EXPECT_TRUE(WithView(frame, [&] { QTest::keyClick(&box, Qt::Key_Return); }, [&](ContactViewDlg& view) {
        found = view.Shown().GetOid();
        QTest::keyClick(view.List().Widget(), Qt::Key_F2);
    }));
    EXPECT_EQ(found, kate);
}

// The pane and the full view as a person sees them, at 96 and 192 dpi.
class ContactViewShots : public ContactView, public ::testing::WithParamInterface<int> {};

TEST_P(ContactViewShots, PaneAndFullView) {
    ContactsFrame& frame = Start(GetParam());
    Contact full = ContactOf({{kFieldFirst, u"Anna"},
                              {kFieldLast, u"Smith"},
                              {kFieldJobTitle, u"Chief pilot"},
                              {kFieldCompany, u"Acme Industrial Holdings"},
                              {kFieldMobile, u"+1 555 123 4567"},
                              {kFieldWorkPhone, u"+44 20 7946 0958"},
                              {kFieldEmail1, u"anna.smith@example.com"},
                              {kFieldWeb, u"www.example.com/anna"},
                              {kFieldNickname, u"<#c00000>Annie</#> \u0622\u0646\u0627"},
                              {kFieldHomeStreet, u"12 Long Road"},
                              {kFieldHomeCity, u"Springfield"}});
    full.SetNote(ByteBlock(Utf16Bytes(u"Met at the spring fair; prefers calls after six.")));
    plat::RgbBitmap bitmap{48, 48, std::vector<uint8_t>(48 * 48 * 3, 200)};
    for (int y = 10; y < 38; ++y) {
        for (int x = 10; x < 38; ++x) bitmap.rgb[(y * 48 + x) * 3 + 2] = 40;
    }
    full.SetPicture(ContactPicture::FromBitmap(bitmap, plat::ImageFormat::Png));
    ASSERT_TRUE(MainWndFrame::Instance().Clients()->AddContact(full, true).Complete());
    Add({{kFieldCompany, u"Zeta Logistics"}});
    if (!frame.Preview().Widget()->isVisible()) frame.OnCommand(framecmd::kPreview, 0);
    Select(frame, full.GetOid());
    const QString dpi = QString::number(GetParam());
    ShootWindow("view_pane_" + dpi + "dpi");
    EXPECT_TRUE(WithView(
        frame, [&] { frame.OnOpenContact(); },
        [&](ContactViewDlg& view) {
            ShootWindow("view_full_" + dpi + "dpi");
            QTest::keyClick(view.List().Widget(), Qt::Key_F4);
        }));
}

INSTANTIATE_TEST_SUITE_P(Dpi, ContactViewShots, ::testing::Values(96, 192));

}  // namespace
