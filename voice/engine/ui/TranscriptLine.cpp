#include "TranscriptLine.h"

TranscriptLine TranscriptLine::Make(const std::string& sender, const std::string& text,
                                    bool local, int32_t linesSoFar, const std::string& hostName)
{
    TranscriptLine line;
    line.colour = local ? kLocalColour : kRemoteColour;
    const size_t start = hostName.find_first_not_of(' ');
    if (linesSoFar <= 1 && start != std::string::npos)
        line.name = hostName.substr(start) + " - ";
    line.name += sender + ": ";
    line.text = text + "\r\n";
    return line;
}
