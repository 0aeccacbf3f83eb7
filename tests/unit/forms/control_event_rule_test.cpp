#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "forms/checked_int16.h"
#include "forms/test_form.h"
#include "support/fakes.h"

namespace {

using forms::ErrorNumber;
using forms::RuntimeError;
using testing_support::TestForm;
using Log = std::vector<std::string>;
using RecordingErrorsReport = testing_support::RecordingErrors::Report;

class ControlEventRule : public ::testing::Test, protected testing_support::ToolkitFixture {
  protected:
    void SetUp() override { form.Load(); }
    TestForm form{toolkit};
    TestForm::Controls& c() { return form.c(); }
};

TEST_F(ControlEventRule, CheckBoxRaisesItsHandlerOnlyWhenTheValueChanges) {
    c().check.setValue(1);
    c().check.setValue(1);
    c().check.setValue(2);
    c().check.setValue(0);
    EXPECT_EQ(form.log, (Log{"check", "check", "check"}));
    EXPECT_EQ(c().check.value(), 0);
}

TEST_F(ControlEventRule, CheckBoxRefusesValuesOtherThanZeroOneAndTwo) {
    for (std::int16_t bad : {-1, 3, 255}) {
        try {
            c().check.setValue(bad);
            ADD_FAILURE() << "value " << bad << " was accepted";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
        }
    }
    EXPECT_EQ(c().check.value(), 0);
    EXPECT_TRUE(form.log.empty());
}

TEST_F(ControlEventRule, SelectingAnOptionClearsItsFrameOnlyAndRaisesOnlyItsOwnHandler) {
    c().a3.setValue(true);
    EXPECT_EQ(form.log, (Log{"a3"}));
    EXPECT_EQ(c().a1.value(), forms::False);
    EXPECT_EQ(c().a3.value(), forms::True);
    EXPECT_EQ(c().b1.value(), forms::True) << "another frame's group is untouched";
}

TEST_F(ControlEventRule, ClearingAnOptionRaisesNothingAndLeavesNoSelection) {
    c().a1.setValue(false);
    EXPECT_TRUE(form.log.empty());
    for (auto* option : {&c().a1, &c().a2, &c().a3}) {
        EXPECT_EQ(option->value(), forms::False) << option->name();
    }
    c().a1.setValue(true);
    EXPECT_EQ(form.log, (Log{"a1"})) << "selecting again raises, as any change does";
}

TEST_F(ControlEventRule, SelectingTheSelectedOptionRaisesNothing) {
    c().a1.setValue(true);
    c().a1.userClick();
    EXPECT_TRUE(form.log.empty());
}

TEST_F(ControlEventRule, AssignmentRaisesHandlersOfDisabledControlsAndFrames) {
    c().check.setEnabled(false);
    c().frameA.setEnabled(false);
    c().check.setValue(1);
    c().a2.setValue(true);
    EXPECT_EQ(form.log, (Log{"check", "a2"}));
}

TEST_F(ControlEventRule, UserClicksReachOnlyReachableControls) {
    c().frameA.setEnabled(false);
    c().a2.userClick();
    c().check.setEnabled(false);
    c().check.userClick();
    EXPECT_TRUE(form.log.empty());
    EXPECT_EQ(c().a1.value(), forms::True);

    c().check.setEnabled(true);
    c().check.userClick();
    c().check.userClick();
    c().b2.userClick();
    c().button.userClick();
    EXPECT_EQ(form.log, (Log{"check", "check", "b2", "button"}));
    EXPECT_EQ(c().check.value(), 0) << "a user click toggles the box";
}

TEST_F(ControlEventRule, RaisedHandlersRunNestedInsideTheAssignment) {
    c().check.replaceClickHandler([this] {
        form.log.push_back("check begins");
        c().a2.setValue(true);
        form.log.push_back("check ends");
    });
    c().button.replaceClickHandler([this] {
        c().check.setValue(1);
        form.log.push_back("after assignment");
    });
    c().button.userClick();
    EXPECT_EQ(form.log, (Log{"check begins", "a2", "check ends", "after assignment"}));
}

TEST_F(ControlEventRule, AnErrorEndsOnlyTheHandlerItLeavesAndIsReportedOnce) {
    c().a2.replaceClickHandler([this] {
        form.log.push_back("a2 before");
        throw RuntimeError(ErrorNumber::Overflow);
    });
    c().button.replaceClickHandler([this] {
        c().a2.setValue(true);
        form.log.push_back("button goes on");
    });
    c().button.userClick();
    EXPECT_EQ(form.log, (Log{"a2 before", "button goes on"}));
    ASSERT_EQ(errors.reports.size(), 1U);
    EXPECT_EQ(errors.reports[0].number, ErrorNumber::Overflow);
    EXPECT_EQ(c().a2.value(), forms::True) << "the assignment itself took effect";
}

// A run-time error ends at its event; anything else a handler lets out is
// caught where the platform called in (a window procedure), told as one
// run-time error, and the procedure gives its fallback answer.
TEST_F(ControlEventRule, WhateverReachesTheEdgeIsReportedAsOneRunTimeErrorAndFallsBack) {
    const std::tuple<std::function<void()>, RecordingErrorsReport, const char*> cases[] = {
        {[] { throw RuntimeError(ErrorNumber::Overflow); },
         {ErrorNumber::Overflow, "Overflow"},
         "handled"},
        {[] { throw std::bad_alloc(); }, {ErrorNumber::OutOfMemory, "Out of memory"}, "fallback"},
        {[] { throw std::logic_error("window class not registered"); },
         {ErrorNumber::InternalError, "window class not registered"},
         "fallback"},
        {[] { throw 42; }, {ErrorNumber::InternalError, "Internal error"}, "fallback"},
    };
    for (const auto& [raise, expected, answer] : cases) {
        errors.reports.clear();
        c().button.replaceClickHandler(raise);
        EXPECT_STREQ(forms::atEdge(
                         errors,
                         [this] {
                             c().button.userClick();
                             return "handled";
                         },
                         [] { return "fallback"; }),
                     answer);
        ASSERT_EQ(errors.reports.size(), 1U);
        EXPECT_EQ(errors.reports[0].number, expected.number);
        EXPECT_EQ(errors.reports[0].message, expected.message);
    }
    // Telling of it may fail as well (no memory left for the text).
    struct FailingReport : forms::ErrorHandler {
        void report(const RuntimeError& /*error*/) override { throw std::bad_alloc(); }
    } failing;
    EXPECT_STREQ(forms::atEdge(
                     failing, []() -> const char* { throw 42; }, [] { return "fallback"; }),
                 "fallback");
}

TEST_F(ControlEventRule, SettledRunsOnceAfterEachOutermostEvent) {
    int settled = 0;
    const forms::Subscription subscription = toolkit.subscribeEventsSettled([&] { ++settled; });
    c().check.replaceClickHandler([this] { c().a2.setValue(true); });
    c().check.setValue(1);
    EXPECT_EQ(settled, 1);
}

class FormLifecycle : public ::testing::Test, protected testing_support::ToolkitFixture {
  protected:
    TestForm form{toolkit};
};

TEST_F(FormLifecycle, LoadRunsFormLoadOnceWithoutShowing) {
    form.Load();
    form.Load();
    EXPECT_EQ(form.loads, 1);
    EXPECT_FALSE(form.Visible());
}

TEST_F(FormLifecycle, ShowLoadsFirstAndHideKeepsTheFormLoaded) {
    form.Show();
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.Visible());
    form.Hide();
    form.Show();
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.isLoaded());
}

