#include <gtest/gtest.h>

#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/templates/PhoneTemplateDialogModel.h"
#include "support/TempDevice.h"

namespace {

std::vector<std::u16string> List(const PhoneTemplates& t) {
    std::vector<std::u16string> out;
    for (int i = 0; i < t.GetCount(); ++i) out.emplace_back(t.Template(i).View());
    return out;
}

TEST(PhoneTemplateDialog, OpensOrderedBySlotCountAndShowsExamples) {
    TempDevice device;
    PhoneTemplateDialogModel m;
    m.Open();
    const auto list = List(m.Templates());
    ASSERT_EQ(list.size(), 6u);
    for (int i = 1; i < 6; ++i) EXPECT_LE(m.Templates().SlotCount(i - 1), m.Templates().SlotCount(i));
    EXPECT_EQ(list[0], u"##-##-##");
    EXPECT_EQ(list[5], u"+# (###) ###-##-##");

    const struct {
        const char16_t* text;
        const char16_t* example;
    } cases[] = {
        {u"+# (###) ###-##-##", u"+1 (234) 567-89-01"},
        {u"800-###-####", u"800-123-4567"},
        {u"abc", u"abc"},
        {u"", u"Nothing to display"},
    };
    for (const auto& c : cases) {
        m.SetText(c.text);
        EXPECT_EQ(m.Example(), c.example);
    }
    m.Select(5);
    EXPECT_EQ(m.Text(), u"+# (###) ###-##-##");
    m.Select(17);
    EXPECT_EQ(m.Selection(), -1);
}

TEST(PhoneTemplateDialog, AddDeleteAndMove) {
    TempDevice device;
    PhoneTemplateDialogModel m;
    m.Open();
    using R = PhoneTemplateDialogModel::AddResult;
    const std::pair<const char16_t*, R> adds[] = {
        {u"", R::Ignored}, {u"##-##-##", R::Ignored}, {u"{###}", R::Forbidden}, {u"# ## ##", R::Added}};
    for (const auto& [text, result] : adds) {
        m.SetText(text);
        EXPECT_EQ(m.Add(), result) << Str(text).ToUtf8();
    }
    EXPECT_EQ(std::tuple(m.Selection(), m.Templates().Template(0), m.Templates().GetCount()), std::tuple(0, Str(u"# ## ##"), 7));

    m.Up();  // at the top: nothing
    EXPECT_EQ(m.Selection(), 0);
    m.Down();
    EXPECT_EQ(m.Selection(), 1);
    EXPECT_EQ(m.Templates().Template(1), u"# ## ##");
    m.Select(6);
    m.Down();  // at the bottom: nothing
    EXPECT_EQ(m.Selection(), 6);
    m.Delete();  // the last went: the new last is selected
    EXPECT_EQ(m.Selection(), 5);
    EXPECT_EQ(m.Templates().GetCount(), 6);
    m.Select(0);
    m.Delete();
    EXPECT_EQ(m.Selection(), 0);
    EXPECT_EQ(m.Text(), m.Templates().Template(0));

    m.ToggleIgnoreHyphens();
    ASSERT_TRUE(m.Ok());
    PhoneTemplates stored;
    stored.Load();
    EXPECT_EQ(List(stored), List(m.Templates()));
    EXPECT_TRUE(stored.IgnoresHyphens());

    m.Default();
    EXPECT_EQ(std::pair(m.Templates().GetCount(), m.Templates().Template(0)), std::pair(6, Str(u"##-##-##")));

    // Deleting everything leaves no selection, and an empty list is stored as such.
    for (int i = 0; i < 8; ++i) {
        m.Select(0);
        m.Delete();
    }
    EXPECT_EQ(m.Templates().GetCount(), 0);
    EXPECT_EQ(m.Selection(), -1);
    m.Up();
    m.Down();
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(SettingsStore::ReadDword(settings::kTemplates, settings::kCount, 9), 0u);
}

}  // namespace
