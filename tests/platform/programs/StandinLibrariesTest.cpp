// The stand-in libraries, loaded from a new device as the system loads them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "ProgramLogWait.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/PhoneAbi.h"
#include "platform/programs/ServiceAbi.h"
#include "platform/programs/ShellExtAbi.h"
#include "platform/text/Utf.h"

namespace {

bool Logged(const TempDevice& device, const std::string& line) {
    return ReadProgramLog(device).find(line) != std::string::npos;
}

TEST(StandinLibraries, PhoneMakeCallLogsTheCallAndRefusesABadBlock) {
    TempDevice device;
    plat::DeviceLibrary phone(u"PHONE.DLL");
    ASSERT_TRUE(phone.IsLoaded()) << plat::LastErrorMessage();
    auto* call = phone.Find<PhoneMakeCallFunction>(plat::kPhoneMakeCallExport);
    ASSERT_NE(call, nullptr);
    PhoneMakeCallInfo info{sizeof(PhoneMakeCallInfo), 0, u"+15551234567", nullptr, u"Smith\tJohn", nullptr};
    EXPECT_EQ(call(&info), 0);
    EXPECT_TRUE(Logged(device, "\tphone.dll\tPhoneMakeCall\t0\t+15551234567\t(null)\tSmith\\tJohn\t(null)\n"));
    info.cbSize = 24 + (sizeof(void*) == 4 ? 4 : 0);  // a size that is not this host's
    EXPECT_EQ(call(&info), plat::kPhoneCallBadBlock);
    EXPECT_EQ(call(nullptr), plat::kPhoneCallBadBlock);
    const std::string log = ReadProgramLog(device);
    size_t invalid = 0;
    for (size_t at = log.find("(invalid block)"); at != std::string::npos; at = log.find("(invalid block)", at + 1)) ++invalid;
    EXPECT_EQ(invalid, 2u);
}

TEST(StandinLibraries, FlagLibrariesKeepTheirStateOnTheDevice) {
    TempDevice device;
    const struct {
        const char16_t* library;
        const char* query;
        const char* on;
        const char* off;
    } libraries[] = {
        {u"VelmoraPimUtil.dll", "Util_IsSMSHook", "Util_SetSMSHook", "Util_RemoveSMSHook"},
        {u"BrevaneToday.dll", "IsTodayRegistered", "RegisterTodayItem", "UnRegisterTodayItem"},
    };
    for (const auto& l : libraries) {
        SCOPED_TRACE(l.query);
        plat::DeviceLibrary library(l.library);
        auto* query = library.Find<FlagFunction>(l.query);
        auto* on = library.Find<FlagFunction>(l.on);
        auto* off = library.Find<FlagFunction>(l.off);
        ASSERT_TRUE(query && on && off);
        EXPECT_EQ(query(), 0);
        EXPECT_EQ(on(), 1);
        EXPECT_EQ(query(), 1);
        // Another load (as another process would) sees the same state.
        EXPECT_EQ(plat::DeviceLibrary(l.library).Find<FlagFunction>(l.query)(), 1);
        EXPECT_EQ(off(), 1);
        EXPECT_EQ(query(), 0);
        EXPECT_TRUE(Logged(device, "\t" + plat::ToUtf8(l.library) + "\t" + l.on + "\n"));
    }
}

TEST(StandinLibraries, PimServiceIsRegisteredActivatedAndAnswersBothRequests) {
    TempDevice device;
    plat::DeviceLibrary core(u"coredll.dll");
    auto* getHandle = core.Find<GetServiceHandleFunction>("GetServiceHandle");
    auto* activate = core.Find<ActivateServiceFunction>("ActivateService");
    auto* control = core.Find<ServiceIoControlFunction>("ServiceIoControl");
    ASSERT_TRUE(getHandle && activate && control);
    EXPECT_EQ(getHandle(u"VelmoraPim0:", nullptr, nullptr), nullptr);
    EXPECT_EQ(activate(u"VelmoraPim", 0), nullptr);  // not registered yet

    plat::DeviceLibrary serviceLibrary(u"VelmoraPimServ.dll");
    auto* registerService = serviceLibrary.Find<RegisterServiceFunction>("RegisterService");
    ASSERT_NE(registerService, nullptr);
    EXPECT_EQ(registerService(), 1);
    EXPECT_EQ(getHandle(u"VelmoraPim0:", nullptr, nullptr), nullptr);  // registered, not running
    void* activated = activate(u"VelmoraPim", 0);
    ASSERT_NE(activated, nullptr);

    char16_t dll[64] = {};
    uint32_t dllBytes = sizeof dll;
    void* service = getHandle(u"velmorapim0:", dll, &dllBytes);
    EXPECT_EQ(service, activated);
    EXPECT_EQ(std::u16string(dll), u"VelmoraPimServ.dll");
    EXPECT_EQ(dllBytes, 38u);

    uint8_t answer = 0x55;
    uint32_t used = 0;
    EXPECT_EQ(control(service, plat::kPimServiceGetDialer, nullptr, 0, &answer, 1, &used, nullptr), 1);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(used, 1u);
    const uint8_t assign = 1;
    EXPECT_EQ(control(service, plat::kPimServiceSetDialer, &assign, 1, nullptr, 0, nullptr, nullptr), 1);
    EXPECT_EQ(control(service, plat::kPimServiceGetDialer, nullptr, 0, &answer, 1, &used, nullptr), 1);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(control(service, plat::kPimServiceSetDialer, nullptr, 0, nullptr, 0, nullptr, nullptr), 0);
    EXPECT_EQ(control(service, 7, &assign, 1, &answer, 1, &used, nullptr), 0);
    EXPECT_EQ(control(reinterpret_cast<void*>(uintptr_t{99}), plat::kPimServiceGetDialer, nullptr, 0, &answer, 1,
                      &used, nullptr), 0);
    const std::string log = ReadProgramLog(device);
    EXPECT_NE(log.find("\tVelmoraPimServ.dll\tIOControl\t1\t1\t0\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\tcoredll.dll\tServiceIoControl\t(invalid handle)\t2\n"), std::string::npos) << log;
}

TEST(StandinLibraries, LedsReportTheVibratorAndLogEachSwitch) {
    TempDevice device;
    plat::DeviceLibrary core(u"coredll.dll");
    auto* info = core.Find<NLedGetDeviceInfoFunction>("NLedGetDeviceInfo");
    auto* set = core.Find<NLedSetDeviceFunction>("NLedSetDevice");
    ASSERT_TRUE(info && set);
    NledCountInfo count{};
    ASSERT_EQ(info(plat::kNledCountInfo, &count), 1);
    ASSERT_EQ(count.cLeds, 2u);
    std::vector<int32_t> adjust;
    for (uint32_t led = 0; led <= count.cLeds; ++led) {
        NledSupportsInfo supports{};
        supports.LedNum = led;
        EXPECT_EQ(info(plat::kNledSupportsInfo, &supports), led < count.cLeds ? 1 : 0);
        if (led < count.cLeds) adjust.push_back(supports.lCycleAdjust);
    }
    EXPECT_EQ(adjust, (std::vector<int32_t>{1000, -1}));
    NledSettingsInfo settings{1, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(set(plat::kNledSettingsInfo, &settings), 1);
    settings.LedNum = 5;
    EXPECT_EQ(set(plat::kNledSettingsInfo, &settings), 0);
    const std::string log = ReadProgramLog(device);
    EXPECT_NE(log.find("\tcoredll.dll\tNLedSetDevice\t2\t1\t1\n"), std::string::npos) << log;
}

// A data object as a program hands it to the extensions: it answers the "ItemRefArray" format with
// a count and (type word, identifier) pairs, and counts its references.
struct TestDataObject {
    ShellDataObject base;
    std::vector<uint32_t> identifiers;
    uint16_t format;
    int references = 1;
};

TestDataObject* Self(ShellDataObject* object) { return reinterpret_cast<TestDataObject*>(object); }

int32_t NotImplemented() { return plat::kShellNotImplemented; }

const ShellDataObjectVtbl kTestDataObjectSlots = {
    [](ShellDataObject* self, const ShellGuid* iid, void** out) -> int32_t {
        *out = std::memcmp(iid, &plat::kDataObjectIid, sizeof(ShellGuid)) == 0 ? self : nullptr;
        if (*out == nullptr) return plat::kShellNoInterface;
        self->lpVtbl->AddRef(self);
        return plat::kShellOk;
    },
    [](ShellDataObject* self) -> uint32_t { return static_cast<uint32_t>(++Self(self)->references); },
    [](ShellDataObject* self) -> uint32_t { return static_cast<uint32_t>(--Self(self)->references); },
    [](ShellDataObject* self, ShellFormatEtc* format, ShellStgMedium* medium) -> int32_t {
        const TestDataObject* object = Self(self);
        if (format->cfFormat != object->format || format->tymed != plat::kTymedHGlobal) return plat::kShellFail;
        const auto count = static_cast<uint32_t>(object->identifiers.size());
        auto* block = static_cast<uint32_t*>(std::malloc(4 + 8 * count));
        block[0] = count;
        for (uint32_t i = 0; i < count; ++i) {
            block[1 + 2 * i] = 0;
            block[2 + 2 * i] = object->identifiers[i];
        }
        *medium = ShellStgMedium{plat::kTymedHGlobal, block, nullptr};
        return plat::kShellOk;
    },
    [](ShellDataObject*, ShellFormatEtc*, ShellStgMedium*) { return NotImplemented(); },
    [](ShellDataObject*, ShellFormatEtc*) { return NotImplemented(); },
    [](ShellDataObject*, ShellFormatEtc*, ShellFormatEtc*) { return NotImplemented(); },
    [](ShellDataObject*, ShellFormatEtc*, ShellStgMedium*, int32_t) { return NotImplemented(); },
    [](ShellDataObject*, uint32_t, void**) { return NotImplemented(); },
    [](ShellDataObject*, ShellFormatEtc*, uint32_t, void*, uint32_t*) { return NotImplemented(); },
    [](ShellDataObject*, uint32_t) { return NotImplemented(); },
    [](ShellDataObject*, void**) { return NotImplemented(); },
};

struct TestMenu {
    ShellMenu base;
    std::vector<std::pair<uint32_t, std::u16string>> items;
};

TEST(StandinLibraries, ContextMenuExtensionAddsOneCommandThatLogsTheSelection) {
    TempDevice device;
    plat::DeviceLibrary shell(u"aygshell.dll");
    auto* load = shell.Find<SHLoadContextMenuExtensionsFunction>("SHLoadContextMenuExtensions");
    auto* invoke = shell.Find<SHInvokeContextMenuCommandFunction>("SHInvokeContextMenuCommand");
    auto* release = shell.Find<SHFreeContextMenuExtensionsFunction>("SHFreeContextMenuExtensions");
    ASSERT_TRUE(load && invoke && release);
    TestDataObject data{{&kTestDataObjectSlots}, {7, 0x80000001u},
                        static_cast<uint16_t>(plat::RegisterWindowMessage(plat::kItemRefArrayFormat))};
    TestMenu menu{{nullptr, [](void* context, uint32_t id, const char16_t* text) -> int32_t {
                       static_cast<TestMenu*>(context)->items.emplace_back(id, text);
                       return 1;
                   }}, {}};
    menu.base.context = &menu;

    void* extensions = reinterpret_cast<void*>(uintptr_t{1});
    EXPECT_EQ(load(&data.base, u"Calendar", u"Main_ContextMenu", &menu.base, 41222, 41286, &extensions), plat::kShellOk);
    EXPECT_EQ(extensions, nullptr);
    EXPECT_TRUE(menu.items.empty());

    ASSERT_EQ(load(&data.base, u"Contacts", u"Main_ContextMenu", &menu.base, 41224, 41286, &extensions), plat::kShellOk);
    ASSERT_NE(extensions, nullptr);
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].first, 41224u);
    EXPECT_EQ(menu.items[0].second, u"Log selected contacts");
    EXPECT_EQ(data.references, 2);
    EXPECT_EQ(invoke(0, 41225, extensions), 0);
    EXPECT_EQ(invoke(0, 41224, extensions), 1);
    EXPECT_EQ(data.references, 2);
    EXPECT_EQ(release(extensions), 1);
    EXPECT_EQ(data.references, 1);
    const std::string log = ReadProgramLog(device);
    EXPECT_NE(log.find("\tAygshell.dll\tSHLoadContextMenuExtensions\tContacts\tMain_ContextMenu\t41224\t41286\n"),
              std::string::npos) << log;
    EXPECT_NE(log.find("\tAygshell.dll\tLog selected contacts\tItemRefArray\t7\t2147483649\n"), std::string::npos) << log;
}

}  // namespace
