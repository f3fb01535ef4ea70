// The options' apply steps with a dialog result: what changes, in which order, and what is written.
#include <gtest/gtest.h>

#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "ext/coord/CoordBlockFormat.h"
#include "index/alphabet/AbcChoice.h"
#include "support/RegistryWritesFail.h"
#include "support/TempDevice.h"
#include "ui/frame/OptionsApply.h"

namespace {

class RecordingHost : public OptionsHost {
public:
    std::vector<std::string> calls;
    void ApplyListFont(const FontStyle&) override { calls.push_back("list font"); }
    void ApplyViewFont(const FontStyle&) override { calls.push_back("view font"); }
    void ApplyAbcSettings(const AbcBarSettings&) override { calls.push_back("abc"); }
    void SetRowHeightIncrement(int pixels) override { calls.push_back("row height " + std::to_string(pixels)); }
    void RebuildIndexWithProgress() override { calls.push_back("reindex"); }
    void RebuildList() override { calls.push_back("rebuild list"); }
    void RedrawList() override { calls.push_back("redraw list"); }
    void SetChangeFlag(uint32_t code) override { calls.push_back("flag " + std::to_string(code)); }
    void PostToCallerId(uint32_t message) override { calls.push_back("caller-id " + std::to_string(message)); }
    void ReloadPhoneTemplates() override { calls.push_back("templates"); }
};

TEST(OptionsApply, CancelChangesNothingAndUnchangedOptionsOnlyRedraw) {
    const TempDevice device;
    const OptionsState before = ReadOptionsState(true, 96);
    EXPECT_EQ(before.abc.type, static_cast<uint32_t>(ChosenAbcType())) << "without a stored type, the language's";
    EXPECT_NE(before.abc.type, static_cast<uint32_t>(kAbcCustom));
    OptionsResult cancelled;
    cancelled.state = before;
    cancelled.state.hideSim = !before.hideSim;
    cancelled.reindex = true;
    RecordingHost host;
    EXPECT_TRUE(ApplyOptions(before, cancelled, 96, host));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(SettingsStore::ReadDword(settings::kSettings, settings::kHideSim, 7), 7u);
    EXPECT_TRUE(ApplyOptions(before, OptionsResult{true, before}, 96, host));
    EXPECT_EQ(host.calls, std::vector<std::string>{"redraw list"});
}

TEST(OptionsApply, EveryStepInOrderWithItsSettingAndFlag) {
    const TempDevice device;
    const OptionsState before = ReadOptionsState(false, 96);
    OptionsResult result{true, before, true, true};
    result.state.hideSim = !before.hideSim;
    result.state.listFont.face = u"Serif";
    result.state.viewFont.height = -20;
    result.state.abc = {2, u"abc"};
    result.state.incrH = 3;
    result.state.templatesActive = true;
    RecordingHost host;
    EXPECT_TRUE(ApplyOptions(before, result, 192, host));
    const std::vector<std::string> expected = {
        "flag " + std::to_string(kHideSimChanged), "list font", "flag " + std::to_string(kListFontChanged),
        "view font", "flag " + std::to_string(kViewFontChanged), "abc", "flag " + std::to_string(kAbcSettingsChanged),
        "reindex", "flag " + std::to_string(kIndexRebuilt), "caller-id 1327", "row height 12",
        "flag " + std::to_string(kRowHeightChanged), "templates", "flag " + std::to_string(kPhoneFormatsChanged),
        "rebuild list"};
    EXPECT_EQ(host.calls, expected);
    const OptionsState after = ReadOptionsState(true, 96);
    EXPECT_EQ(after.hideSim, result.state.hideSim);
    EXPECT_EQ(after.listFont.face.View(), u"Serif");
    EXPECT_EQ(after.viewFont.height, -20);
    EXPECT_EQ(after.abc, result.state.abc);
    EXPECT_EQ(after.incrH, 3u);
    EXPECT_EQ(SettingsStore::ReadDword(settings::kTemplates, settings::kIsActiveTemplate, 0), 1u);
}

// Options that cannot be written fail the apply with the words the user is shown; the steps
// still run, so the screens show what was chosen.
TEST(OptionsApply, ASettingThatCannotBeWrittenFailsTheApply) {
    const TempDevice device;
    const OptionsState before = ReadOptionsState(false, 96);
    OptionsResult result{true, before};
    result.state.incrH = before.incrH + 1;
    RecordingHost host;
    const RegistryWritesFail full(device);
    const Status applied = ApplyOptions(before, result, 96, host);
    EXPECT_EQ(applied.Code(), StatusCode::Failed);
    EXPECT_EQ(applied.Message(), u"The options could not be saved.");
    EXPECT_EQ(host.calls.front(), "row height 2");
}

}  // namespace
