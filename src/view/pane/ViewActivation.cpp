#include "view/pane/ViewActivation.h"

#include "view/template/TemplateGroup.h"

namespace {

// A line without an action of its own, or no line with a key.
ViewActivation OtherLine(uint32_t key, bool modal) {
    if (!modal) return {ViewAction::Nothing, true, false};
    switch (key) {
    case kNoKey: return {ViewAction::Nothing, true, false};
    case kVkLeft: return {ViewAction::Previous, true, false};
    case kVkRight: return {ViewAction::Next, true, false};
    case kVkTalk: return {ViewAction::DialAndClose, false, true};
    default: return {ViewAction::Close, false, true};
    }
}

}  // namespace

ViewActivation ActivateLine(int group, uint32_t key, bool modal, bool devicePhone) {
    switch (group) {
    case kGroupPhone:
        if (key == kVkRight && devicePhone) return {ViewAction::Sms, true, false};
        // Left steps through the contacts as on every other line; it never places a call.
        if (key != kVkLeft) return {ViewAction::Dial, true, modal};
        break;
    case kGroupEmail: return {ViewAction::Email, true, false};
    case kGroupWeb: return {ViewAction::Browse, true, false};
    case kGroupLinks: return {ViewAction::OpenFile, true, false};
    default: break;
    }
    if (group == kNoLine && key == kNoKey && !modal) return {ViewAction::OpenContact, false, false};
    return OtherLine(key, modal);
}
