#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "settings/setup_settings.h"
#include "support/setup_fixture.h"

namespace {

using Codes = std::vector<int>;
using Key = testing_support::MemoryStore::Key;

// The screen rectangle of the preview is at (1965, 4320); offset 0 puts the
// picture 192 twips inside it, and each offset unit is 3 twips.
constexpr float kScreenLeft = 1965;
constexpr float kScreenTop = 4320;
const std::pair<float, float> kCentred{2157, 4512};

const forms::ControlRow* rowOf(const Key& key) {
    const auto row = std::ranges::find_if(card::kKelSetupControls, [&](const auto& row) {
        return row.section == key.first && row.key == key.second;
    });
    return row == card::kKelSetupControls.end() ? nullptr : &*row;
}

// Every key a read or a save goes through, sorted: each saved control's, and
// the picture position's four.
std::vector<Key> everyKey() {
    std::vector<Key> keys{{"Position", "Horizontal"},
                          {"Position", "Vertical"},
                          {"Direction", "Horizontal"},
                          {"Direction", "Vertical"}};
    for (const forms::ControlRow& row : card::kKelSetupControls) {
        if (!row.section.empty()) {
            keys.emplace_back(row.section, row.key);
        }
    }
    std::ranges::sort(keys);
    return keys;
}

// The save follows the read section by section, in the order the read first
// comes to each, with a section's check box before the rest of it.
std::vector<Key> saveOrderOf(const std::vector<Key>& read) {
    std::vector<Key> save = read;
    std::ranges::stable_sort(save, {}, [&](const Key& key) {
        const forms::ControlRow* row = rowOf(key);
        return std::pair(std::ranges::find(read, key.first, &Key::first) - read.begin(),
                         row == nullptr || row->kind != forms::ControlKind::CheckBox);
    });
    return save;
}

struct Settings : ::testing::Test, testing_support::SetupFixture {
    void stored(const std::map<Key, std::string>& values) {
        for (const auto& [key, text] : values) {
            store.values[key] = text;
        }
    }

    // The 16 control values in save order: check values, and -1/0 for options.
    std::vector<int> controlValues() {
        auto& k = c();
        return {k.chkVGAOnly.value(),    k.optCompOut.value(),      k.optSVHSOut.value(),
                k.optNTSC.value(),       k.optPAL.value(),          k.chkNormalOut.value(),
                k.optTestBlack.value(),  k.optTestBars.value(),     k.optTestRamp.value(),
                k.chkBlanking.value(),   k.optBlankBlue.value(),    k.optBlankBlack.value(),
                k.optFilterNone.value(), k.optFilterMedium.value(), k.optFilterMax.value(),
                k.chkPhase.value()};
    }

