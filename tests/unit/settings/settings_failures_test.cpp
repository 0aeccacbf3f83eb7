#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/setup_settings.h"
#include "support/setup_fixture.h"

namespace {

using Codes = std::vector<int>;
using Key = testing_support::MemoryStore::Key;
using forms::ErrorNumber;

const std::pair<float, float> kCentred{2157, 4512};
constexpr const char* kHeading =
    "Some saved settings could not be used; their defaults were applied instead:";

struct SettingsFailures : ::testing::Test, testing_support::SetupFixture {
    void stored(const std::map<Key, std::string>& values) {
        for (const auto& [key, text] : values) {
            store.values[key] = text;
        }
    }
    // The keys a save that fails nowhere writes, in order; the store is left empty.
    std::vector<Key> saveOrder() {
        window.SaveSettingsToFile();
        std::vector<Key> order = std::exchange(store.writes, {});
        store.values.clear();
        return order;
    }
};

TEST_F(SettingsFailures, BadValuesTakeTheirDefaultsTheRestIsAppliedAndOneReportNamesThemAll) {
    stored({
        {{"ActiveOut", "SVHSOut"}, "70000"},
        {{"Signal", "Black"}, "x"},
        {{"Signal", "Bars"}, "False"},
        {{"Signal", "Ramp"}, "True"},
        {{"Blanking", "BlankOn"}, "7"},
        {{"Filter", "None"}, "True"},
        {{"Filter", "Medium"}, "False"},
        {{"Position", "Horizontal"}, "-16"},
        {{"Phase", "Phase"}, "1"},
    });
    store.unreadableKey = Key{"Filter", "Maximum"};

    window.Load();

    ASSERT_EQ(errors.reports.size(), 1U);
    EXPECT_EQ(errors.reports[0].number, ErrorNumber::Overflow) << "numbered after the first";
    EXPECT_EQ(errors.reports[0].message,
              std::string(kHeading) +
                  "\nActiveOut\\SVHSOut holds \"70000\" (Overflow); expected True or False."
                  "\nSignal\\Black holds \"x\" (Type mismatch); expected True or False."
                  "\nBlanking\\BlankOn holds \"7\" (Invalid property value); expected 0 or 1."
                  "\nFilter\\Maximum could not be read (access denied); expected True or False.");
    // The keys after each bad one still came back, each through its handler
    // (Ramp is only remembered behind normal output).
    EXPECT_EQ(driver.codes, (Codes{16}));
    EXPECT_TRUE(c().optCompOut.selected());
    EXPECT_TRUE(c().optTestRamp.selected());
    EXPECT_EQ(c().chkBlanking.value(), 0);
    EXPECT_TRUE(c().optFilterNone.selected());
    EXPECT_EQ(vars().curHorizValue, -16);
    EXPECT_EQ(c().chkPhase.value(), 1);
}

TEST_F(SettingsFailures, ABadValueIsReportedOncePerRunUntilASaveReplacesIt) {
    stored({{{"Signal", "Black"}, "x"}, {{"Filter", "None"}, "False"}});
    load();
    window.Show();
    window.buttons().cmdCancel.userClick();
    window.closeBox();
    EXPECT_EQ(errors.reports.size(), 1U) << "start-up only";

    store.values[{"Signal", "Black"}] = "y";
    window.closeBox();
    EXPECT_EQ(errors.reports.size(), 2U) << "a different bad text";

    window.SaveSettingsToFile();
    stored({{{"Signal", "Black"}, "y"}, {{"Filter", "Medium"}, "False"}});
    window.closeBox();
    ASSERT_EQ(errors.reports.size(), 3U) << "the save replaced both";
    EXPECT_NE(errors.reports[2].message.find("Signal\\Black"), std::string::npos);
    EXPECT_NE(errors.reports[2].message.find("Filter holds"), std::string::npos);
}

TEST_F(SettingsFailures, AfterABadValueTheNextOkKeepsEveryGoodSettingAndMendsTheBadOne) {
    stored({
        {{"Signal", "Black"}, "maybe"},
        {{"Filter", "None"}, "True"},
        {{"Filter", "Medium"}, "False"},
        {{"Position", "Vertical"}, "40"},
        {{"Direction", "Vertical"}, "-8"},
        {{"Phase", "Phase"}, "1"},
    });
    load();

    window.buttons().cmdOK.userClick();

    EXPECT_EQ(store.values[Key("Signal", "Black")], "False");
    EXPECT_EQ(store.values[Key("Filter", "None")], "True");
    EXPECT_EQ(store.values[Key("Filter", "Medium")], "False");
    EXPECT_EQ(store.values[Key("Filter", "Maximum")], "False");
    EXPECT_EQ(store.values[Key("Position", "Vertical")], "40");
    EXPECT_EQ(store.values[Key("Direction", "Vertical")], "-8");
    EXPECT_EQ(store.values[Key("Phase", "Phase")], "1");
    EXPECT_EQ(errors.reports.size(), 1U) << "only the read's report; the save succeeded";
}

TEST_F(SettingsFailures, ValuesOutsideTheirRangeAreReportedAndTakeTheirDefault) {
    struct Case {
        Key key;
        const char* text;
        const char* expected;
    };
    const char* offset = "a multiple of 8 from -64 to 64";
    const char* direction = "8 or -8";
    const Case cases[] = {
        {{"Position", "Horizontal"}, "12", offset},
        {{"Position", "Horizontal"}, "72", offset},
        {{"Position", "Horizontal"}, "-72", offset},
        {{"Position", "Horizontal"}, "20000", offset},
        {{"Position", "Vertical"}, "-4", offset},
        {{"Position", "Vertical"}, "11000", offset},
        {{"Direction", "Horizontal"}, "0", direction},
        {{"Direction", "Horizontal"}, "16", direction},
        {{"Direction", "Horizontal"}, "-1", direction},
        {{"Direction", "Vertical"}, "4", direction},
        {{"Direction", "Vertical"}, "-16", direction},
        {{"ActiveOut", "VGAOnly"}, "2", "0 or 1"},
    };
    load();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.key.first + "\\" + k.key.second + " = " + k.text);
        store.values = {{k.key, k.text}, {{"Phase", "Phase"}, "1"}};
        c().chkPhase.setValue(0);
        errors.reports.clear();

