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

    const struct {
        const char16_t* text;
        const char16_t* example;
    } cases[] = {
        {u"+# (###) ###-##-##", u"+1 (234) 567-89-01"},
        {u"", u"Nothing to display"},
    };
    for (const auto& c : cases) {
        m.SetText(c.text);
        EXPECT_EQ(m.Example(), c.example);
    }
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

    using Dialog = PhoneTemplateDialogModel;
    const struct {
        int select;  // -1: as it is
        void (Dialog::*action)();
        int selection, count;
    } steps[] = {
        {-1, &Dialog::Up, 0, 7},    // at the top: nothing
        {-1, &Dialog::Down, 1, 7},  // the new template moves down with the selection
        {6, &Dialog::Down, 6, 7},   // at the bottom: nothing
        {6, &Dialog::Delete, 5, 6}, // the last went: the new last is selected
        {0, &Dialog::Delete, 0, 5},
    };
    for (const auto& step : steps) {
        if (step.select >= 0) m.Select(step.select);
        (m.*step.action)();
        EXPECT_EQ(std::pair(m.Selection(), m.Templates().GetCount()), std::pair(step.selection, step.count));
        EXPECT_EQ(m.Text(), m.Templates().Template(m.Selection()));
    }
    EXPECT_EQ(List(m.Templates())[0], u"# ## ##");

    m.ToggleIgnoreHyphens();
    ASSERT_TRUE(m.Ok());
    PhoneTemplates stored;
    stored.Load();
    EXPECT_EQ(List(stored), List(m.Templates()));
    EXPECT_TRUE(stored.IgnoresHyphens());

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