TEST_F(FormLifecycle, AWindowThatCannotBeBuiltLeavesTheFormUnloaded) {
    platform.onCreateView = [] { throw std::runtime_error("no window"); };
    EXPECT_THROW(form.Show(), std::runtime_error);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_TRUE(form.controls().empty());
    EXPECT_EQ(form.loads, 0);
    platform.onCreateView = nullptr;
    form.Show();
    EXPECT_EQ(form.loads, 1);
}

TEST_F(FormLifecycle, UnloadRecreatesDesignValuesButKeepsFormVariables) {
    form.Load();
    form.c().check.setValue(1);
    form.c().a3.setValue(true);
    form.formVariable = 7;
    form.Unload();
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_TRUE(form.controls().empty());

    form.Show();
    EXPECT_EQ(form.loads, 2);
    EXPECT_EQ(form.c().check.value(), 0);
    EXPECT_EQ(form.c().a1.value(), forms::True);
    EXPECT_EQ(form.formVariable, 7);
}

TEST_F(FormLifecycle, WindowHandleOfAnUnloadedFormIsAFailedPropertyAccess) {
    try {
        (void)form.hWnd();
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::PropertyAccessFailed);
    }
}

TEST_F(FormLifecycle, DispatchAndEndGoToThePlatform) {
    toolkit.DoEvents();
    toolkit.End();
    EXPECT_EQ(platform.dispatches, 1);
    EXPECT_TRUE(platform.ended);
}

template <typename Operation>
bool overflows(Operation operation) {
    try {
        operation();
        return false;
    } catch (const RuntimeError& e) {
        return e.number() == ErrorNumber::Overflow;
    }
}

TEST(CheckedInt16, DetectsOverflowAtBothEnds) {
    struct Case {
        std::int16_t a, b;
        bool add_overflows, mul_overflows;
    };
    const Case cases[] = {
        {32767, 0, false, false}, {32767, 1, true, false}, {-32768, -1, true, true},
        {10922, 3, false, false}, {10923, 3, false, true}, {-10923, 3, false, true},
        {-64, -8, false, false},  {16384, 2, false, true}, {-16384, 2, false, false},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(k.add_overflows, overflows([&] { forms::checkedAdd(k.a, k.b); }))
            << k.a << " + " << k.b;
        EXPECT_EQ(k.mul_overflows, overflows([&] { forms::checkedMul(k.a, k.b); }))
            << k.a << " * " << k.b;
    }
}

}  // namespace
