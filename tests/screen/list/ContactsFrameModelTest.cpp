// The contacts frame's model on a real store: typed and keypad searches, highlighting, the
// company order, deleting, finding a caller, the context menu's commands and the caller-ID number.
#include "screen/list/ContactsFrameModel.h"

#include <set>

#include "ListDevice.h"
#include "core/settings/SettingsStore.h"
#include "phone/templates/PhoneTemplates.h"
#include "platform/ui/MessageBox.h"
#include "support/MessageBoxRecorder.h"
#include "screen/list/ListKeys.h"

namespace {

class FrameModel : public ListDevice {
protected:
    void SetUp() override {
        ListDevice::SetUp();
        anna = Add({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldMobile, u"+1 555 123 4567"}});
        annandale = Add({{kFieldFirst, u"Joanne"}, {kFieldLast, u"Annandale"}, {kFieldCompany, u"Acme"}});
        joanne = Add({{kFieldFirst, u"Joanne"},
                      {kFieldLast, u"Smith"},
                      {kFieldCompany, u"Acme"},
                      {kFieldMobile, u"5551234567"}});
        kate = Add({{kFieldFirst, u"Kate"}});
        lana = Add({{kFieldFirst, u"Lana"}, {kFieldCompany, u"Zeta"}});
        alan = Add({{kFieldFirst, u"Alan"}});
        model = std::make_unique<ContactsFrameModel>(Manager(), formats, host, announced);
        model->Start(200, 300);
    }

    std::set<uint32_t> Listed() const { return {model->List().Oids().begin(), model->List().Oids().end()}; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int row = 0; row < model->List().RowCount(); ++row) {
            names.push_back(model->RowText(row).name.ToUtf8());
        }
        return names;
    }

    PhoneTemplates formats;
    FakeFilterHost host;
    Announcements announced;
    std::unique_ptr<ContactsFrameModel> model;
    uint32_t anna = 0, annandale = 0, joanne = 0, kate = 0, lana = 0, alan = 0;
};

TEST_F(FrameModel, TypedWordsAndKeypadGroupsNarrowTheList) {
    EXPECT_EQ(Listed().size(), 6u);
    FrameEffect effect = model->OnSearchText(u" ann");
    EXPECT_TRUE(effect.listChanged);
    EXPECT_EQ(Listed(), (std::set<uint32_t>{anna, annandale})) << "a prefix of a word, not a substring";
    EXPECT_FALSE(model->OnSearchText(u"ann ").listChanged) << "the same trimmed text";

    model->OnSearchText(u"an");
    const std::optional<Highlight> mark = model->HighlightOf(u"Joanne Annandale");
    ASSERT_TRUE(mark.has_value());
    EXPECT_EQ(std::pair(mark->start, mark->count), std::pair(2, 2)) << "the first \"an\", inside Joanne";
    model->OnCommand(framecmd::kHighlight);
    EXPECT_FALSE(model->HighlightOf(u"Joanne Annandale").has_value());

    model->OnSearchText(u"");
    model->OnKey(kVkNumpad0 + 5, KeySource::List);                // JKL
    effect = model->OnKey(kVkNumpad0 + 2, KeySource::SearchBox);  // ABC
    EXPECT_TRUE(effect.listChanged && effect.searchBoxChanged);
    EXPECT_EQ(model->Search().BoxText(), u"J-A");
    EXPECT_EQ(Listed(), (std::set<uint32_t>{kate, lana}));
    EXPECT_EQ(model->OnSearchBackspace(3, 3, 3).caret, 1);
    EXPECT_EQ(model->Search().BoxText(), u"J");
    EXPECT_EQ(model->OnAbcButton(true, 9).listChanged, true) << "the big bar's clear key";
    EXPECT_EQ(Listed().size(), 6u);
    effect = model->OnAbcButton(true, 12);
    EXPECT_EQ(std::pair(effect.action, effect.entry), std::pair(FrameAction::SpeedDial, 4))
        << "the held 4 key";

    effect = model->OnListChar(u'k');
    EXPECT_EQ(std::tuple(effect.focus, model->Search().BoxText(), Listed()),
              std::tuple(FocusTarget::SearchBox, Str(u"k"), std::set<uint32_t>{kate}));
}

