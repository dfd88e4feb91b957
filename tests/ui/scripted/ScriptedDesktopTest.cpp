#include <gtest/gtest.h>

#include "ui/Form.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace ui {
namespace {

TEST(ScriptedDesktop, FiresTimersOfShownFormsAsTheClockAdvances) {
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
    desktop.advance(5.0f);
    EXPECT_EQ(oftenFired, 0) << "timers of a form that is not shown stay quiet";

    desktop.whileShown = [&](Form&) {
        desktop.advance(0.6f);
        EXPECT_EQ(oftenFired, 2);
        desktop.advance(2.5f);
        EXPECT_EQ(oftenFired, 12);
        EXPECT_EQ(rarelyFired, 1) << "a timer disabled by its handler fires no more";
    };
    const float before = desktop.secondsSinceMidnight();
    desktop.showModal(form);
    EXPECT_FLOAT_EQ(desktop.secondsSinceMidnight(), before + 3.1f);
    EXPECT_EQ(desktop.shownForms, std::vector<std::string>{"frmTimed"});
}

TEST(ScriptedDesktop, ClockWrapsAtMidnightAndQuestionsNeedAnswers) {
    ScriptedDesktop desktop;
    desktop.setTimeOfDay(86399.0f);
    desktop.advance(2.0f);
    EXPECT_FLOAT_EQ(desktop.secondsSinceMidnight(), 1.0f);

    desktop.boxAnswers.push_back(MessageResult::Yes);
    EXPECT_EQ(desktop.messageBox("?", MessageButtons::YesNo, MessageIcon::Question, "Dotaz"),
              MessageResult::Yes);
    EXPECT_THROW(desktop.messageBox("?", MessageButtons::YesNo, MessageIcon::Question, "Dotaz"),
                 std::logic_error);
    EXPECT_EQ(desktop.boxes.size(), 2u);
}

}  // namespace
}  // namespace ui
