// The phone menu from the list's phone column and the phone chooser from Talk, driven with taps
// and keys: the default marked and changed, the action line calling or writing, the chooser
// offered by DialType, calling, closing and picking by key.
#include <QListWidget>

#include "phone/menu/PhoneFields.h"
#include "ui/phone/PhoneScreens.h"
#include "ui/phone/PhoneSelectWnd.h"
#include "ui/view/ContactViewDlg.h"

namespace {

class PhoneMenuScreen : public PhoneScreen, public ::testing::WithParamInterface<int> {
protected:
    QString Shot(const char* what) const { return QStringLiteral("phone_%1_%2dpi").arg(what).arg(GetParam()); }

    // Taps the number at the right of the contact's row.
    static void TapNumber(ContactsFrame& frame, uint32_t oid) {
        const QRect rect = frame.List().Window().RowRect(frame.Model().List().RowOf(oid));
        QTest::mouseClick(frame.List().Window().Widget(), Qt::LeftButton, {}, QPoint(rect.right() - 3, rect.top() + 4));
    }
};

TEST_P(PhoneMenuScreen, TheMenuMarksChangesAndCallsTheDefault) {
    ContactsFrame& frame = Start(GetParam());
    UseToneDialling();
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldWorkPhone, u"555 1000"}, {kFieldMobile, u"555 2000"},
                               {kFieldEmail1, u"anna@example.com"}});
    const uint32_t mail = Add({{kFieldFirst, u"Mail"}, {kFieldEmail1, u"only@example.com"}});
    const uint32_t none = Add({{kFieldFirst, u"Nobody"}});

    // The lines read as value and label; the first number is the default while none is chosen.
    QStringList lines;
    QString marked;
    EXPECT_TRUE(WithPopup([&] { TapNumber(frame, anna); }, [&](QMenu& menu) {
        lines = Texts(menu);
        for (QAction* action : menu.actions()) {
            if (action->isChecked()) marked = action->text();
        }
        SaveWithPopups(*MainWndFrame::Instance().Widget(), {&menu}, Shot("menu"));
        Choose(menu, "555 2000\tMobile");
    }));
    EXPECT_EQ(lines, (QStringList{"555 1000\tWork", "555 2000\tMobile", "anna@example.com\tE-mail", "-", "Dial to..."}));
    EXPECT_EQ(marked, "555 1000\tWork");
    EXPECT_EQ(Stored(anna).GetDefaultTag(), kTagMobile) << "choosing an entry makes it the default";
    EXPECT_TRUE(Played().empty()) << "choosing an entry calls nothing";
    WaitFor([] { return false; }, 1500);  // the store's change reaches the list

    // The action line calls the new default; cancelling the countdown dials nothing.
    bool counted = false;
    WithDialog<DialCountdownDlg>([&] {
        EXPECT_TRUE(WithPopup([&] { TapNumber(frame, anna); }, [&](QMenu& menu) {
            EXPECT_TRUE(ActionOf(menu, "555 2000\tMobile")->isChecked());
            Choose(menu, "Dial to...");
        }));
    }, [&](DialCountdownDlg& countdown) {
        counted = true;
        EXPECT_EQ(countdown.Waiting()->text(), "Waiting for 3 seconds...");
        ShootWindow(Shot("countdown"));
        QTest::keyClick(countdown.Widget(), Qt::Key_F4);
    });
    EXPECT_TRUE(counted);
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(Stored(anna).GetDefaultTag(), kTagMobile) << "the action line keeps the default";

    WaitFor([] { return false; }, 1500);  // the recent list takes the called contact
    // An address alone: the action line writes to it.
    EXPECT_TRUE(WithPopup([&] { TapNumber(frame, mail); }, [&](QMenu& menu) {
        EXPECT_EQ(Texts(menu), (QStringList{"only@example.com\tE-mail", "-", "E-mail to..."}));
        menu.close();
    }));
    // A contact without numbers or addresses shows no menu: the tap is a tap on the row, which opens
    // the contact full screen.
    bool viewed = false;
    WithDialog<ContactViewDlg>([&] {
        EXPECT_FALSE(WithPopup([&] { TapNumber(frame, none); }, [&](QMenu& menu) { menu.close(); }));
    }, [&](ContactViewDlg& view) {
        viewed = true;
        EXPECT_TRUE(plat::PostMessage(view.Hwnd(), plat::WM_COMMAND, plat::IDCANCEL, 0));
    });
    EXPECT_TRUE(viewed);
}

