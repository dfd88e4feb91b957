#include <gtest/gtest.h>

#include <sstream>

#include "ui/console/ConsoleBackend.h"

namespace ui {
namespace {

TEST(ConsoleBackend, WritesTitleThenTextWithNativeLineEnds) {
    std::istringstream in;
    std::ostringstream out;
    ConsoleBackend console(in, out);
    EXPECT_EQ(console.messageBox("první\r\ndruhý", MessageButtons::Ok, MessageIcon::None, "Sumora"),
              MessageResult::Ok);
    EXPECT_EQ(out.str(), "Sumora\nprvní\ndruhý\n");
    EXPECT_FALSE(console.canShowWindows());
}

TEST(ConsoleBackend, ReadsAnswersAndTakesTheCautiousOneAtTheEnd) {
    const struct {
        const char* input;
        MessageButtons buttons;
        MessageResult answer;
    } cases[] = {
        {"a\n", MessageButtons::YesNo, MessageResult::Yes},
        {"Ano\n", MessageButtons::YesNo, MessageResult::Yes},
        {"x\nn\n", MessageButtons::YesNo, MessageResult::No},
        {"", MessageButtons::YesNo, MessageResult::No},
        {"o\n", MessageButtons::RetryCancel, MessageResult::Retry},
        {"", MessageButtons::RetryCancel, MessageResult::Cancel},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream out;
        ConsoleBackend console(in, out);
        EXPECT_EQ(console.messageBox("Otázka", c.buttons, MessageIcon::Question, "Dotaz"), c.answer)
            << "input [" << c.input << "]";
    }
}

}  // namespace
}  // namespace ui
