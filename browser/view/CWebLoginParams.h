// Login values that a page passes to the client in a "zrs://" URL:
// nickname, password, guest flag, f flag and four picture names.
#pragma once

#include <cstdint>
#include <string>

class IWebLoginTarget;

class CWebLoginParams {
 public:
  static constexpr const char* kScheme = "zrs://";

  CWebLoginParams() = default;

  // Empties the texts and sets the guest flag; the f flag is kept.
  void Reset();
  // Fills the values from url; false (and the values reset) when the URL
  // does not begin with "zrs://".
  bool Parse(const std::string& url);
  // A nickname or a password, or a login that is not a guest's.
  bool HasLoginValues() const;
  // Hands every value to the application's login state and settings.
  void Apply(IWebLoginTarget& target) const;

  const std::string& GetNickname() const { return m_nickname; }
  const std::string& GetPassword() const { return m_password; }
  bool IsGuest() const { return m_guest != 0; }
  bool GetFFlag() const { return m_f != 0; }
  const std::string& GetPicture(int index) const { return m_pictures[index]; }

 private:
  std::string m_nickname;
  std::string m_password;
  int32_t m_guest = 1;
  int32_t m_f = 0;
  std::string m_pictures[4];
};
