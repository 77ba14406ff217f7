// The "About Me" texts of the identity sheet, with the longest text each
// edit takes.
#pragma once

#include <string>

class CZrSettings;

class CAboutMeValues {
 public:
  static constexpr int kGenderMaxChars = 20;
  static constexpr int kHobbiesMaxChars = 100;
  static constexpr int kOccupationMaxChars = 60;
  static constexpr int kQuoteMaxChars = 200;

  static CAboutMeValues FromSettings(const CZrSettings& settings);
  // Stores the four texts in the identity and saves the settings.
  void Accept(CZrSettings& settings) const;

  std::string m_gender;
  std::string m_hobbies;
  std::string m_occupation;
  std::string m_quote;
};
