// Access to a private-profile (INI) file: the seam between the settings and
// the operating system's profile calls.
#pragma once

#include <cstdint>
#include <string>

class IZrProfile {
 public:
  virtual ~IZrProfile() = default;
  // The whole value of key in section of file; empty when it is missing.
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key) = 0;
  // The value's leading integer; defaultValue when the key is missing or empty.
  virtual int32_t ReadInt(const std::string& file, const std::string& section,
                          const std::string& key, int32_t defaultValue) = 0;
  // Writes the value as one line that reads back unchanged.
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
  virtual bool DeleteKey(const std::string& file, const std::string& section,
                         const std::string& key) = 0;
  // Whether the section holds any key.
  virtual bool HasSection(const std::string& file, const std::string& section) = 0;
};
