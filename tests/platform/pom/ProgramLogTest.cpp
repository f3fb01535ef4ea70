#include "platform/pom/ProgramLog.h"

#include <gtest/gtest.h>

#include "platform/programs/ProgramLine.h"

namespace {

std::time_t LocalNoon() {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 29;
    t.tm_hour = 12;
    t.tm_min = 5;
    t.tm_sec = 9;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

}  // namespace

TEST(ProgramLog, LineHasTimeLibraryFunctionAndTabBeforeEachArgument) {
    const std::u16string args[] = {u"a b", u"line\nbreak\ttab\x01", u"\u00e4"};
    EXPECT_EQ(plat::LibraryCallLine(u"pimstore.dll", u"Display", args, LocalNoon()),
              "2024-02-29T12:05:09\tpimstore.dll\tDisplay\ta b\tline\\nbreak\\ttab\\x01\t\xc3\xa4\n");
    EXPECT_EQ(plat::LibraryCallLine(u"x.dll", u"F", {}, LocalNoon()), "2024-02-29T12:05:09\tx.dll\tF\n");
    // A started program's line: its file name, then its command line (empty or not) as one field.
    EXPECT_EQ(plat::ProgramLine(u"Velmora Dialer.exe", u"", LocalNoon()), "2024-02-29T12:05:09\tVelmora Dialer.exe\t\n");
}