        window.ReadSettingsFromFile();

        ASSERT_EQ(errors.reports.size(), 1U);
        EXPECT_EQ(errors.reports[0].number, ErrorNumber::InvalidPropertyValue);
        EXPECT_EQ(errors.reports[0].message,
                  std::string(kHeading) + "\n" + k.key.first + "\\" + k.key.second + " holds \"" +
                      k.text + "\" (Invalid property value); expected " + k.expected + ".");
        EXPECT_EQ(vars().curHorizValue, 0);
        EXPECT_EQ(vars().curVertValue, 0);
        EXPECT_EQ(vars().curHorizDirection, 8);
        EXPECT_EQ(vars().curVertDirection, 8);
        EXPECT_EQ(picture(), kCentred);
        EXPECT_EQ(c().chkVGAOnly.value(), 1);
        EXPECT_EQ(c().chkPhase.value(), 1) << "the read went on to Phase";
    }
    EXPECT_EQ(driver.codes, Codes{});

    // With the default direction the picture turns at the end of travel again.
    for (int press = 0; press < 9; ++press) {
        preview().cmdHorizAdjust.userClick();
    }
    EXPECT_EQ(vars().curHorizValue, 56);
}

TEST_F(SettingsFailures, TheEndsOfTravelAndBothDirectionsAreOnTheGrid) {
    stored({
        {{"Position", "Horizontal"}, "64"},
        {{"Direction", "Horizontal"}, "-8"},
        {{"Position", "Vertical"}, "-64"},
        {{"Direction", "Vertical"}, "-8"},
    });
    window.Load();
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(vars().curHorizValue, 64);
    EXPECT_EQ(vars().curHorizDirection, -8);
    EXPECT_EQ(vars().curVertValue, -64);
    EXPECT_EQ(vars().curVertDirection, -8);
    EXPECT_EQ(picture(), std::make_pair(1965.0F + 384, 4320.0F));
}

