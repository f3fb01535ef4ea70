#include <gtest/gtest.h>

#include "core/diag/FatalError.h"
#include "core/res/ResourceStrings.h"
#include "core/res/StringTable.h"
#include "support/HostFiles.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"
#include "support/TracerBoxes.h"

namespace {

// The build's table keeps what the file says, escapes, blanks and CMake-special characters too.
TEST(ResourceStrings, OwnTableHoldsTheFileExactly) {
    struct Case { uint32_t id; std::u16string_view text; } cases[] = {
        {40240, u"Category names cannot contain ' , ' or ' ; ' symbols."},
        {41291, u"Updating contact index...\nPlease, wait..."},
        {41423, u"Template string cannot have symbols: [ ] { } < >"},
    };
    for (const Case& c : cases) {
        Str s;
        EXPECT_TRUE(s.LoadString(c.id)) << c.id;
        EXPECT_EQ(s.View(), c.text) << c.id;
    }
}

TEST(ResourceStrings, LongStringsAreLoadedWholeThroughTheRetry) {
    const std::u16string texts[] = {std::u16string(253, u'a'), std::u16string(254, u'b'),
                                    std::u16string(255, u'c'), std::u16string(600, u'd')};
    const StringTable table({{1, texts[0]}, {2, texts[1]}, {3, texts[2]}, {4, texts[3]}}, 0x1234);
    // 253 characters fit the first 256-character buffer; from 254 on the load comes within 2
    // characters of the end and is repeated with 512, then 768 characters.
    const int buffers[] = {256, 512, 512, 768};
    for (uint32_t id = 1; id <= 4; ++id) {
        Str s;
        EXPECT_TRUE(SafeLoadStr(id, s, &table));
        EXPECT_EQ(s.View(), texts[id - 1]);
        EXPECT_EQ(s.Capacity(), StrBlockCapacity(buffers[id - 1])) << id;
    }
}

TEST(ResourceStrings, MissingStringIsLoggedAndTraced) {
    TempDevice device;
    MessageBoxRecorder boxes;
    ExpectTracerBoxes expected;
    const StringTable table({{1, u"one"}, {2, u""}}, 0xBEEF);
    Str s(u"old");
    EXPECT_FALSE(SafeLoadStr(7, s, &table));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.LoadString(2, &table));  // an empty string counts as missing
    const std::string log = ReadHostFile(device.Host(u"\\Program Files\\Brevane\\Brevane.exe.log"));
    EXPECT_NE(log.find(" - Resource loading fail (id: 7 hInst: beef)\t\tStr:  (173)\r\n"), std::string::npos)
        << log;
    const auto recorded = boxes.Boxes();
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[0].text, u"SafeLoadStr failed, resid: 7");
    EXPECT_EQ(recorded[0].caption, u"Brevane Tracer");
}

TEST(ResourceStrings, RequiredStringRaisesTheResourceError) {
    TempDevice device;
    MessageBoxRecorder boxes;
    ExpectTracerBoxes expected;  // the failed load is traced before the error is raised
    EXPECT_EQ(RequireStr(101), u"Brevane");
    try {
        RequireStr(99999);
        ADD_FAILURE() << "no exception";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.Code(), 0xEFFFFFFCu);
        EXPECT_EQ(error.Arg(), 99999u);
    }
    Str s;
    EXPECT_TRUE(s.FormatRes(41216, 3));
    EXPECT_EQ(s, u"Waiting for 3 seconds...");
}

}  // namespace
