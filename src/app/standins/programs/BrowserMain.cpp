// The browser of the device (iexplore.exe): logs its command line and, on a device set to use the
// desktop, opens a web address there.
#include "app/standins/support/Standin.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/DesktopAddress.h"

int main(int argc, char** argv) {
    const auto start = standin::BeginProgram(argc, argv);
    if (!start) return 2;
    const std::string address = plat::WebAddress(start->commandLine);
    // The start is logged; the host's desktop is a courtesy.
    if (!address.empty()) (void)plat::OpenOnDesktop(address);
    return 0;
}
