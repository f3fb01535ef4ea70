#include "app/cli/Cli.h"

namespace cli {

void AddMessagingCommands(CommandTable&) {}

}  // namespace cli
