#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/Dialer.h"
#include "phone/menu/CustomTag.h"
#include "phone/menu/PhoneFields.h"
#include "phone/speed/CSpeedInfoStore.h"
#include "phone/speed/SpeedContacts.h"
#include "phone/speed/SpeedRegistry.h"
#include "phone/speed/SpeedToolsMenu.h"
#include "platform/locale/Locale.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "store/contact/Contact.h"
#include "support/MessageBoxRecorder.h"
#include "support/RegistryWritesFail.h"

namespace {

// Contacts by identifier, the identifier a name search finds, and every name searched for.
class FakeContacts : public SpeedContacts {
public:
    bool Read(uint32_t oid, Contact& contact) override {
        const auto it = contacts.find(oid);
        if (it == contacts.end()) return false;
        contact.Assign(it->second);
        contact.SetOid(oid);
        return true;
    }
    std::optional<uint32_t> FirstFound(const Str& text) override {
        searches.emplace_back(text.View());
        const auto it = found.find(std::u16string(text.View()));
        if (it == found.end()) return std::nullopt;
        return it->second;
    }
    Contact& Add(uint32_t oid, const char16_t* first, const char16_t* last, const char16_t* mobile) {
        Contact& c = contacts[oid];
        c.SetText(kFieldFirst, first);
        c.SetText(kFieldLast, last);
        c.SetText(kFieldMobile, mobile);
        c.SetRecordId(oid + 1000);
        return c;
    }
    std::map<uint32_t, Contact> contacts;
    std::map<std::u16string, uint32_t> found;
    std::vector<std::u16string> searches;
};

std::u16string Key() { return std::u16string(settings::kRoot) + std::u16string(kSpeedCallSection); }

std::optional<plat::RegValue> Value(std::u16string_view name) {
    return plat::DeviceRegistry().GetValue(plat::Hive::CurrentUser, Key(), name);
}

std::vector<std::u16string> Names(const CSpeedInfoStore& store) {
    std::vector<std::u16string> names;
    for (const SpeedRecord& r : store.Records()) {
        names.push_back(std::u16string(CSpeedInfoStore::DisplayName(r).View()) + u"@" +
                        std::u16string(1, static_cast<char16_t>(u'0' + r.index)));
    }
    return names;
}

TEST(SpeedRegistry, DamagedAndWrongTypedValues) {
    TempDevice device;
    auto& registry = plat::DeviceRegistry();
    auto set = [&](std::u16string_view name, const plat::RegValue& value) {
        EXPECT_TRUE(registry.SetValue(plat::Hive::CurrentUser, Key(), name, value));
    };
    set(u"Oid0", plat::RegValue::String(u"12"));    // wrong type: a record without contact
    set(u"Phone0", plat::RegValue::Dword(5551234));  // wrong type: empty
    set(u"Index0", plat::RegValue::Dword(2));
    set(u"Oid1", plat::RegValue::Dword(0));
    set(u"Btn1", plat::RegValue::Dword(7));
    set(u"Phone1", plat::RegValue::Binary({1, 2, 3}));
    set(u"Oid3", plat::RegValue::Dword(9));  // after a gap: not read
    const auto first = ReadSpeedRecord(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(std::tuple(first->oid, first->btn, first->phone, first->index), std::tuple(0u, -1, Str(), 2u));
    EXPECT_EQ(ReadSpeedRecord(1)->btn, 7);
    EXPECT_FALSE(ReadSpeedRecord(2));

    FakeContacts contacts;
    CSpeedInfoStore store(contacts);
    store.Load(3, 3);
    ASSERT_EQ(store.Records().size(), 2u);
    EXPECT_EQ(store.FindCell(2), 0);
    EXPECT_TRUE(contacts.searches.empty());  // records without contact are left alone
    EXPECT_EQ(Value(u"Oid0")->type, plat::REG_SZ);  // and not rewritten
}

TEST(CSpeedInfoStore, RemoveClosesUpMoveExchangesSortUsesCollation) {
    TempDevice device;
    FakeContacts contacts;
    contacts.Add(1, u"Beta", u"", u"1");
    contacts.Add(2, u"alpha", u"", u"2");
    contacts.Add(3, u"Alpha", u"", u"3");
    CSpeedInfoStore store(contacts);
    store.Load(3, 2);
    for (uint32_t oid = 1; oid <= 3; ++oid)
        EXPECT_TRUE(store.Assign(static_cast<int>(oid) - 1, oid, kTagMobile));

    EXPECT_TRUE(store.Move(0, 2));  // onto an occupied cell: exchanged
    EXPECT_EQ(Names(store), (std::vector<std::u16string>{u"Beta@2", u"alpha@1", u"Alpha@0"}));
    EXPECT_TRUE(store.Move(1, 5));  // onto an empty cell: the old one is empty
    EXPECT_EQ(std::pair(store.FindCell(1), store.FindCell(5)), std::pair(-1, 1));
    EXPECT_FALSE(store.Move(5, 6) || store.Move(1, 0));  // past the last cell; from an empty cell

    ASSERT_LT(plat::CompareText(u"alpha", u"Alpha"), 0);  // the locale's order, not code order
    EXPECT_TRUE(store.SortByName());
    EXPECT_EQ(Names(store), (std::vector<std::u16string>{u"alpha@0", u"Alpha@1", u"Beta@2"}));

    EXPECT_TRUE(store.Remove(0));
    EXPECT_EQ(Names(store), (std::vector<std::u16string>{u"Alpha@1", u"Beta@2"}));
    EXPECT_EQ(std::pair(Value(u"Oid0")->AsDword(), Value(u"Oid1")->AsDword()), std::pair(std::optional(3u), std::optional(1u)));
    EXPECT_FALSE(Value(u"Oid2") || Value(u"First2"));
}

TEST(CSpeedInfoStore, RefreshFollowsTheContactOrFindsItByName) {
    TempDevice device;
    FakeContacts contacts;
    contacts.Add(10, u"Anna", u"Li", u"111");
    contacts.Add(11, u"Bo", u"Ek", u"222");
    {
        CSpeedInfoStore store(contacts);
        store.Load(3, 3);
        EXPECT_TRUE(store.Assign(0, 10, kTagMobile));
        EXPECT_TRUE(store.Assign(1, 11, kTagMobile));
        EXPECT_TRUE(store.Rename(1, u"Boss"));
    }
    contacts.contacts[10].SetText(kFieldFirst, u"Ann");
    contacts.contacts[10].SetText(kFieldMobile, u"333");
    contacts.contacts[11].SetText(kFieldFirst, u"Bob");
    // Contact 11 was deleted and made anew as 12; the name search finds it.
    contacts.contacts[12] = contacts.contacts[11];
    contacts.contacts.erase(11);
    contacts.found[u"Bo Ek"] = 12;
    CSpeedInfoStore store(contacts);
    store.Load(3, 3);
    EXPECT_EQ(contacts.searches, std::vector<std::u16string>{u"Bo Ek"});
    EXPECT_EQ(Names(store), (std::vector<std::u16string>{u"Li, Ann@0", u"Boss@1"}));  // renamed keeps its name
    EXPECT_EQ(std::pair(store.Records()[0].phone, Value(u"Oid1")->AsDword()), std::pair(Str(u"333"), std::optional(12u)));

    // Not found at all: the button keeps what it had.
    contacts.contacts.clear();
    CSpeedInfoStore orphan(contacts);
    orphan.Load(3, 3);
    EXPECT_EQ(Names(orphan), Names(store));
    EXPECT_EQ(orphan.Records()[0].phone.View(), u"333");
}

TEST(CSpeedInfoStore, NamesRenameCandidatesAndMoveTargets) {
    TempDevice device;
    SpeedRecord r;
    EXPECT_EQ(CSpeedInfoStore::DisplayName(r).View(), u"Unnamed");
    r.company = u"Acme";
    r.first = u"Anna";
    r.last = u"Li";
    r.fileAs = u"Li (Acme)";
    EXPECT_EQ(CSpeedInfoStore::DisplayName(r).View(), u"Li, Anna");
    EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kSortType, 1));
    EXPECT_EQ(CSpeedInfoStore::DisplayName(r).View(), u"Li (Acme)");
    r.display = u"Mum";
    EXPECT_EQ(CSpeedInfoStore::DisplayName(r).View(), u"Mum");

