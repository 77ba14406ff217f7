// One line of the instant-message transcript: the sender's part in bold
// (blue for the local user, red for the other party), then the text.
#pragma once

#include <cstdint>
#include <string>

struct TranscriptLine
{
    static constexpr uint32_t kLocalColour = 0xFF0000;  // blue, as 0x00BBGGRR
    static constexpr uint32_t kRemoteColour = 0x0000FF; // red

    std::string name; // bold
    std::string text; // ends with "\r\n"
    uint32_t colour = kRemoteColour;

    // The line of `sender` saying `text`. While the transcript holds at most
    // one line the sender is introduced with the dialog's `hostName`, when
    // it has one.
    static TranscriptLine Make(const std::string& sender, const std::string& text, bool local,
                               int32_t linesSoFar, const std::string& hostName);
};
