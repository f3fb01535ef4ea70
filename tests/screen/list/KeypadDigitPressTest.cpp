// A keypad digit held or tapped in the list: typed when short, a speed-dial call when held (told by
// auto-repeat or by the time to the release), never typed twice or called twice, and typed in
// order when keys overlap.
#include "screen/list/KeypadDigitPress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t k2 = 0x62, k3 = 0x63, k9 = 0x69, k1 = 0x61, kDown = 0x28;

struct Event {
    bool down;
    uint32_t key;
    bool repeat;
    uint64_t at;
};

// What the events did, as "type 0x62" and "call 2" in order; keys not taken as "pass".
std::vector<std::string> Outcomes(const std::vector<Event>& events) {
    KeypadDigitPress press;
    std::vector<std::string> done;
    for (const Event& e : events) {
        const KeypadDigitPress::Outcome outcome =
            e.down ? press.Press(e.key, e.repeat, e.at) : press.Release(e.key, e.repeat, e.at);
        if (outcome.type != 0) done.push_back("type " + std::to_string(outcome.type - 0x60));
        if (outcome.speedDial >= 0) done.push_back("call " + std::to_string(outcome.speedDial));
        if (!outcome.taken) done.push_back("pass");
    }
    return done;
}

TEST(KeypadDigitPress, ShortTypesHeldCallsOnceAndOverlapsKeepTheirOrder) {
    const struct {
        const char* what;
        std::vector<Event> events;
        std::vector<std::string> done;
    } cases[] = {
        {"short press", {{true, k2, false, 1000}, {false, k2, false, 1399}}, {"type 2"}},
        {"released at the hold time", {{true, k9, false, 0}, {false, k9, false, 400}}, {"call 9"}},
        {"auto-repeat after the hold time calls at once, and only once",
         {{true, k3, false, 0},
          {false, k3, true, 300},
          {true, k3, true, 300},
          {true, k3, true, 450},
          {true, k3, true, 500},
          {false, k3, false, 900}},
         {"call 3"}},
        {"early auto-repeat alone is not a long press",
         {{true, k2, false, 0}, {true, k2, true, 100}, {false, k2, false, 200}},
         {"type 2"}},
        {"another key first types the digit held back",
         {{true, k2, false, 0}, {true, kDown, false, 50}, {false, k2, false, 900}},
         {"type 2", "pass"}},
        {"rolled-over digits type in order",
         {{true, k2, false, 0}, {true, k3, false, 30}, {false, k2, false, 60}, {false, k3, false, 90}},
         {"type 2", "type 3"}},
        {"1 is not held back", {{true, k1, false, 0}, {false, k1, false, 900}}, {"pass", "pass"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Outcomes(c.events), c.done) << c.what;
}

}  // namespace
