// CZrPlaceSelector: which place of a name is meant, by number or by name.
#pragma once

#include <cstdint>
#include <string>

class TvlNdr;

// Coded as a flag byte, then a byte number when the flag is 1 or a text name
// when it is 0.
class CZrPlaceSelector {
public:
    CZrPlaceSelector() = default;
    static CZrPlaceSelector Number(uint8_t number);
    static CZrPlaceSelector Named(const std::string& name);

    void Write(TvlNdr& writer) const;
    // False for a short field or a numeric selector with number 0.
    bool Read(TvlNdr& reader);

    bool IsNumeric() const { return m_numeric; }
    uint8_t GetNumber() const { return m_number; }
    const std::string& GetName() const { return m_name; }

private:
    bool m_numeric = false;
    uint8_t m_number = 0;
    std::string m_name;
};