    EXPECT_EQ(CSpeedInfoStore::RenameCandidates(r),
              (std::vector<Str>{u"Anna", u"Anna Li", u"Li, Anna", u"Anna (Acme)", u"Li", u"Li (Acme)", u"Acme"}));

    using D = CSpeedInfoStore::Direction;
    const struct {
        int cell;
        D direction;
        int expected;
    } moves[] = {{4, D::Up, 1}, {1, D::Up, -1}, {4, D::Down, 7}, {7, D::Down, -1},
                 {3, D::Left, 2}, {0, D::Left, -1}, {2, D::Right, 3}, {8, D::Right, -1}};
    for (const auto& m : moves) EXPECT_EQ(CSpeedInfoStore::MoveTarget(m.cell, m.direction, 3, 9), m.expected);
}

// An assigned cell is stored as the values other programs read; a rename to the name shown
// already stores nothing; a button dials its contact through the add-in.
TEST(CSpeedInfoStore, AssignStoresTheRecordByteForByteThenRenameAndDial) {
    TempDevice device({.phone = false});
    FakeContacts contacts;
    Contact& anna = contacts.Add(0x1A2B, u"Anna", u"Li", u"111");
    anna.phones.Add({u"Sat", u"999"});
    CSpeedInfoStore store(contacts);
    store.Load(3, 3);
    ASSERT_TRUE(store.Assign(2, 0x1A2B, kTagMobile));
    std::vector<std::u16string> names;
    for (const auto& [name, value] : plat::DeviceRegistry().Values(plat::Hive::CurrentUser, Key())) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Oid0", u"First0", u"Last0", u"Middle0", u"Btn0", u"Company0",
                                                  u"Display0", u"Link0", u"Index0", u"Phone0", u"Type0"}));
    EXPECT_EQ(Value(u"Oid0")->type, plat::REG_DWORD);
    EXPECT_EQ(Value(u"Oid0")->data, (std::vector<uint8_t>{0x2B, 0x1A, 0, 0}));
    EXPECT_EQ(Value(u"Link0")->data, (std::vector<uint8_t>{0x1F, 0x00, 0x96, 0x00}));
    EXPECT_EQ(Value(u"First0")->type, plat::REG_SZ);
    EXPECT_EQ(Value(u"First0")->data, (std::vector<uint8_t>{'A', 0, 'n', 0, 'n', 0, 'a', 0, 0, 0}));
    EXPECT_EQ(Value(u"Middle0")->data, (std::vector<uint8_t>{0, 0}));

    ASSERT_TRUE(store.Assign(2, 0x1A2B, CustomTag(u"Sat", u"999")));
    EXPECT_EQ(std::pair(store.Records().size(), store.Records()[0].type), std::pair(size_t{1}, Str(u"Sat")));
    EXPECT_FALSE(store.Assign(3, 77, kTagMobile));
    EXPECT_TRUE(store.ApplyRename(2, u"Li, Anna"));
    EXPECT_TRUE(store.Records()[0].display.IsEmpty());
    EXPECT_TRUE(store.ApplyRename(2, u"Annie"));
    EXPECT_EQ(Value(u"Display0")->AsString(), u"Annie");

    RecordingAddIn addIn;
    Dialer dialer({&addIn});
    PhoneTemplates formats;
    EXPECT_EQ(store.DialButton(2, Str(), dialer, 0, formats), 0);
    EXPECT_EQ(addIn.items, std::vector<uint32_t>{0x80000000u | (0x1A2B + 1000)});
    EXPECT_EQ(store.DialButton(5, Str(), dialer, 0, formats), kDialMissing);
    contacts.contacts.clear();  // without its contact the button dials its number alone
    EXPECT_EQ(store.DialButton(2, Str(), dialer, 0, formats), kDialMissing);
}

