#include "session/typing_announcement.h"
#include "session_fixture.h"

namespace tarvelo {
namespace {

class TypingAnnouncementTest : public test::SessionFixture
{
protected:
    // What the reader hears now, as the session window asks for it.
    std::string Heard(std::optional<int> wrong = {}, std::string_view newLine = {}) const
    {
        const TypingLine& line = engine.Line();
        return TypingAnnouncement(
            {wrong, newLine, engine.NextKeys(), line.ExpectedAt(line.SentencePosition)}, layout);
    }
};

// The keys come from the engine's lit keys and the layout's captions, so a
// run of the default layout is heard as it is typed.
TEST_F(TypingAnnouncementTest, NamesTheLitKeysInOrderThroughALine)
{
    const std::string text = "Mx a\xE9 ";
    Start({text});
    EXPECT_EQ(Heard({}, text), "Type: Mx a\xE9. Next: Shift, M"); // no trailing space
    Type("M");
    EXPECT_EQ(Heard(), "Next: X");
    Type("e");
    EXPECT_EQ(Heard('e'), "Wrong: typed e. Next: Space");
    EXPECT_EQ(Heard(' '), "Wrong: typed space. Next: Space");
    Type("b");
    EXPECT_EQ(Heard(), "Next: A");
    Type("a");
    // A character without a key of its own is named itself.
    EXPECT_EQ(Heard(), "Next: \xE9");
}

TEST_F(TypingAnnouncementTest, NamesTheFixedKeys)
{
    EXPECT_EQ(TypingAnnouncement({{}, {}, {34}, ' '}, layout), "Next: Space");
    EXPECT_EQ(TypingAnnouncement({{}, {}, {33, 32}, '!'}, layout), "Next: Shift");
    EXPECT_EQ(TypingAnnouncement({8, {}, {}, 0}, layout), "Wrong: typed Backspace.");
}

} // namespace
} // namespace tarvelo
