#include <gtest/gtest.h>

#include "commands/commands.h"
#include "contact.h"
#include "tests/RecordingWindow.h"

namespace brevorn::test {
namespace {

const std::string kExplanation =
    "This calculator is for the calculation of dimensions when encoding VCD format video with an "
    "encoder that does not letterbox video for you while keeping the aspect ratio. The output "
    "will tell you what you need to set the letterbox size as when telling the program NOT to "
    "keep the aspect ratio.  The simple formulas behind this are: ";
const std::string kFormulas = "Ho = (352/Wi)Hi  and Wo = (240/Hi)Wi";
const std::string kContact = std::string("If you find this useful, feel free to write me: ") +
                             kContactName + " at " + kContactAddress;

TEST(CmdInfoClick, ShowsTheExplanationThenTheContact) {
    RecordingWindow window;
    cmdInfo_Click(window);
    cmdInfo_Click(window);  // every click shows both again, in order
    const Event explanation = shows(kExplanation + "\r" + kFormulas, 64, "Information");
    const Event contact = shows(kContact, 64, "Information");
    EXPECT_EQ(window.events, (std::vector<Event>{explanation, contact, explanation, contact}));

    // Every blank as written, the doubled ones and the one before the line break too.
    ASSERT_FALSE(window.events.empty());
    const std::string& shown = window.events.front().text;
    EXPECT_EQ(shown.size(), 331U + 1U + 36U);
    EXPECT_NE(shown.find("ratio.  The"), std::string::npos);
    EXPECT_NE(shown.find("are: \rHo"), std::string::npos);
    EXPECT_NE(shown.find("Hi  and Wo"), std::string::npos);
}

TEST(CmdInfoClick, ContactNamesSomeoneAtAnAddress) {
    EXPECT_FALSE(std::string(kContactName).empty());
    EXPECT_NE(std::string(kContactAddress).find('@'), std::string::npos);
}

TEST(CmdInfoClick, FailingBoxIsReportedAndSkipsTheRest) {
    RecordingWindow window;
    window.failingMsgBox = 1;
    cmdInfo_Click(window);
    EXPECT_EQ(
        window.events,
        (std::vector<Event>{shows("5 Invalid procedure call or argument in cmdInfo_Click", 0)}));

    RecordingWindow second;
    second.failingMsgBox = 2;
    cmdInfo_Click(second);
    ASSERT_EQ(second.events.size(), 2U);
    EXPECT_EQ(second.events[1], shows("5 Invalid procedure call or argument in cmdInfo_Click", 0));
}

}  // namespace
}  // namespace brevorn::test