// The Tools menu's commands act on the selected cell, the selection following a move; only
// clearing everything asks first.
TEST(SpeedTools, CommandsFollowTheSelectedCellAndOnlyClearingAllAsks) {
    TempDevice device;
    FakeContacts contacts;
    for (const auto& [oid, name] : {std::pair(1u, u"Cleo"), std::pair(2u, u"Abe"), std::pair(3u, u"Bo")}) {
        contacts.Add(oid, name, u"", u"+15550000");
    }
    CSpeedInfoStore store(contacts);
    store.Load(2, 2);  // cells 0 1 / 2 3
    ASSERT_TRUE(store.Assign(0, 1, kTagMobile) && store.Assign(3, 2, kTagMobile));
    MessageBoxRecorder boxes;
    int selected = 2;
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClear, selected), SpeedToolsOutcome::None) << "an empty cell";
    selected = 3;
    EXPECT_EQ(ApplySpeedTools(store, kSpeedRename, selected), SpeedToolsOutcome::OpenRename);
    EXPECT_EQ(ApplySpeedTools(store, kSpeedLeft, selected), SpeedToolsOutcome::Redraw);
    EXPECT_EQ(selected, 2) << "the selection follows a move";
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClear, selected), SpeedToolsOutcome::Redraw);
    EXPECT_EQ(store.Records().size(), 1u);
    EXPECT_TRUE(boxes.Boxes().empty());

    boxes.Answer(plat::IDNO);
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClearAll, selected), SpeedToolsOutcome::None);
    EXPECT_EQ(store.Records().size(), 1u);
    boxes.Answer(plat::IDYES);
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClearAll, selected), SpeedToolsOutcome::Redraw);
    EXPECT_TRUE(store.Records().empty());
    EXPECT_FALSE(plat::DeviceRegistry().KeyExists(plat::Hive::CurrentUser, Key()));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].flags, plat::MB_YESNO | plat::MB_ICONWARNING);
}

