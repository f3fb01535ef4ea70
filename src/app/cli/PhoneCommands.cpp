#include "app/cli/Cli.h"

namespace cli {

void AddPhoneCommands(CommandTable&) {}

}  // namespace cli
