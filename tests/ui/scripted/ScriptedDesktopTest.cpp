#include <gtest/gtest.h>

#include "ui/Form.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace ui {
namespace {

TEST(ScriptedDesktop, FiresTimersOfFormsWithAWindowOnlyWhileEventsAreHandled) {
    Form form("frmTimed");
    Control& often = form.add(ControlKind::Timer, "tmrOften");
    Control& rarely = form.add(ControlKind::Timer, "tmrRarely");
    often.setInterval(250);
    rarely.setInterval(1000);
    int oftenFired = 0;
    int rarelyFired = 0;
    often.onTimer = [&] { ++oftenFired; };
    rarely.onTimer = [&] {
        ++rarelyFired;
        rarely.setEnabled(false);
    };

    ScriptedDesktop desktop;
    desktop.load(form);
    desktop.advance(5.0);
    desktop.doEvents();
    EXPECT_EQ(oftenFired, 0) << "a form without a window has no running timers";
    desktop.unload(form);

    desktop.whileShown = [&](Form&) {
        desktop.advance(0.6);
        EXPECT_EQ(oftenFired, 2);
        desktop.advance(2.5);
        EXPECT_EQ(oftenFired, 12);
        EXPECT_EQ(rarelyFired, 1) << "a timer disabled by its handler fires no more";
    };
    const double before = desktop.clock.monotonicSeconds();
    desktop.showModal(form);
    EXPECT_DOUBLE_EQ(desktop.clock.monotonicSeconds(), before + 3.1);
    EXPECT_EQ(desktop.shownForms, std::vector<std::string>{"frmTimed"});
    EXPECT_FALSE(desktop.isLoaded(form)) << "the user closed what the script left open";
}

TEST(ScriptedDesktop, ClockWrapsAtMidnightAndQuestionsNeedAnswers) {
    ScriptedDesktop desktop;
    desktop.clock.setTimeOfDay(86399.0f);
    desktop.advance(2.0);
    EXPECT_FLOAT_EQ(desktop.clock.secondsSinceMidnight(), 1.0f);

    desktop.boxAnswers.push_back(MessageResult::Yes);
    EXPECT_EQ(desktop.messageBox("?", MessageButtons::YesNo, MessageIcon::Question, "Dotaz"),
              MessageResult::Yes);
    EXPECT_THROW(desktop.messageBox("?", MessageButtons::YesNo, MessageIcon::Question, "Dotaz"),
                 std::logic_error);
    EXPECT_EQ(desktop.boxes.size(), 2u);
}

}  // namespace
}  // namespace ui