TEST_F(SettingsFailures, EveryFrameEndsTheReadWithExactlyOneOptionAndItsCommandSent) {
    using Button = forms::OptionButton card::CardControls::*;
    using card::CardControls;
    struct Case {
        const char* name;
        Button pickedBefore;  // nullptr: a fresh start; otherwise a Cancel after this pick
        std::map<Key, std::string> values;
        std::vector<Button> selected;
        Codes expected;
        std::optional<std::string> report;
    };
    // Quoted to 40 characters, line breaks shown as '?': a stored text never
    // makes the report outgrow the screen.
    const std::string longTrue = "True" + std::string(60, ' ');
    const std::string shown = '"' + longTrue.substr(0, 40) + "...\"";
    const std::string tooLong = "1\n" + std::string(63, '0');
    const std::string tooLongShown = "\"1?" + std::string(38, '0') + "...\"";
    const Case cases[] = {
        {"the one True option wins over a missing default",
         nullptr,
         {{{"Filter", "None"}, "True"}},
         {&CardControls::optFilterNone},
         {16},
         std::nullopt},
        {"S-VHS named alone",
         nullptr,
         {{{"ActiveOut", "CompOut"}, "False"}, {{"ActiveOut", "SVHSOut"}, "True"}},
         {&CardControls::optSVHSOut},
         {20, 21},
         std::nullopt},
        {"no filter True, after the user picked None",
         &CardControls::optFilterNone,
         {{{"Filter", "None"}, "False"},
          {{"Filter", "Medium"}, "False"},
          {{"Filter", "Maximum"}, "False"}},
         {&CardControls::optFilterMedium},
         {17},
         "Filter holds None \"False\", Medium \"False\", Maximum \"False\""},
        {"TV on with no output True",
         nullptr,
         {{{"ActiveOut", "VGAOnly"}, "0"},
          {{"ActiveOut", "CompOut"}, "False"},
          {{"ActiveOut", "SVHSOut"}, "False"}},
         {&CardControls::optCompOut},
         {127, 18, 17},
         "ActiveOut holds CompOut \"False\", SVHSOut \"False\""},
        {"two test signals True",
         nullptr,
         {{{"Signal", "Black"}, "True"}, {{"Signal", "Bars"}, "true"}},
         {&CardControls::optTestBars},
         {},
         "Signal holds Black \"True\", Bars \"true\", Ramp missing"},
        {"both standards True, after the user picked PAL",
         &CardControls::optPAL,
         {{{"Standard", "NTSC"}, "True"}, {{"Standard", "PAL"}, "True"}},
         {&CardControls::optNTSC},
         {},
         "Standard holds NTSC \"True\", PAL \"True\""},
        {"no blanking colour True, after the user picked Black",
         &CardControls::optBlankBlack,
         {{{"Blanking", "Blue"}, "False"}},
         {&CardControls::optBlankBlue},
         {33},
         "Blanking holds Blue \"False\", Black missing"},
        {"two long True texts and one too long for any setting",
         nullptr,
         {{{"Filter", "None"}, longTrue},
          {{"Filter", "Medium"}, longTrue},
          {{"Filter", "Maximum"}, tooLong}},
         {&CardControls::optFilterMedium},
         {},
         "Filter\\Maximum holds " + tooLongShown +
             " (Invalid property value); expected True or False.\n"
             "Filter holds None " +
             shown + ", Medium " + shown + ", Maximum " + tooLongShown},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        window.Unload();
        vars() = {};
        store.values = {};
        load();
        if (k.pickedBefore != nullptr) {
            (c().*k.pickedBefore).setValue(true);
        }
        store.values = k.values;
        driver.codes.clear();
        errors.reports.clear();

        if (k.pickedBefore != nullptr) {
            window.ReadSettingsFromFile();
        } else {
            window.Unload();
            vars() = {};
            window.Load();
        }

        for (Button button : k.selected) {
            EXPECT_TRUE((c().*button).selected());
        }
        EXPECT_EQ(c().optCompOut.selected() + c().optSVHSOut.selected(), 1);
        EXPECT_EQ(c().optNTSC.selected() + c().optPAL.selected(), 1);
        EXPECT_EQ(
            c().optTestBlack.selected() + c().optTestBars.selected() + c().optTestRamp.selected(),
            1);
        EXPECT_EQ(c().optBlankBlue.selected() + c().optBlankBlack.selected(), 1);
        EXPECT_EQ(c().optFilterNone.selected() + c().optFilterMedium.selected() +
                      c().optFilterMax.selected(),
                  1);
        EXPECT_EQ(driver.codes, k.expected);
        if (!k.report) {
            EXPECT_TRUE(errors.reports.empty());
        } else {
            ASSERT_EQ(errors.reports.size(), 1U);
            EXPECT_EQ(errors.reports[0].message, std::string(kHeading) + "\n" + *k.report +
                                                     "; expected exactly one of them True.");
        }
    }
}

