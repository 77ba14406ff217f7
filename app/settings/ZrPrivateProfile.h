// The settings file through the operating system's private-profile calls.
#pragma once

#include "ZrProfile.h"

class CZrPrivateProfile : public IZrProfile {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key) override;
  int32_t ReadInt(const std::string& file, const std::string& section, const std::string& key,
                  int32_t defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool DeleteKey(const std::string& file, const std::string& section,
                 const std::string& key) override;
  bool HasSection(const std::string& file, const std::string& section) override;
};
