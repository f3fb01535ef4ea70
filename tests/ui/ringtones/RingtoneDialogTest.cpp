// The category ringtones dialog by its rows and commands: the default row cannot be unchecked, a
// changed ringtone and an unchecked group are stored together on OK, and Cancel stores nothing.
#include <QLineEdit>
#include <QTreeWidget>

#include "categories/ringtones/CallFilter.h"
#include "categories/ringtones/RingtoneManager.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/list/ListScreen.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/ringtones/CatRingtoneList.h"

namespace {

class RingtoneScreen : public ListScreen, public ::testing::WithParamInterface<int> {};

TEST_P(RingtoneScreen, ChecksAndRingtonesAreStoredTogetherOnOkOnly) {
    Start(GetParam());
    for (const int end : {plat::IDCANCEL, plat::IDOK}) {
        CallFilter filter;
        filter.Load();
        CatRingtoneList dialog(filter);
        QString defaultName;
        int32_t uncheckedId = 0;
        QTimer::singleShot(0, [&] {
            QTreeWidget& rows = *dialog.Rows();
            ASSERT_GE(rows.topLevelItemCount(), 2);
            defaultName = rows.topLevelItem(0)->text(0);
            rows.topLevelItem(0)->setCheckState(0, Qt::Unchecked);
            EXPECT_EQ(rows.topLevelItem(0)->checkState(0), Qt::Checked) << "the default row stays checked";
            rows.topLevelItem(1)->setCheckState(0, Qt::Unchecked);
            uncheckedId = dialog.Model().Rows()[1].id;
            rows.setCurrentItem(rows.topLevelItem(0));
            QTimer::singleShot(0, [&] {
                for (QWidget* widget : QApplication::allWidgets()) {
                    auto* owner = dynamic_cast<DlgImpl*>(WndImpl::Owning(widget));
                    if (owner == nullptr || owner == &dialog || !owner->IsOpen()) continue;
                    if (auto* field = owner->Widget()->findChild<QLineEdit*>()) {
                        field->setText("\\Windows\\ring.wav");
                        owner->Send(plat::WM_COMMAND, plat::IDOK, 0);
                        return;
                    }
                }
                ADD_FAILURE() << "the ringtone editor did not open";
            });
            dialog.Send(plat::WM_COMMAND, CatRingtoneList::kCmdChange, 0);
            EXPECT_EQ(rows.topLevelItem(0)->text(1), "\\Windows\\ring.wav");
            SaveScreenshot(*MainWndFrame::Instance().Widget(), QStringLiteral("ringtones_%1dpi").arg(GetParam()));
            dialog.Send(plat::WM_COMMAND, static_cast<plat::WPARAM>(end), 0);
        });
        EXPECT_EQ(dialog.DoModal(*MainWndFrame::Instance().Contacts()), end);
        CallFilter stored;
        stored.Load();
        EXPECT_EQ(stored.IsEnabled(uncheckedId), end != plat::IDOK);
        RingtoneManager ringtones;
        ringtones.Load();
        Array<Str> names, paths;
        names.Add(FromQString(defaultName));
        ringtones.RingtonesFor(names, paths);
        EXPECT_EQ(paths[0].View() == u"\\Windows\\ring.wav", end == plat::IDOK);
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, RingtoneScreen, ::testing::Values(96, 192));

}  // namespace
