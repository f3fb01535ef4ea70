#include <gtest/gtest.h>

#include "view/pane/ViewActivation.h"
#include "view/template/TemplateGroup.h"

namespace {

TEST(ViewActivation, EachLineAndKeyHasItsOutcome) {
    const struct { int group; uint32_t key; bool modal, phone; ViewAction action; bool used, ends; } cases[] = {
        {kGroupPhone, kNoKey, false, true, ViewAction::Dial, true, false},
        {kGroupPhone, kVkTalk, true, true, ViewAction::Dial, true, true},
        {kGroupPhone, kVkRight, true, true, ViewAction::Sms, true, false},
        {kGroupPhone, kVkRight, false, false, ViewAction::Dial, true, false},
        {kGroupPhone, kVkLeft, true, true, ViewAction::Previous, true, false},
        {kGroupPhone, kVkLeft, false, true, ViewAction::Nothing, true, false},
        {kGroupEmail, kVkReturn, true, true, ViewAction::Email, true, false},
        {kGroupWeb, kNoKey, false, true, ViewAction::Browse, true, false},
        {kGroupLinks, kNoKey, true, true, ViewAction::OpenFile, true, false},
        {kNoLine, kNoKey, false, true, ViewAction::OpenContact, false, false},
        {kNoLine, kNoKey, true, true, ViewAction::Nothing, true, false},
        {kGroupOther, kVkLeft, true, true, ViewAction::Previous, true, false},
        {kNoLine, kVkRight, true, true, ViewAction::Next, true, false},
        {kGroupDates, kVkTalk, true, true, ViewAction::DialAndClose, false, true},
        {kGroupDates, kVkReturn, true, true, ViewAction::Close, false, true},
        {kGroupDates, kVkLeft, false, true, ViewAction::Nothing, true, false},
    };
    for (const auto& c : cases) {
        const ViewActivation a = ActivateLine(c.group, c.key, c.modal, c.phone);
        EXPECT_EQ(std::tuple(a.action, a.contactUsed, a.endsView), std::tuple(c.action, c.used, c.ends))
            << c.group << " " << c.key << " " << c.modal;
    }
}

}  // namespace