TEST_F(SettingsFailures, AFailedSaveSaysWhatItWroteAndKeepsTheWindowOpen) {
    struct Case {
        std::optional<std::string> unwritableSection;
        std::optional<Key> failingKey;
        std::size_t written;
        std::string message;
    };
    const Case cases[] = {
        {"Filter", std::nullopt, 0,
         "Settings were not saved: could not write Filter (access denied)"},
        {"Phase", std::nullopt, 0,
         "Settings were not saved: could not write Phase (access denied)"},
        {std::nullopt, Key{"ActiveOut", "VGAOnly"}, 0,
         "Settings were not saved: could not write ActiveOut\\VGAOnly (disk full)"},
    };
    load();
    window.Show();
    c().optFilterNone.userClick();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.message);
        store.values.clear();
        store.writes.clear();
        errors.reports.clear();
        store.unwritableSection = k.unwritableSection;
        store.failingKey = k.failingKey;

        window.buttons().cmdOK.userClick();

        ASSERT_EQ(errors.reports.size(), 1U);
        EXPECT_EQ(errors.reports[0].number, ErrorNumber::PropertyAccessFailed);
        EXPECT_EQ(errors.reports[0].message, k.message);
        EXPECT_EQ(store.writes.size(), k.written);
        EXPECT_TRUE(window.Visible()) << "OK did not go through, so the window stays";
    }

    // Part of the way through, it counts what it wrote and names the rest.
    store.unwritableSection.reset();
    store.failingKey.reset();
    const std::vector<Key> order = saveOrder();
    store.failingKey = Key{"Filter", "Medium"};
    window.buttons().cmdOK.userClick();
    const auto failed = std::ranges::find(order, *store.failingKey);
    EXPECT_EQ(store.writes, std::vector<Key>(order.begin(), failed));
    std::string rest;
    for (auto key = failed; key != order.end(); ++key) {
        rest += (key == failed ? "" : ", ") + key->first + "\\" + key->second;
    }
    EXPECT_EQ(errors.reports.back().message,
              "Settings were saved only in part: could not write Filter\\Medium (disk full). " +
                  std::to_string(failed - order.begin()) + " of " + std::to_string(order.size()) +
                  " values were written; not written: " + rest + ".");
    EXPECT_TRUE(window.Visible());
}

TEST_F(SettingsFailures, TheSaveLetsTheFailurePassToItsCaller) {
    load();
    const std::vector<Key> order = saveOrder();
    store.failingKey = Key{"Phase", "Phase"};
    EXPECT_THROW(window.SaveSettingsToFile(), forms::RuntimeError);
    EXPECT_EQ(store.writes,
              std::vector<Key>(order.begin(), std::ranges::find(order, *store.failingKey)));
}

}  // namespace
