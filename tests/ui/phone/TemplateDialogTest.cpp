// The phone number formats dialog by its buttons and field: a forbidden character is refused
// with its message and the text kept, a new template goes to the top with its example, OK stores
// the list and Cancel stores nothing.
#include <QLineEdit>
#include <QListWidget>

#include "ui/phone/CApPhoneTemplateDlg.h"
#include "ui/phone/PhoneScreens.h"

namespace {

class TemplateScreen : public PhoneScreen, public ::testing::WithParamInterface<int> {};

TEST_P(TemplateScreen, AddRefusesForbiddenCharactersAndOkStores) {
    Start(GetParam());
    for (const int end : {plat::IDCANCEL, plat::IDOK}) {
        CApPhoneTemplateDlg dialog;
        QTimer::singleShot(0, [&] {
            QTest::keyClicks(dialog.Field(), "<##>");
            dialog.Send(plat::WM_COMMAND, CApPhoneTemplateDlg::kCmdAdd, 0);
            EXPECT_EQ(dialog.Field()->text(), "<##>") << "a refused template is kept";
            dialog.Field()->clear();
            QTest::keyClicks(dialog.Field(), "(##) ##");
            EXPECT_EQ(dialog.Example()->text(), "Example: (12) 34");
            dialog.Send(plat::WM_COMMAND, CApPhoneTemplateDlg::kCmdAdd, 0);
            EXPECT_EQ(dialog.List()->currentRow(), 0);
            EXPECT_EQ(dialog.List()->item(0)->text(), "(##) ##");
            dialog.Send(plat::WM_COMMAND, CApPhoneTemplateDlg::kCmdDown, 0);
            EXPECT_EQ(dialog.List()->currentRow(), 1) << "the moved template stays selected";
            ShootWindow(QStringLiteral("phone_formats_%1dpi").arg(GetParam()));
            dialog.Send(plat::WM_COMMAND, static_cast<plat::WPARAM>(end), 0);
        });
        EXPECT_EQ(dialog.DoModal(*MainWndFrame::Instance().Contacts()), end);
        PhoneTemplates stored;
        stored.Load();
        EXPECT_EQ(stored.GetCount() > 1 && stored.Template(1).View() == u"(##) ##", end == plat::IDOK);
    }
    EXPECT_EQ(boxes_.Boxes().size(), 2u) << "the forbidden template is refused both times";
}

INSTANTIATE_TEST_SUITE_P(Dpi, TemplateScreen, ::testing::Values(96, 192));

}  // namespace
