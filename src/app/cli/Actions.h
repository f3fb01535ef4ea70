#pragma once
// The undoable actions of a session's device (ContactActions.h), with the speed-dial buttons
// following the contacts.
#include "app/cli/Cli.h"
#include "app/cli/Session.h"
#include "manager/trash/ContactActions.h"
#include "phone/speed/SpeedMoves.h"

namespace cli {

class Actions {
public:
    explicit Actions(Session& session) : actions_(session.Manager(), &speed_) {}
    // Opens the trash that records the actions; nothing may be done before it is open.
    [[nodiscard]] Status Open() {
        return actions_.Open() ? Status::Ok() : Fail("the trash cannot be opened; nothing was done");
    }
    ContactActions* operator->() { return &actions_; }
    ContactActions& operator*() { return actions_; }

private:
    SpeedDialAttachments speed_;
    ContactActions actions_;
};

}  // namespace cli
