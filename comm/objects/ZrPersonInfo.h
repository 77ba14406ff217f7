// CZrPersonInfo: the info record of a person.
#pragma once

#include <cstdint>
#include <string>

#include "ZrInfo.h"

// The info form, then full name, location, e-mail and version texts and a
// 32-bit value that travels little-endian, unlike every other integer of the
// protocol (the local user puts the server's first frame there).
class CZrPersonInfo : public CZrInfo {
public:
    CZrPersonInfo();

    void Write(TvlNdr& writer, bool full) const override;
    bool Read(TvlNdr& reader, IZrTreeHost* host) override;

    const std::string& GetFullName() const { return m_fullName; }
    const std::string& GetLocation() const { return m_location; }
    const std::string& GetEmail() const { return m_email; }
    const std::string& GetVersion() const { return m_version; }
    uint32_t GetValue() const { return m_value; }
    void SetFullName(const std::string& text) { m_fullName = text; }
    void SetLocation(const std::string& text) { m_location = text; }
    void SetEmail(const std::string& text) { m_email = text; }
    void SetVersion(const std::string& text) { m_version = text; }
    void SetValue(uint32_t value) { m_value = value; }

private:
    std::string m_fullName;
    std::string m_location;
    std::string m_email;
    std::string m_version;
    uint32_t m_value;
};
