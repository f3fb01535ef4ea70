// The list window's life against its widget's: the widget is deleted later than the list, and no
// event that reaches the widget in between reaches the list that is gone.
#include <gtest/gtest.h>

#include <QPointer>
#include <QWheelEvent>

#include "support/TempDevice.h"
#include "ui/QtTestApp.h"
#include "ui/list/CoolList.h"

namespace {

class ParentWnd : public WndImpl {
public:
    ~ParentWnd() override { DestroyWnd(); }
};

// A listener of ten rows that counts what the list asks of it.
class CountingListener : public CoolListListener {
public:
    int asked = 0;
    void OnListKeyDown(uint32_t) override { ++asked; }
    void OnListChar(char16_t) override { ++asked; }
    void OnItemTapped(int) override { ++asked; }
    void OnItemActivated(int) override { ++asked; }
    void OnSelectionChanged(int) override { ++asked; }
    void OnContextMenu(int, const QPoint&) override { ++asked; }
    int ItemHeight() const override {
        ++const_cast<CountingListener*>(this)->asked;
        return 20;
    }
    void DrawItem(QPainter&, int, const QRect&, bool, bool) override { ++asked; }
    QString ItemText(int) const override { return QStringLiteral("row"); }
    QString EmptyText() const override { return {}; }
    bool Cyclic() const override { return false; }
};

TEST(CoolListLife, EventsOfTheWidgetLeftBehindDoNotReachTheList) {
    EnsureQtApplication();
    TempDevice device;
    ParentWnd parent;
    ASSERT_TRUE(parent.CreateWnd(u"COOL.LIST.TEST", u"Test", nullptr, QRect(0, 0, 240, 320)));
    CountingListener listener;
    auto list = std::make_unique<CoolList>(listener);
    ASSERT_TRUE(list->Create(parent, QRect(0, 0, 240, 100)));
    list->SetRows(10, 0);
    const QPointer<QWidget> widget = list->Widget();
    const auto wheel = [&] {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget.data(), &event);
    };
    wheel();
    EXPECT_EQ(list->Top(), 3) << "the list hears its widget while it lives";

    list.reset();
    ASSERT_FALSE(widget.isNull()) << "the widget's deletion is deferred";
    listener.asked = 0;
    wheel();
    EXPECT_EQ(listener.asked, 0) << "a wheel turned over the widget left behind reached the list";
}

}  // namespace
