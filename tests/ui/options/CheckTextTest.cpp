// The options pages are as narrow as the phone: every check's text must be readable whole (wrapped,
// never cut at the edge), a tap on the text must act as a tap on the box, and a box that cannot be
// used must grey its text and ignore taps on it.
#include <QCheckBox>
#include <QScrollArea>
#include <QTabWidget>

#include "ui/list/ListScreen.h"
#include "ui/options/COptionDlg.h"
#include "ui/options/CheckText.h"

namespace {

class OptionsChecks : public ListScreen, public ::testing::WithParamInterface<int> {};

void ExpectWholeTexts(COptionDlg& dialog) {
    for (int page = 0; page < dialog.Pages()->count(); ++page) {
        dialog.Pages()->setCurrentIndex(page);
        auto* scroll = static_cast<QScrollArea*>(dialog.Pages()->currentWidget());
        QApplication::processEvents();
        for (CheckText* text : scroll->widget()->findChildren<CheckText*>()) {
            SCOPED_TRACE(text->text().toStdString());
            const QRect inPage(text->mapTo(scroll->widget(), QPoint(0, 0)), text->size());
            EXPECT_LE(inPage.right(), scroll->viewport()->width()) << "cut at the right edge";
            EXPECT_GE(text->height(), text->heightForWidth(text->width())) << "lines cut off below";
        }
    }
}

void ExpectTapsOnTheText(COptionDlg& dialog) {
    dialog.Pages()->setCurrentIndex(2);
    QCheckBox* box = dialog.Check(QStringLiteral("Insert contact name into SMS body"));
    ASSERT_NE(box, nullptr);
    auto* text = box->parentWidget()->findChild<CheckText*>();
    ASSERT_NE(text, nullptr);
    const bool before = box->isChecked();
    QTest::mouseClick(text, Qt::LeftButton);
    EXPECT_NE(box->isChecked(), before) << "a tap on the text toggles the box";
    EXPECT_TRUE(box->hasFocus());
    box->setEnabled(false);
    EXPECT_FALSE(text->isEnabled()) << "the text greys with its box";
    QTest::mouseClick(text, Qt::LeftButton);
    EXPECT_NE(box->isChecked(), before) << "a greyed box ignores taps on its text";
}

TEST_P(OptionsChecks, TextsWrapWithinThePageAndActForTheirBoxes) {
    Start(GetParam());
    OptionsState state;
    state.hideSim = true;
    QTimer::singleShot(0, [&] {
        COptionDlg* dialog = OpenDialog<COptionDlg>();
        if (dialog == nullptr) return ADD_FAILURE() << "the options dialog did not open";
        ExpectWholeTexts(*dialog);
        ExpectTapsOnTheText(*dialog);
        ShootWindow(QStringLiteral("options_wrapped_%1dpi").arg(GetParam()));
        dialog->Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
    });
    COptionDlg::Run(MainWndFrame::Instance(), state);
}

INSTANTIATE_TEST_SUITE_P(Dpi, OptionsChecks, ::testing::Values(96, 192));

}  // namespace
