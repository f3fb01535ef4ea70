// The observer list while observers change it from inside a notification: one added then hears
// only the next notification, a nested notification reaches the observers present when it began,
// and one removed during a nested notification is called neither there nor by the outer one.
#include "manager/listener/ObserverList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class Observer {
public:
    Observer(std::string name, std::vector<std::string>& heard) : name_(std::move(name)), heard_(heard) {}
    void OnEvent(int event) {
        heard_.push_back(name_ + std::to_string(event));
        if (react) react(event);
    }
    std::function<void(int)> react;

private:
    std::string name_;
    std::vector<std::string>& heard_;
};

}  // namespace

TEST(ObserverList, ObserversChangedDuringANotification) {
    std::vector<std::string> heard;
    ObserverList<Observer> list;
    Observer a("a", heard), b("b", heard), c("c", heard);
    list.Add(a);
    list.Add(b);
    list.Add(a);  // already there: still heard once
    // During event 1, a adds c and tells event 2 (nested), during which b removes itself.
    a.react = [&](int event) {
        if (event != 1) return;
        list.Add(c);
        list.Notify(&Observer::OnEvent, 2);
    };
    b.react = [&](int) { list.Remove(b); };
    list.Notify(&Observer::OnEvent, 1);
    EXPECT_EQ(heard, (std::vector<std::string>{"a1", "a2", "b2", "c2"}));

    heard.clear();
    a.react = nullptr;
    list.Notify(&Observer::OnEvent, 3);
    EXPECT_EQ(heard, (std::vector<std::string>{"a3", "c3"}));
}