TEST_F(FrameModel, TheCompanyOrderGroupsAndIsAnnouncedOnce) {
    FrameEffect effect = model->OnCommand(framecmd::kSortCompany);
    EXPECT_TRUE(effect.listChanged);
    EXPECT_EQ(Names(), (std::vector<std::string>{" (3)", "Alan", "Kate", "Smith, Anna", "Acme (2)",
                                                 "Annandale, Joanne", "Smith, Joanne", "Zeta (1)", "Lana"}));
    EXPECT_FALSE(model->OnCommand(framecmd::kSortCompany).listChanged)
        << "choosing the current order rebuilds nothing";
    EXPECT_EQ(announced.flags, (std::vector<uint32_t>{4}));

    (void)model->List().Select(model->List().RowOf(joanne));  // the selection is checked below
    effect = model->OnTap(4, false);  // the Acme header
    EXPECT_FALSE(model->List().Expanded(1));
    EXPECT_EQ(model->List().Selected(), 4);
    EXPECT_EQ(model->OnTalk().action, FrameAction::None) << "a header has no contact to call";
    model->OnTap(4, false);
    EXPECT_TRUE(model->List().Expanded(1));

    model->OnCommand(framecmd::kSortFileAs);
    EXPECT_FALSE(model->List().Grouped());
    EXPECT_EQ(Names().front(), "Alan") << "File As order names rows by the File As text, which a contact saved "
                                          "without one gets from its display name";
}

TEST_F(FrameModel, DeletingAsksFirstAndTakesTheContactsOut) {
    MessageBoxRecorder boxes;
    (void)model->List().Select(model->List().RowOf(kate));  // the selection is checked below
    model->List().SetMarked(model->List().RowOf(alan), true);
    model->List().SetMarked(model->List().RowOf(kate), true);
    boxes.Answer(plat::IDNO);
    EXPECT_FALSE(model->OnCommand(framecmd::kDelete).listChanged);
    EXPECT_EQ(Listed().size(), 6u);
    boxes.Answer(plat::IDYES);
    EXPECT_TRUE(model->OnCommand(framecmd::kDelete).listChanged);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"Selected contacts will be permanently deleted. Continue?");
    EXPECT_EQ(boxes.Boxes()[0].caption, u"Contacts");
    EXPECT_EQ(Listed().size(), 4u);
    Contact gone;
    EXPECT_FALSE(Manager().ReadContact(kate, gone));
    Settle([&] { return !Indexed(kate) && !Indexed(alan); });
    model->RebuildList();
    EXPECT_EQ(Listed(), (std::set<uint32_t>{anna, annandale, joanne, lana}));
}

TEST_F(FrameModel, ACallerIsFoundByNumberAndNameAndShownEvenWhenFilteredOut) {
    model->OnSearchText(u"kate");
    FrameEffect effect = model->FindCaller(u"Smith, Joanne++--++555-123-4567");
    EXPECT_EQ(std::tuple(effect.action, effect.oid, model->List().SelectedOid()),
              std::tuple(FrameAction::OpenContact, joanne, joanne));
    EXPECT_TRUE(model->Search().SearchText().IsEmpty()) << "the search was cleared to show the caller";
    EXPECT_EQ(model->FindCaller(u"Someone++--+++15551234567").oid, anna)
        << "no name matches: the first with the number";
    EXPECT_EQ(model->FindCaller(u"Kate").oid, kate) << "no number: the name alone";
    effect = model->FindCaller(u"Nobody++--++999999");
    EXPECT_EQ(std::tuple(effect.action, effect.text),
              std::tuple(FrameAction::NewContact, Str(u"Nobody++--++999999")));
}

TEST_F(FrameModel, ContextCommandsAndTheCallerIdNumber) {
    (void)model->List().Select(model->List().RowOf(joanne));  // the selection is checked below
    const MenuDescription menu = model->ContextMenu();
    ASSERT_NE(menu.Find(1005), nullptr);
    FrameEffect effect = model->OnContextCommand(1005);
    EXPECT_EQ(std::tuple(effect.action, effect.oid, effect.text),
              std::tuple(FrameAction::Dial, joanne, Str(u"5551234567")));
    EXPECT_EQ(model->OnContextCommand(118).action, FrameAction::EditAndCall);

    effect = model->OnContextCommand(41284);
    ASSERT_NE(effect.oid, 0u);
    Contact copy;
    ASSERT_TRUE(Manager().ReadContact(effect.oid, copy));
    EXPECT_EQ(copy.GetDisplayName(), u"Smith, Joanne");
    EXPECT_EQ(model->Filter().Recent().Oids().front(), effect.oid) << "a new contact is a recent one";

    ASSERT_TRUE(SettingsStore::WriteString(u"Settings", u"CallerIDPhone", u"+4930123456"));
    effect = model->OnCommand(framecmd::kCallerIdContact);
    EXPECT_EQ(std::tuple(effect.action, effect.text),
              std::tuple(FrameAction::NewContact, Str(u"+4930123456")));
    EXPECT_EQ(SettingsStore::ReadString(u"Settings", u"CallerIDPhone", u"x"), u"");
    EXPECT_FALSE(model->OnCommand(framecmd::kOptions).handled) << "the main window's command";
}

}  // namespace
