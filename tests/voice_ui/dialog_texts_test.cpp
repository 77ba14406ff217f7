// The dialogs' arithmetic and texts: cascading, transcript lines, captions
// and the gag dialog's minutes.
#include "DialogCascade.h"
#include "EngineDialogText.h"
#include "TranscriptLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(DialogCascade, FiveDialogsAreStaggeredAndTheSixthStartsOver)
{
    DialogCascade cascade;
    std::vector<int32_t> offsets;
    for (int i = 0; i < 7; ++i)
        offsets.push_back(cascade.Next());
    EXPECT_EQ(offsets, (std::vector<int32_t>{0, 20, 40, 60, 80, 0, 20}));
}

TEST(EngineDialogText, GagMinutesAreAcceptedFromOneToThirty)
{
    const struct {
        const char* typed;
        std::optional<int32_t> minutes;
    } cases[] = {
        {"1", 1},           {"10", 10},         {"30", 30},          {" 7 ", 7},
        {"0", std::nullopt}, {"31", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt},
        {"-5", std::nullopt}, {"5x", std::nullopt}, {"005", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EngineDialogText::GagMinutes(c.typed), c.minutes) << "\"" << c.typed << "\"";
}

TEST(EngineDialogText, TheHostNameFollowsTheCaptionAfterTwoBlanks)
{
    EXPECT_EQ(EngineDialogText::CaptionWithHost("Gag User", ""), "Gag User");
    EXPECT_EQ(EngineDialogText::CaptionWithHost("Gag User", "Lobby"), "Gag User  Lobby");
}

TEST(TranscriptLine, TheFirstLinesNameTheHostAndColoursTellWhoSpoke)
{
    const struct {
        const char* sender;
        bool local;
        int32_t lines;
        const char* host;
        const char* name;
        uint32_t colour;
    } cases[] = {
        {"Ann", true, 0, "  Lobby", "Lobby - Ann: ", TranscriptLine::kLocalColour},
        {"Bob", false, 1, "Lobby", "Lobby - Bob: ", TranscriptLine::kRemoteColour},
        {"Bob", false, 2, "Lobby", "Bob: ", TranscriptLine::kRemoteColour},
        {"Ann", true, 0, "", "Ann: ", TranscriptLine::kLocalColour},
        {"Ann", true, 0, "   ", "Ann: ", TranscriptLine::kLocalColour},
    };
    for (const auto& c : cases) {
        const TranscriptLine line = TranscriptLine::Make(c.sender, "hi", c.local, c.lines, c.host);
        EXPECT_EQ(line.name, c.name) << c.lines << " " << c.host;
        EXPECT_EQ(line.text, "hi\r\n");
        EXPECT_EQ(line.colour, c.colour);
    }
    EXPECT_EQ(TranscriptLine::kLocalColour, 0xFF0000u);  // RGB(0, 0, 255)
    EXPECT_EQ(TranscriptLine::kRemoteColour, 0x0000FFu); // RGB(255, 0, 0)
}

} // namespace
