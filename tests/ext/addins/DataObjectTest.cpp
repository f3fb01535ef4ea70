// The data object as an extension sees it: through its slot table only, as plain C would call it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "ext/addins/NewPluginManager.h"
#include "support/TempDevice.h"

namespace {

class DataObjectTest : public ::testing::Test {
protected:
    ShellFormatEtc Format(uint32_t tymed = plat::kTymedHGlobal, uint32_t aspect = plat::kAspectContent) const {
        return {object_.Format(), nullptr, aspect, -1, tymed};
    }
    int32_t GetData(ShellFormatEtc* format, ShellStgMedium* medium) { return Slots()->GetData(Self(), format, medium); }
    ShellDataObject* Self() { return object_.Object(); }
    const ShellDataObjectVtbl* Slots() { return Self()->lpVtbl; }

    TempDevice device_;
    NewPluginManager object_;
};

}  // namespace

TEST_F(DataObjectTest, TheBlockHoldsTheSelectedContactsInTheirThirtyTwoBitLayout) {
    const uint32_t oids[] = {0x00012345, 0xFEDCBA98};
    object_.SetContacts(oids);
    ShellFormatEtc format = Format();
    ShellStgMedium medium{0, nullptr, reinterpret_cast<void*>(1)};
    ASSERT_EQ(GetData(&format, &medium), plat::kShellOk);
    EXPECT_EQ(std::pair(medium.tymed, medium.pUnkForRelease), std::pair(plat::kTymedHGlobal, static_cast<void*>(nullptr)));
    const std::vector<uint8_t> expected{
        0x02, 0x00, 0x00, 0x00,                           // count
        0xDF, 0x3F, 0x10, 0x18, 0x45, 0x23, 0x01, 0x00,  // item type word, first contact
        0xDF, 0x3F, 0x10, 0x18, 0x98, 0xBA, 0xDC, 0xFE,  // item type word, second contact
    };
    const auto* block = static_cast<const uint8_t*>(medium.hGlobal);
    EXPECT_EQ(std::vector<uint8_t>(block, block + expected.size()), expected);
    std::free(medium.hGlobal);
}

TEST_F(DataObjectTest, DataSlotsCheckTheFormatAndTheirArguments) {
    ShellFormatEtc format = Format();
    ShellStgMedium medium{};
    EXPECT_EQ(GetData(&format, &medium), plat::kShellNotImplemented) << "no contacts selected";

    const uint32_t one[] = {7};
    object_.SetContacts(one);
    struct Case { const char* what; ShellFormatEtc format; int32_t getData, queryGetData; };
    const uint16_t other = static_cast<uint16_t>(object_.Format() + 1);
    const Case cases[] = {
        {"offered", Format(), plat::kShellOk, plat::kShellOk},
        {"no content aspect", Format(plat::kTymedHGlobal, 4), addin::kBadTymed, addin::kBadFormatEtc},
        {"content among others", Format(plat::kTymedHGlobal, 1 | 4), plat::kShellOk, addin::kBadFormatEtc},
        {"a stream", Format(4), addin::kBadFormatEtc, addin::kBadFormatEtc},
        {"another format", {other, nullptr, plat::kAspectContent, -1, plat::kTymedHGlobal}, addin::kBadFormatEtc, addin::kBadFormatEtc},
    };
    for (Case c : cases) {
        ShellStgMedium got{};
        EXPECT_EQ(GetData(&c.format, &got), c.getData) << c.what;
        EXPECT_EQ(Slots()->QueryGetData(Self(), &c.format), c.queryGetData) << c.what;
        std::free(got.hGlobal);
    }
    EXPECT_EQ(GetData(nullptr, &medium), plat::kShellInvalidArgument);
    EXPECT_EQ(Slots()->QueryGetData(Self(), nullptr), addin::kBadFormatEtc);

    // The canonical format leaves the caller no device pointer to free.
    ShellFormatEtc out = Format();
    out.ptd = &out;
    EXPECT_EQ(Slots()->GetCanonicalFormatEtc(Self(), &format, &out), plat::kShellNotImplemented);
    EXPECT_EQ(out.ptd, nullptr);
}

TEST_F(DataObjectTest, InterfacesAndTheCountThatNeverDeletes) {
    void* got = reinterpret_cast<void*>(1);
    const ShellGuid other = {0x0000010f, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
    EXPECT_EQ(Slots()->QueryInterface(Self(), &other, &got), plat::kShellNoInterface);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(Slots()->QueryInterface(Self(), &plat::kDataObjectIid, nullptr), addin::kPointerNull);
    EXPECT_EQ(object_.RefCount(), 0u);
    EXPECT_EQ(Slots()->QueryInterface(Self(), &plat::kDataObjectIid, &got), plat::kShellOk);
    EXPECT_EQ(got, Self());
    EXPECT_EQ(Slots()->QueryInterface(Self(), &addin::kUnknownIid, &got), plat::kShellOk);
    EXPECT_EQ(Slots()->AddRef(Self()), 3u);
    for (uint32_t left : {2u, 1u, 0u}) EXPECT_EQ(Slots()->Release(Self()), left);
    EXPECT_EQ(Slots()->Release(Self()), 0u) << "an extra release neither wraps nor deletes";
}
