#include <gtest/gtest.h>

#include <sstream>

#include "RunTool.h"
#include "support/TempDevice.h"

namespace {

class ViewTool : public testing::Test {
protected:
    ToolResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--root", device.Root().string()});
        return RunTool(args);
    }
    TempDevice device;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST_F(ViewTool, ShowPrintsTheHeadingThenOneLinePerViewLineAndTheNoteLast) {
    const ToolResult added = Run({"add", "first=Anna", "last=Smith", "company=Acme", "mobile=+15551234567",
                                  "email=anna@example.com", "note=line one\nline two", "category=Business"});
    ASSERT_EQ(added.status, 0) << added.err;
    const std::string oid = added.out.substr(0, added.out.find('\n'));

    const ToolResult shown = Run({"show", oid});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto lines = Lines(shown.out);
    ASSERT_GE(lines.size(), 4u) << shown.out;
    EXPECT_EQ(lines.front().rfind("Name\tAnna Smith", 0), 0u) << lines.front();
    EXPECT_EQ(lines.back(), "Note\tline one / line two");
    for (const char* text : {"+15551234567", "anna@example.com", "Business"}) {
        EXPECT_NE(shown.out.find(text), std::string::npos) << text << " missing from\n" << shown.out;
    }
    for (const std::string& line : lines) {
        EXPECT_NE(line.find('\t'), std::string::npos) << line;
        EXPECT_EQ(line.find('<'), std::string::npos) << "markup left in " << line;
    }
}

TEST_F(ViewTool, ShowAndFormatPhoneRefuseWhatMakesNoSense) {
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"show", "1", "2"}, 2}, {{"show", "xyz"}, 2}, {{"show", "123456789"}, 2}, {{"show", "7fff"}, 1},
        {{"format-phone"}, 2},
    };
    for (const auto& c : cases) {
        const ToolResult result = Run(c.args);
        EXPECT_EQ(result.status, c.status) << c.args.front() << " " << (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_TRUE(result.out.empty()) << result.out;
        EXPECT_FALSE(result.err.empty());
    }
}

TEST_F(ViewTool, FormatPhoneUsesTheDevicesTemplatesOnlyWhenSwitchedOn) {
    const std::string number(300, '5');
    const ToolResult plain = Run({"format-phone", "5551234567", number});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "5551234567\n" + number + "\n");

    ASSERT_EQ(Run({"reg", "set", "HKCU\\Software\\Velmora\\PIM\\Templates", "IsActiveTemplate", "dword", "1"}).status, 0);
    const ToolResult formatted = Run({"format-phone", "5551234567", "", number});
    ASSERT_EQ(formatted.status, 0) << formatted.err;
    EXPECT_EQ(formatted.out, "555-123-4567\n\n" + number + "\n");
}
