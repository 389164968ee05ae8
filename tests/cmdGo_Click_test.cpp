#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "commands/commands.h"
#include "commands/run_command.h"
#include "tests/RecordingWindow.h"

namespace brevorn::test {
namespace {

const Event kHeightPrompt = shows("You need to specify a HEIGHT.", 64, "Height?");
const Event kWidthPrompt = shows("You need to specify a WIDTH.", 64, "Width?");
const Event kNumbersOnly = shows("You need to input ONLY numbers.", 48, "Numbers Only");

struct Click {
    const char* name;
    std::string height, width;
    std::vector<Event> expected;
};

std::vector<Event> clickWith(const std::string& height, const std::string& width) {
    RecordingWindow window;
    window.boxes[TextBox::txtHeight] = height;
    window.boxes[TextBox::txtWidth] = width;
    window.boxes[TextBox::txtOutput] = "H=240, W=320";
    cmdGo_Click(window);
    return window.events;
}

TEST(CmdGoClick, EveryExitShowsExactlyItsMessages) {
    const Click clicks[] = {
        {"both empty", "", "", {kHeightPrompt, focusTo("txtHeight")}},
        {"height empty", "", "640", {kHeightPrompt, focusTo("txtHeight")}},
        {"width empty", "480", "", {kWidthPrompt, focusTo("txtWidth")}},
        {"bad height, no width", "abc", "", {kNumbersOnly}},
        {"bad width", "480", "abc", {kNumbersOnly}},
        {"blank height is not empty", " ", "640", {kNumbersOnly}},
        {"12abc", "12abc", "640", {kNumbersOnly}},
        {"4:3", "480", "640", {writes("H=240, W=320")}},
        {"frame itself", "240", "352", {writes("H=240, W=352")}},
        {"opposite signs", "-480", "640", {writes("H=0, W=0")}},
        {"rounded text", "12.5", "17.5", {writes("H=235, W=352")}},
        {"zero width", "480", "0", {shows("11 Division by zero in cmdGo_Click", 0)}},
        {"zero height", "0", "5", {shows("11 Division by zero in cmdGo_Click", 0)}},
        {"height out of range", "40000", "640", {shows("6 Overflow in cmdGo_Click", 0)}},
        {"height out of range, no width", "40000", "", {shows("6 Overflow in cmdGo_Click", 0)}},
        {"answer out of range", "1000", "1", {shows("6 Overflow in cmdGo_Click", 0)}},
    };
    for (const auto& click : clicks) {
        EXPECT_EQ(clickWith(click.height, click.width), click.expected) << click.name;
    }
}

TEST(CmdGoClick, MessagesLeaveThePreviousAnswerAlone) {
    for (const auto& [height, width] : std::vector<std::pair<std::string, std::string>>{
             {"", ""}, {"480", ""}, {"x", "1"}, {"480", "0"}, {"40000", "1"}}) {
        RecordingWindow window;
        window.boxes[TextBox::txtHeight] = "480";
        window.boxes[TextBox::txtWidth] = "640";
        cmdGo_Click(window);
        window.boxes[TextBox::txtHeight] = height;
        window.boxes[TextBox::txtWidth] = width;
        cmdGo_Click(window);
        EXPECT_EQ(window.boxes[TextBox::txtOutput], "H=240, W=320") << height << "/" << width;
    }
}

TEST(CmdGoClick, FailingWindowOperationIsReportedWithItsOwnNumber) {
    RecordingWindow window;
    window.failingMsgBox = 1;
    window.msgBoxFailure = RunError(7, "Out of memory");
    cmdGo_Click(window);  // the HEIGHT prompt fails; the handler reports it
    EXPECT_EQ(window.events, std::vector<Event>{shows("7 Out of memory in cmdGo_Click", 0)});
}

TEST(CmdGoClick, FailureInsideTheHandlerEscapesTheCommand) {
    RecordingWindow window;
    window.boxes[TextBox::txtHeight] = "abc";
    window.failingMsgBox = 1;
    EXPECT_THROW(cmdGo_Click(window), RunError);
    EXPECT_TRUE(window.events.empty());
}

// As the window runs it: whatever a window operation throws, the click ends
// with the command's own report or none, nothing escapes, and the next click
// gives its answer.
TEST(CmdGoClick, NoExceptionFromTheWindowEscapesTheRun) {
    const Event outOfMemory = shows("7 Out of memory in cmdGo_Click", 0);
    struct Failure {
        const char* name;
        std::function<void()> raise;
        std::vector<Event> reported;
    };
    const Failure failures[] = {
        {"allocation", [] { throw std::bad_alloc(); }, {outOfMemory}},
        {"conversion too long", [] { throw std::length_error("basic_string"); }, {outOfMemory}},
        {"anything else", [] { throw std::runtime_error("display gone"); }, {}},
        {"not an exception", [] { throw 1; }, {}},
    };
    // A click with both sizes reads the boxes four times.
    for (const Failure& failure : failures) {
        for (int read = 1; read <= 4; ++read) {
            RecordingWindow window;
            window.boxes[TextBox::txtHeight] = "480";
            window.boxes[TextBox::txtWidth] = "640";
            window.failingGetText = read;
            window.getTextFailure = failure.raise;
            EXPECT_NO_THROW(runCommand(cmdGo_Click, window)) << failure.name << ", read " << read;
            EXPECT_EQ(window.events, failure.reported) << failure.name << ", read " << read;
            window.events.clear();
            runCommand(cmdGo_Click, window);
            EXPECT_EQ(window.events, std::vector<Event>{writes("H=240, W=320")})
                << failure.name << ", read " << read;
        }
    }
}

TEST(CmdGoClick, FailedReportEndsTheRunQuietly) {
    RecordingWindow window;
    window.boxes[TextBox::txtHeight] = "abc";
    window.failingMsgBox = 1;
    EXPECT_NO_THROW(runCommand(cmdGo_Click, window));
    EXPECT_TRUE(window.events.empty());
}

}  // namespace
}  // namespace brevorn::test
