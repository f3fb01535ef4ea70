#include <gtest/gtest.h>

#include "platform/ui/MessageBox.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

using namespace plat;

namespace {

std::string Log(const TempDevice& device) {
    return ReadHostFile(device.Host(u"\\Windows\\messagebox.log"));
}

}  // namespace

TEST(MessageBox, UnattendedBoxesAreLoggedOneUtf8LineEachAndAnswered) {
    TempDevice device;
    const struct {
        uint32_t flags;
        int answer;
    } cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, IDOK},
        {MB_YESNO | MB_ICONWARNING, IDYES},
        {MB_ABORTRETRYIGNORE, IDABORT},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageBox(u"Text", u"Brevane", c.flags), c.answer) << c.flags;
    MessageBox(u"Delete \u00c4rger?\nIt\tgoes to \\Windows", u"Brevane Tracer", MB_OK);
    EXPECT_EQ(Log(device), "Brevane\tText\t0x0\nBrevane\tText\t0x21\nBrevane\tText\t0x34\nBrevane\tText\t0x2\n"
                           "Brevane Tracer\tDelete \xc3\x84rger?\\nIt\\tgoes to \\Windows\t0x0\n");
}
