// CZrString: a name key, a text with a byte (a person's name and name tag).
#pragma once

#include <cstdint>
#include <string>

#include "TvlObject.h"

class TvlNdr;

// Coded as the text and the byte.
class CZrString : public CTvlObject {
public:
    // With `normalise` the text loses its white space and its ASCII capitals.
    explicit CZrString(const std::string& text = std::string(), uint8_t value = 0, bool normalise = false);

    void Normalise();
    void Write(TvlNdr& writer) const;
    bool Read(TvlNdr& reader);

    const std::string& GetText() const { return m_text; }
    uint8_t GetValue() const { return m_value; }

    bool operator==(const CZrString& other) const { return m_text == other.m_text && m_value == other.m_value; }

private:
    std::string m_text;
    uint8_t m_value;
};
