#include <gtest/gtest.h>

#include "forms/tab_order.h"
#include "forms/test_form.h"
#include "support/fakes.h"
#include "support/setup_fixture.h"

namespace {

using forms::Direction;
using Names = std::vector<std::string>;

Names namesOf(const std::vector<forms::Control*>& controls) {
    Names names;
    for (const forms::Control* control : controls) {
        names.push_back(control->name());
    }
    return names;
}

std::string nameOf(const forms::Control* control) {
    return control == nullptr ? "(none)" : control->name();
}

class TabOrder : public ::testing::Test, protected testing_support::ToolkitFixture {
  protected:
    void SetUp() override { form.Load(); }
    testing_support::TestForm form{toolkit};
    testing_support::TestForm::Controls& c() { return form.c(); }
};

TEST_F(TabOrder, AnOptionGroupIsOneStopAtItsSelectedOrElseItsFirstReachableOption) {
    EXPECT_EQ(namesOf(forms::tabStops(form)), (Names{"check", "button", "a1", "b1"}));

    c().a2.setValue(true);
    EXPECT_EQ(namesOf(forms::tabStops(form)), (Names{"check", "button", "a2", "b1"}));

    c().a2.setValue(false);
    EXPECT_EQ(namesOf(forms::tabStops(form)), (Names{"check", "button", "a1", "b1"}))
        << "no selection: the first option";

    c().a2.setValue(true);
    c().a2.setEnabled(false);
    EXPECT_EQ(namesOf(forms::tabStops(form)), (Names{"check", "button", "a1", "b1"}))
        << "a disabled selection: the first reachable option";

    c().frameB.setEnabled(false);
    c().button.setEnabled(false);
    EXPECT_EQ(namesOf(forms::tabStops(form)), (Names{"check", "a1"}))
        << "a disabled frame takes its options out";
}

TEST_F(TabOrder, TabAndShiftTabWrapRoundAndLeaveAnOptionGroupAsAWhole) {
    struct Case {
        const forms::Control* from;
        Direction direction;
        const char* to;
    };
    c().a3.setValue(true);  // the stops are now check, button, a3, b1
    for (const Case& t : std::vector<Case>{{nullptr, Direction::Forward, "check"},
                                           {nullptr, Direction::Backward, "b1"},
                                           {&c().check, Direction::Forward, "button"},
                                           {&c().button, Direction::Forward, "a3"},
                                           {&c().a3, Direction::Forward, "b1"},
                                           {&c().b1, Direction::Forward, "check"},
                                           {&c().check, Direction::Backward, "b1"},
                                           {&c().b1, Direction::Backward, "a3"},
                                           {&c().a1, Direction::Forward, "b1"},
                                           {&c().a1, Direction::Backward, "button"},
                                           {&c().b2, Direction::Forward, "check"}}) {
        EXPECT_EQ(nameOf(forms::nextTabStop(form, t.from, t.direction)), t.to)
            << "from " << nameOf(t.from)
            << (t.direction == Direction::Forward ? " forward" : " backward");
    }
}

TEST_F(TabOrder, NowhereToGoWhenNothingElseTakesTheFocus) {
    for (forms::Control* control :
         std::vector<forms::Control*>{&c().check, &c().button, &c().b1, &c().b2}) {
        control->setEnabled(false);
    }
    EXPECT_EQ(nameOf(forms::nextTabStop(form, &c().a1, Direction::Forward)), "(none)");
    EXPECT_EQ(nameOf(forms::nextTabStop(form, nullptr, Direction::Forward)), "a1");
}

TEST_F(TabOrder, ArrowsMoveWithinTheGroupOverReachableOptionsAndWrapRound) {
    using forms::nextInGroup;
    EXPECT_EQ(nameOf(nextInGroup(form, c().a1, Direction::Forward)), "a2");
    EXPECT_EQ(nameOf(nextInGroup(form, c().a3, Direction::Forward)), "a1");
    EXPECT_EQ(nameOf(nextInGroup(form, c().a1, Direction::Backward)), "a3");
    EXPECT_EQ(nameOf(nextInGroup(form, c().b2, Direction::Forward)), "b1") << "its own frame only";

    c().a2.setEnabled(false);
    EXPECT_EQ(nameOf(nextInGroup(form, c().a1, Direction::Forward)), "a3");
    c().a3.setEnabled(false);
    EXPECT_EQ(nameOf(nextInGroup(form, c().a1, Direction::Forward)), "(none)");
}

// At the compact width Tab stays in the left column, which is all the user
// sees; the right column keeps its places and comes back with Advanced.
TEST(SetupWindowTabOrder, TabVisitsOnlyWhatTheWidthShowsAndSkipsDisabledGroups) {
    testing_support::SetupFixture f;
    f.load();
    EXPECT_EQ(
        namesOf(forms::tabStops(f.window)),
        (Names{"optFilterMedium", "chkVGAOnly", "cmdAdvanced", "cmdOK", "cmdCancel", "cmdExit"}));
    EXPECT_EQ(nameOf(forms::nextTabStop(f.window, &f.c().chkPhase, Direction::Forward)), "cmdOK")
        << "from a clipped control, on to the next one shown";

    f.window.cmdAdvanced_Click();
    EXPECT_EQ(namesOf(forms::tabStops(f.window)),
              (Names{"chkNormalOut", "optFilterMedium", "chkVGAOnly", "optNTSC", "cmdAdvanced",
                     "chkPhase", "optBlankBlue", "chkBlanking", "cmdOK", "cmdCancel", "cmdExit",
                     "cmdVertAdjust", "cmdHorizAdjust"}));

    for (forms::Control* opened : std::vector<forms::Control*>{
             &f.c().frmOutputEnable, &f.c().optCompOut, &f.c().optSVHSOut, &f.c().frmTestSignal,
             &f.c().optTestBlack, &f.c().optTestBars, &f.c().optTestRamp}) {
        opened->setEnabled(true);
    }
    EXPECT_EQ(namesOf(forms::tabStops(f.window)),
              (Names{"optTestBars", "chkNormalOut", "optFilterMedium", "optCompOut", "chkVGAOnly",
                     "optNTSC", "cmdAdvanced", "chkPhase", "optBlankBlue", "chkBlanking", "cmdOK",
                     "cmdCancel", "cmdExit", "cmdVertAdjust", "cmdHorizAdjust"}))
        << "the output and test signal groups, once enabled";
}

TEST(SetupWindowTabOrder, TheArrowsReachOptionBlackEvenThoughBlueComesFirst) {
    testing_support::SetupFixture f;
    f.load();
    auto& blue = f.c().optBlankBlue;
    EXPECT_EQ(nameOf(forms::nextInGroup(f.window, blue, Direction::Forward)), "(none)")
        << "not while the width clips the group";
    f.window.cmdAdvanced_Click();
    EXPECT_EQ(nameOf(forms::nextInGroup(f.window, blue, Direction::Forward)), "optBlankBlack");
    EXPECT_EQ(nameOf(forms::nextInGroup(f.window, blue, Direction::Backward)), "optBlankBlack");
}

}  // namespace