// A change whose write fails is reported as failed, never as done, and the Tools menu tells the
// user; the registry keeps what it held.
TEST(SpeedTools, AChangeThatCannotBeWrittenIsToldNotDone) {
    TempDevice device;
    FakeContacts contacts;
    contacts.Add(1, u"Abe", u"", u"+15550000");
    contacts.Add(2, u"Bo", u"", u"+15550001");
    CSpeedInfoStore store(contacts);
    store.Load(2, 2);
    ASSERT_TRUE(store.Assign(0, 1, kTagMobile));
    MessageBoxRecorder boxes;
    {
        RegistryWritesFail full(device);
        const Status assigned = store.Assign(1, 2, kTagMobile);
        EXPECT_EQ(assigned.Code(), StatusCode::Failed);
        EXPECT_EQ(assigned.Message(), u"The speed dial could not be saved.");
        EXPECT_EQ(store.Rename(0, u"Abraham").Code(), StatusCode::Failed);
        int selected = 0;
        EXPECT_EQ(ApplySpeedTools(store, kSpeedClear, selected), SpeedToolsOutcome::Redraw);
        EXPECT_EQ(store.Assign(3, 77, kTagMobile).Code(), StatusCode::NotFound);
        EXPECT_EQ(store.Move(2, 3).Code(), StatusCode::Invalid) << "an empty cell";
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"The speed dial could not be saved.");
    EXPECT_EQ(boxes.Boxes()[0].flags, plat::MB_OK | plat::MB_ICONWARNING);
    ASSERT_TRUE(ReadSpeedRecord(0).has_value());
    EXPECT_EQ(ReadSpeedRecord(0)->display, Str()) << "the rename was not kept";
    EXPECT_FALSE(ReadSpeedRecord(1).has_value());
}

}  // namespace
