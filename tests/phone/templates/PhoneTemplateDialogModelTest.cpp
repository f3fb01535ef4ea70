#include <gtest/gtest.h>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/templates/PhoneTemplateDialogModel.h"
#include "support/TempDevice.h"

namespace {

// A new template goes on top and moves with its selection; deleting the last selects the new
// last; a list emptied by deleting is stored empty rather than as no list (which means the defaults).
TEST(PhoneTemplateDialog, AddsMovesDeletesAndStoresAnEmptyList) {
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
    m.Down();
    EXPECT_EQ(std::pair(m.Selection(), m.Templates().Template(1)), std::pair(1, Str(u"# ## ##")));
    m.Select(6);
    m.Delete();
    EXPECT_EQ(std::tuple(m.Selection(), m.Templates().GetCount(), m.Text()), std::tuple(5, 6, m.Templates().Template(5)));

    for (int i = 0; i < 8; ++i) {
        m.Select(0);
        m.Delete();
    }
    EXPECT_EQ(std::pair(m.Templates().GetCount(), m.Selection()), std::pair(0, -1));
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(SettingsStore::ReadDword(settings::kTemplates, settings::kCount, 9), 0u);
}

}  // namespace
