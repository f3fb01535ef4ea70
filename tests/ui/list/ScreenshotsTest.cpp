// The main screen's states as a person sees them, saved under <build>/screenshots at 96 and 192
// dpi: the three orders, one- and two-line rows, company groups open and closed, alphabet mode
// with the matches highlighted, the context menu with its call submenu, the filter menu.
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolButton>

#include "ListScreen.h"
#include "store/contact/ContactPicture.h"
#include "screen/list/FrameCommands.h"

namespace {

class Screenshots : public ListScreen, public ::testing::WithParamInterface<int> {
protected:
    QString Name(const char* what) const { return QStringLiteral("list_%1_%2dpi").arg(what).arg(GetParam()); }
    void Shot(const char* what) { ShootWindow(Name(what)); }

    // A 48 x 48 picture: a blue disc on orange.
    static ContactPicture Portrait() {
        plat::RgbBitmap bitmap{48, 48, std::vector<uint8_t>(48 * 48 * 3)};
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                const bool disc = (x - 24) * (x - 24) + (y - 20) * (y - 20) < 200;
                uint8_t* pixel = &bitmap.rgb[(y * 48 + x) * 3];
                pixel[0] = disc ? 40 : 250;
                pixel[1] = disc ? 90 : 170;
                pixel[2] = disc ? 200 : 60;
            }
        }
        return ContactPicture::FromBitmap(bitmap, plat::ImageFormat::Png);
    }
};

TEST_P(Screenshots, MainScreenStates) {
    ContactsFrame& frame = Start(GetParam());
    Contact pictured = ContactOf({{kFieldFirst, u"Anna"},
                                  {kFieldLast, u"Smith"},
                                  {kFieldMobile, u"+1 555 123 4567"},
                                  {kFieldFileAs, u"Smith Anna (home)"}});
    pictured.SetPicture(Portrait());
    ASSERT_TRUE(MainWndFrame::Instance().Clients()->AddContact(pictured, false).Complete());
    Add({{kFieldFirst, u"Joanne"}, {kFieldLast, u"Annandale"}, {kFieldCompany, u"Acme Industrial Holdings"},
         {kFieldJobTitle, u"Chief purchasing officer, western region"}, {kFieldWorkPhone, u"+44 20 7946 0958"}});
    Add({{kFieldFirst, u"Joanne"}, {kFieldLast, u"Smith"}, {kFieldCompany, u"Acme Industrial Holdings"}, {kFieldHomePhone, u"5551234567"}});
    Add({{kFieldFirst, u"Kate"}, {kFieldWorkPhone, u"555 2000"}, {kFieldEmail1, u"kate@example.com"}});
    Add({{kFieldFirst, u"Lana"}, {kFieldCompany, u"Zeta"}});
    Add({{kFieldFirst, u"Alan"}, {kFieldLast, u"Bartholomew-Fitzwilliams"}, {kFieldPager, u"555 9"}});
    WaitFor([&] { return frame.Model().List().RowCount() == 6; });

    Shot("name_order_two_line");
    frame.OnCommand(framecmd::kOneLine, 0);
    Shot("name_order_one_line");
    frame.OnCommand(framecmd::kSortFileAs, 0);
    Shot("file_as_order");
    frame.OnCommand(framecmd::kSortCompany, 0);
    Shot("company_order_expanded");
    const int acme = static_cast<int>(Rows(frame).indexOf("Acme Industrial Holdings (2), expanded"));
    ASSERT_GE(acme, 0);
    CoolList& list = frame.List().Window();
    QTest::mouseClick(list.Widget(), Qt::LeftButton, {}, list.RowRect(acme).center());
    Shot("company_order_collapsed");

    frame.OnCommand(framecmd::kSortName, 0);
    list.Widget()->setFocus();
    QTest::keyClick(list.Widget(), Qt::Key_2, Qt::KeypadModifier);
    QTest::keyClick(list.Widget(), Qt::Key_6, Qt::KeypadModifier);
    Shot("alphabet_mode_highlight");
    frame.ClearSearch();
    frame.OnCommand(framecmd::kSmallAbcBar, 0);
    QTest::keyClicks(frame.SearchBox().Edit(), "an");
    Shot("small_bar_typed_highlight");
    frame.ClearSearch();
    frame.OnCommand(framecmd::kBigAbcBar, 0);
    frame.OnCommand(framecmd::kPreview, 0);
    Shot("preview_pane");
    frame.OnCommand(framecmd::kPreview, 0);

    const int row = static_cast<int>(Rows(frame).indexOf(QRegularExpression("^Annandale, Joanne, W .*")));
    ASSERT_GE(row, 0) << Rows(frame).join(" | ").toStdString();
    QWidget& window = *MainWndFrame::Instance().Widget();
    EXPECT_TRUE(WithPopup([&] { QTest::mouseClick(list.Widget(), Qt::RightButton, {}, list.RowRect(row).center()); },
                          [&](QMenu& menu) {
                              QMenu* call = OpenSubmenu(menu, "Call Phone");
                              ASSERT_NE(call, nullptr);
                              SaveWithPopups(window, {&menu, call}, Name("context_menu_call_submenu"));
                              menu.close();
                          }));
    EXPECT_TRUE(WithPopup([&] { frame.RunFilterMenu(); }, [&](QMenu& menu) {
        SaveWithPopups(window, {&menu}, Name("filter_menu"));
        menu.close();
    }));
}

INSTANTIATE_TEST_SUITE_P(Dpi, Screenshots, ::testing::Values(96, 192));

}  // namespace
