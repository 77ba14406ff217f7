// The session's text services where no resource strings or code pages exist:
// the engine's English strings, text already in UTF-8, and a line number
// seeded from the clock.
#pragma once

#include "IConfEnvironment.h"

class CConfDefaultEnvironment : public IConfEnvironment
{
public:
    std::string String(int32_t number) override;
    std::optional<std::string> ToUtf8(std::string_view text) override;
    std::optional<std::string> FromUtf8(std::string_view text) override;
    uint32_t SequenceSeed() override;
};
