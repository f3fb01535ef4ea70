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
    explicit Actions(Session& session) : actions_(session.Manager(), &speed_) {
        if (!actions_.Open()) throw Failure("the trash cannot be opened; nothing was done");
    }
    ContactActions* operator->() { return &actions_; }
    ContactActions& operator*() { return actions_; }

private:
    SpeedDialAttachments speed_;
    ContactActions actions_;
};

}  // namespace cli