TEST_P(PhoneMenuScreen, TalkOffersTheChooserAsDialTypeSays) {
    ContactsFrame& frame = Start(GetParam());
    UseToneDialling();
    const uint32_t one = Add({{kFieldFirst, u"Single"}, {kFieldMobile, u"12"}});
    const uint32_t two = Add({{kFieldFirst, u"Double"}, {kFieldLast, u"Numbers"}, {kFieldWorkPhone, u"555 1000"},
                              {kFieldHomePhone, u"555 3000"}});
    const auto select = [&](uint32_t oid) {
        frame.List().Window().SetSelected(frame.Model().List().RowOf(oid));
        (void)frame.Model().List().Select(frame.List().Window().Selected());  // it may be current already
    };
    // The stored DialType and the contact reach the chooser's rule (every rule: PhoneChooser's test).
    const struct {
        uint32_t dialType;
        uint32_t oid;
        bool chooser;
    } cases[] = {{kDialTypeTwoOrMore, one, false}, {kDialTypeTwoOrMore, two, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "DialType " << c.dialType << " oid " << c.oid);
        SetDialType(c.dialType);
        select(c.oid);
        // The chooser is left with End; without it the default number is dialled at once (and its
        // countdown cancelled).
        bool chooser = false;
        bool counted = false;
        WithDialog<DlgBase>([&] { frame.CallSelected(); }, [&](DlgBase& dialog) {
            chooser = dynamic_cast<PhoneSelectWnd*>(&dialog) != nullptr;
            counted = dynamic_cast<DialCountdownDlg*>(&dialog) != nullptr;
            QTest::keyClick(dialog.Widget()->focusWidget() ? dialog.Widget()->focusWidget() : dialog.Widget(), Qt::Key_F4);
        });
        EXPECT_EQ(chooser, c.chooser);
        EXPECT_EQ(counted, !c.chooser);
    }
    EXPECT_TRUE(Played().empty());

    // In the chooser: the title, the numbers with their labels, Down and Talk call the second.
    SetDialType(kDialTypeAlways);
    select(two);
    QStringList items;
    QString title;
    WithDialog<PhoneSelectWnd>([&] { frame.CallSelected(); }, [&](PhoneSelectWnd& wnd) {
        title = wnd.Caption();
        for (int i = 0; i < wnd.List()->count(); ++i) items << wnd.List()->item(i)->text();
        EXPECT_EQ(wnd.List()->currentRow(), 0);
        EXPECT_GT(wnd.Widget()->geometry().top(), 0) << "the top band stays free";
        QTest::keyClick(wnd.List(), Qt::Key_Down);
        ShootWindow(Shot("chooser"));
        const auto talk = [&] {
            QTest::keyClick(wnd.List(), Qt::Key_F3);
            WaitFor([&] { return !wnd.IsOpen(); }, 5000);
        };
        EXPECT_TRUE(WithDialog<DialCountdownDlg>(talk, [&](DialCountdownDlg& countdown) {
            EXPECT_TRUE(countdown.Dialing()->text().contains("3000"))
                << countdown.Dialing()->text().toStdString();
            countdown.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
        }));
        EXPECT_FALSE(wnd.IsOpen()) << "a call closes the chooser";
    });
    EXPECT_EQ(title, "Numbers, Double");
    EXPECT_EQ(items, (QStringList{"555 1000  (Work)", "555 3000  (Home)"}));
}

TEST_P(PhoneMenuScreen, PickingHandsBackTheLineOrCancels) {
    Start(GetParam());
    Contact contact =
        ContactOf({{kFieldFirst, u"Pat"}, {kFieldWorkPhone, u"555 1000"}, {kFieldMobile, u"555 2000"}});
    contact.SetDefaultTag(kTagMobile);
    const PhoneTemplates formats;
    for (const bool enter : {true, false}) {
        PhoneSelectWnd chooser;
        int picked = -1;
        int cancels = 0;
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(chooser.List()->currentRow(), 1) << "the default is preselected";
            QTest::keyClick(chooser.List(), enter ? Qt::Key_Return : Qt::Key_F4);
        });
        EXPECT_TRUE(chooser.Pick(*MainWndFrame::Instance().Contacts(), contact, formats,
                                 [&](int index) { picked = index; }, [&] { ++cancels; }));
        EXPECT_EQ(picked, enter ? 1 : -1);
        EXPECT_EQ(cancels, enter ? 0 : 1);
    }
    EXPECT_TRUE(Played().empty()) << "picking never calls";
}

INSTANTIATE_TEST_SUITE_P(Dpi, PhoneMenuScreen, ::testing::Values(96, 192));

}  // namespace