    // Swaps every click handler for one that only notes its control's name.
    void recordRaisedHandlers() {
        for (forms::Control* control : window.controls()) {
            control->replaceClickHandler([this, control] { raised.push_back(control->name()); });
        }
    }
    std::vector<std::string> raised;
};

std::vector<int> designValues() {
    return {1, -1, 0, -1, 0, 1, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0};
}

TEST_F(Settings, AnEmptyStoreChangesNoControlSendsNothingAndCentresThePreview) {
    window.Load();
    EXPECT_EQ(driver.codes, Codes{});
    EXPECT_EQ(controlValues(), designValues());
    EXPECT_EQ(picture(), kCentred);
    EXPECT_EQ(vars().curHorizValue, 0);
    EXPECT_EQ(vars().curVertValue, 0);
    EXPECT_EQ(vars().curHorizDirection, 8);
    EXPECT_EQ(vars().curVertDirection, 8);
    EXPECT_TRUE(errors.reports.empty());

    recordRaisedHandlers();
    window.ReadSettingsFromFile();
    EXPECT_EQ(raised, std::vector<std::string>{});
    EXPECT_EQ(driver.codes, Codes{});
}

TEST_F(Settings, ReadingRightAfterASaveChangesNothingAndSendsNothing) {
    load();
    auto& k = c();
    k.chkVGAOnly.userClick();
    k.optSVHSOut.userClick();
    k.optPAL.userClick();
    k.chkNormalOut.userClick();
    k.optTestRamp.userClick();
    k.chkBlanking.userClick();
    k.optBlankBlack.userClick();
    k.optFilterNone.userClick();
    k.chkPhase.userClick();
    for (int press = 0; press < 10; ++press) {
        preview().cmdHorizAdjust.userClick();
    }
    preview().cmdVertAdjust.userClick();
    window.SaveSettingsToFile();
    const auto values = controlValues();
    const auto where = picture();
    const card::SetupVariables before = vars();
    driver.codes.clear();

    recordRaisedHandlers();
    window.ReadSettingsFromFile();

    EXPECT_EQ(raised, std::vector<std::string>{});
    EXPECT_EQ(driver.codes, Codes{});
    EXPECT_EQ(controlValues(), values);
    EXPECT_EQ(picture(), where);
    EXPECT_EQ(vars().curHorizValue, before.curHorizValue);
    EXPECT_EQ(vars().curHorizDirection, before.curHorizDirection);
    EXPECT_EQ(vars().curVertValue, before.curVertValue);
    EXPECT_EQ(vars().curVertDirection, before.curVertDirection);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(Settings, SaveWritesEveryKeyOnceInTheReadsSectionOrderInTheirTextForms) {
    load();
    c().chkVGAOnly.setValue(0);
    c().optTestRamp.setValue(true);
    c().chkNormalOut.setValue(2);  // greyed: still saved as the number it is
    c().optBlankBlack.setValue(true);
    c().chkPhase.setValue(1);
    vars().curHorizValue = 64;
    vars().curHorizDirection = -8;
    vars().curVertValue = -24;
    driver.codes.clear();

    window.SaveSettingsToFile();

    EXPECT_EQ(store.writes, saveOrderOf(store.reads));
    const std::map<Key, std::string> expected = {
        {{"ActiveOut", "VGAOnly"}, "0"},     {{"ActiveOut", "CompOut"}, "True"},
        {{"ActiveOut", "SVHSOut"}, "False"}, {{"Standard", "NTSC"}, "True"},
        {{"Standard", "PAL"}, "False"},      {{"Signal", "NormalOut"}, "2"},
        {{"Signal", "Black"}, "False"},      {{"Signal", "Bars"}, "False"},
        {{"Signal", "Ramp"}, "True"},        {{"Blanking", "BlankOn"}, "0"},
        {{"Blanking", "Blue"}, "False"},     {{"Blanking", "Black"}, "True"},
        {{"Filter", "None"}, "False"},       {{"Filter", "Medium"}, "False"},
        {{"Filter", "Maximum"}, "True"},     {{"Position", "Horizontal"}, "64"},
        {{"Position", "Vertical"}, "-24"},   {{"Direction", "Horizontal"}, "-8"},
        {{"Direction", "Vertical"}, "8"},    {{"Phase", "Phase"}, "1"},
    };
    for (const auto& [key, text] : expected) {
        EXPECT_EQ(store.values[key], text) << key.first << "\\" << key.second;
    }
    EXPECT_EQ(driver.codes, Codes{}) << "saving sends nothing";
}

// Every key once: "VGAOnly" first, as the rest overwrite its TV-on reset; the
// test signals before "NormalOut", whose handler sends the restored one; the
// preview placed once the position is read, before "Phase".
TEST_F(Settings, ReadGoesThroughEveryKeyOnceInTheOrderTheHandlersNeed) {
    stored({{{"Position", "Horizontal"}, "-64"}, {{"Position", "Vertical"}, "40"}});
    std::pair<float, float> pictureAtPhase;
    store.onRead = [&](const Key& key) {
        if (key == Key{"Phase", "Phase"}) {
            pictureAtPhase = picture();
        }
    };
    load();
    std::vector<Key> read = store.reads;
    EXPECT_EQ(read.front(), Key("ActiveOut", "VGAOnly"));
    for (const char* signal : {"Black", "Bars", "Ramp"}) {
        EXPECT_LT(std::ranges::find(read, Key("Signal", signal)),
                  std::ranges::find(read, Key("Signal", "NormalOut")));
    }
    std::ranges::sort(read);
    EXPECT_EQ(read, everyKey());
    EXPECT_EQ(pictureAtPhase, std::make_pair(kScreenLeft, kScreenTop + 192 + 120));
}

TEST_F(Settings, AtAStartWithVgaOnlyAStoredOffsetMovesOnlyThePreview) {
    stored({{{"Position", "Horizontal"}, "24"}});
    window.Load();
    EXPECT_EQ(vars().curHorizValue, 24);
    EXPECT_EQ(picture(), std::make_pair(kScreenLeft + 264, kScreenTop + 192));
    EXPECT_EQ(driver.codes, Codes{});
}

TEST_F(Settings, CancelStepsTheCardBackToTheStoredPositionAndTheMirrorFollowsIt) {
    load();
    window.Show();
    preview().cmdHorizAdjust.userClick();
    preview().cmdHorizAdjust.userClick();
    preview().cmdVertAdjust.userClick();
    driver.codes.clear();

    window.buttons().cmdCancel.userClick();

    // Heading away from 0, each axis gets back only by way of the far end.
    Codes expected(14, 3);
    expected.insert(expected.end(), 15, 2);
    EXPECT_EQ(driver.codes, expected);
    EXPECT_EQ(picture(), kCentred);
    EXPECT_EQ(vars().curHorizDirection, -8);
    EXPECT_EQ(vars().curVertDirection, -8);

    window.Show();
    preview().cmdHorizAdjust.userClick();
    window.buttons().cmdOK.userClick();
    EXPECT_EQ((store.values[{"Position", "Horizontal"}]), "-8") << "17 steps from the centre";
    EXPECT_EQ((store.values[{"Direction", "Horizontal"}]), "-8");
}

TEST_F(Settings, StoredTvOnRunsTheResetFirstThenTheCardIsSteppedToTheStoredPosition) {
    stored({
        {{"ActiveOut", "VGAOnly"}, "0"},
        {{"ActiveOut", "CompOut"}, "False"},
        {{"ActiveOut", "SVHSOut"}, "True"},
        {{"Blanking", "BlankOn"}, "1"},
        {{"Blanking", "Blue"}, "False"},
        {{"Blanking", "Black"}, "True"},
        {{"Filter", "None"}, "True"},
        {{"Filter", "Medium"}, "False"},
        {{"Filter", "Maximum"}, "False"},
        {{"Position", "Horizontal"}, "24"},
        {{"Direction", "Horizontal"}, "-8"},
        {{"Position", "Vertical"}, "-16"},
        {{"Direction", "Vertical"}, "8"},
        {{"Phase", "Phase"}, "1"},
    });
    Codes sentByStepOne;
    store.onRead = [&](const Key& key) {
        if (key == Key{"ActiveOut", "CompOut"}) {
            sentByStepOne = driver.codes;
        }
    };

    window.Load();

    EXPECT_EQ(sentByStepOne, (Codes{127, 18})) << "TV on, then the reset's Maximum filter";
    // S-VHS switches the output; the toggles go out now the reset has synchronised them.
    // The reset centred the picture: three steps right, and down only by way of the far end.
    Codes expected{127, 18, 20, 21, 1, 32, 16, 3, 3, 3};
    expected.insert(expected.end(), 18, 2);
    expected.push_back(22);
    EXPECT_EQ(driver.codes, expected);
    EXPECT_EQ(vars().DisplayMode, 1);
    EXPECT_EQ(vars().UpdateCard, forms::True);
    EXPECT_EQ(vars().curHorizValue, 24);
    EXPECT_EQ(vars().curHorizDirection, 8) << "where the card turns, not what was stored";
    EXPECT_EQ(vars().curVertValue, -16);
    EXPECT_EQ(vars().curVertDirection, -8);
    EXPECT_EQ(picture(), std::make_pair(kScreenLeft + 264, kScreenTop + 144));
}

TEST_F(Settings, AStoredTestSignalBehindNormalOutputIsNotSentByARestartOrCancel) {
    load();
    window.Show();
    c().chkNormalOut.userClick();
    c().optTestBlack.userClick();
    c().chkNormalOut.userClick();
    window.buttons().cmdOK.userClick();
    ASSERT_EQ((store.values[{"Signal", "NormalOut"}]), "1");
    ASSERT_EQ((store.values[{"Signal", "Black"}]), "True");
    driver.codes.clear();

    window.Unload();
    vars() = {};
    window.Load();
    EXPECT_EQ(driver.codes, Codes{}) << "a restart";
    EXPECT_TRUE(c().optTestBlack.selected());

    window.Show();
    c().chkNormalOut.userClick();
    c().optTestBars.userClick();
    c().chkNormalOut.userClick();
    ASSERT_EQ(driver.codes, (Codes{4, 6, 7}));
    driver.codes.clear();
    window.buttons().cmdCancel.userClick();
    EXPECT_EQ(driver.codes, Codes{}) << "Cancel";
    EXPECT_TRUE(c().optTestBlack.selected());
    EXPECT_EQ(c().chkNormalOut.value(), 1);
}

}  // namespace
