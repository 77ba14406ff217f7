#include "Crc16.h"

#include <gtest/gtest.h>

#include <string>

TEST(Crc16, PublishedXmodemCheckValues)
{
    struct Case
    {
        std::string input;
        uint16_t crc;
    };
    const Case cases[] = {
        {"123456789", 0x31C3}, // the catalogue's check value
        {"", 0x0000},          // initial value 0, no final XOR
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(c.crc, Crc16(c.input.data(), c.input.size()));
    }
}

TEST(Crc16, MessageFollowedByItsCrcGivesZero)
{
    // With no reflection and no final XOR, appending the CRC most significant
    // byte first makes the remainder zero; this holds for every message.
    for (const std::string message : {"123456789", "A", "stamped record \x01\xFF"}) {
        SCOPED_TRACE(message);
        const uint16_t crc = Crc16(message.data(), message.size());
        std::string withCrc = message;
        withCrc += static_cast<char>(crc >> 8);
        withCrc += static_cast<char>(crc & 0xFF);
        EXPECT_EQ(0, Crc16(withCrc.data(), withCrc.size()));
    }
}
