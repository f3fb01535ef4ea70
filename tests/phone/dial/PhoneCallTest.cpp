#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "phone/PhoneTestSupport.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/PhoneService.h"
#include "platform/programs/Process.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "store/contact/Contact.h"

namespace {

// Ends a stand-in program by its window, so none outlives the test.
void CloseProgram(std::u16string_view windowClass) {
    if (const plat::HWND window = plat::FindWindow(windowClass)) plat::PostMessage(window, plat::WM_CLOSE, 0, 0);
}

// Waits (really) up to two seconds for a window of the class to appear.
bool AwaitWindow(std::u16string_view windowClass) {
    for (int i = 0; i < 200 && plat::FindWindow(windowClass) == 0; ++i) plat::RealSleeper().Sleep(10);
    return plat::FindWindow(windowClass) != 0;
}

std::vector<std::string> CallLines(const TempDevice& device) {
    std::vector<std::string> calls;
    for (const std::string& line : ProgramLog(device)) {
        if (line.starts_with("phone.dll\tPhoneMakeCall")) calls.push_back(line);
    }
    return calls;
}

TEST(PhoneCall, ThroughTheDevicesPhoneLibraryWithTheCalledParty) {
    TempDevice device;
    ASSERT_TRUE(PhoneCallAvailable()) << "the phone library stand-in is not installed";
    int prepared = 0;
    // Real waits: the phone program is a process of its own and needs real time to come up.
    Dialer dialer({nullptr, nullptr, nullptr, [&] { ++prepared; }});
    Contact contact;
    contact.SetText(kFieldFirst, u"Anna");
    contact.SetText(kFieldLast, u"Smith");
    EXPECT_EQ(dialer.Dial(0, u"+1 555 1234", &contact, 0, u"ignored"), 0);
    contact.SetText(kFieldFileAs, u"Smith (home)");
    EXPECT_EQ(dialer.Dial(0, u"5551234", &contact, kDialJustCall, Str()), 0);
    EXPECT_EQ(dialer.Dial(0, u"777", nullptr, kDialJustCall, u"Desk"), 0);
    EXPECT_EQ(dialer.Dial(0, u"888", nullptr, kDialJustCall, Str()), 0);
    EXPECT_EQ(dialer.Dial(0, u"*#06#", &contact, kDialJustCall, Str()), kDialMissing);
    CloseProgram(u"MSCprog");
    EXPECT_EQ(prepared, 4);
    EXPECT_EQ(CallLines(device), (std::vector<std::string>{
                                     "phone.dll\tPhoneMakeCall\t0\t+1 555 1234\t(null)\tSmith, Anna\t(null)",
                                     "phone.dll\tPhoneMakeCall\t0\t5551234\t(null)\tSmith (home)\t(null)",
                                     "phone.dll\tPhoneMakeCall\t0\t777\t(null)\tDesk\t(null)",
                                     "phone.dll\tPhoneMakeCall\t0\t888\t(null)\t(null)\t(null)",
                                 }));
    // The phone program was started for the first call and found running for the others.
    int starts = 0;
    for (const std::string& line : ProgramLog(device)) starts += line.starts_with("cprog.exe") ? 1 : 0;
    EXPECT_EQ(starts, 1);
}

TEST(PhoneCall, ServiceCodeReachesTheCallPolicyProgram) {
    TempDevice device;
    ASSERT_TRUE(plat::StartProgram(u"callpol.exe", u""));
    ASSERT_TRUE(AwaitWindow(u"CallPol"));
    EXPECT_EQ(Dialer().Dial(0, u"*#06#", nullptr, kDialJustCall, Str()), 0);
    EXPECT_EQ(Dialer().Dial(0, u"*21*5551234#", nullptr, 0, Str()), 0);
    CloseProgram(u"CallPol");
    // The program's start, then the two codes; the phone library is never called.
    EXPECT_EQ(ProgramLog(device), (std::vector<std::string>{"callpol.exe\t", "callpol.exe\tservice code\t*#06#",
                                                          "callpol.exe\tservice code\t*21*5551234#"}));
}

}  // namespace
