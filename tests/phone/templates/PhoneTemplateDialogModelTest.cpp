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

// The list opens ordered by slot count; a new template goes on top, moves with its selection and
// is stored by OK, and a list emptied by deleting is stored empty rather than as no list.
TEST(PhoneTemplateDialog, OpensOrderedThenAddsMovesDeletesAndStores) {
    TempDevice device;
    PhoneTemplateDialogModel m;
    m.Open();
    for (int i = 1; i < m.Templates().GetCount(); ++i) EXPECT_LE(m.Templates().SlotCount(i - 1), m.Templates().SlotCount(i));
    m.SetText(u"+# (###) ###-##-##");
    EXPECT_EQ(m.Example(), u"+1 (234) 567-89-01");
    m.Select(17);
    EXPECT_EQ(m.Selection(), -1);

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
    EXPECT_EQ(std::pair(List(stored), stored.IgnoresHyphens()), std::pair(List(m.Templates()), true));

    for (int i = 0; i < 8; ++i) {
        m.Select(0);
        m.Delete();
    }
    EXPECT_EQ(std::pair(m.Templates().GetCount(), m.Selection()), std::pair(0, -1));
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(SettingsStore::ReadDword(settings::kTemplates, settings::kCount, 9), 0u);
}

}  // namespace
