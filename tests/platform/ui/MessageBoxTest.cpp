#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/ui/MessageBox.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"

using namespace plat;

namespace {

std::string Log(const TempDevice& device) {
    std::ifstream in(device.Host(u"\\Windows\\messagebox.log"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
        {MB_YESNOCANCEL, IDYES},
        {MB_ABORTRETRYIGNORE, IDABORT},
        {MB_RETRYCANCEL, IDRETRY},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageBox(u"Text", u"Brevane", c.flags), c.answer) << c.flags;
    MessageBox(u"Delete \u00c4rger?\nIt\tgoes to \\Windows", u"Brevane Tracer", MB_OK);
    EXPECT_EQ(Log(device), "Brevane\tText\t0x0\nBrevane\tText\t0x21\nBrevane\tText\t0x34\n"
                           "Brevane\tText\t0x3\nBrevane\tText\t0x2\nBrevane\tText\t0x5\n"
                           "Brevane Tracer\tDelete \xc3\x84rger?\\nIt\\tgoes to \\Windows\t0x0\n");
}

TEST(MessageBox, RecorderAnswersInOrderThenAsUnattendedAndRestoresTheDefault) {
    TempDevice device;
    {
        MessageBoxRecorder recorder;
        recorder.Answer(IDNO);
        recorder.Answer(IDCANCEL);
        EXPECT_EQ(MessageBox(u"one", u"c1", MB_YESNO), IDNO);
        EXPECT_EQ(MessageBox(u"two", u"c2", MB_YESNOCANCEL), IDCANCEL);
        EXPECT_EQ(MessageBox(u"three", u"c3", MB_YESNO), IDYES);
        const auto boxes = recorder.Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[1].text, u"two");
        EXPECT_EQ(boxes[1].caption, u"c2");
        EXPECT_EQ(boxes[1].flags, MB_YESNOCANCEL);
        EXPECT_EQ(Log(device), "");  // a recorder keeps boxes off the log
    }
    MessageBox(u"after", u"Brevane", MB_OK);
    EXPECT_EQ(Log(device), "Brevane\tafter\t0x0\n");
}
