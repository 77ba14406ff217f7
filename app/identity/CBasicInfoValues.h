// The four texts of the Basic Info page (nickname, name, location, e-mail)
// and what becomes of them: stored in the settings' identity, and the ones
// that differ from the identity sent to the server with the local user's
// information request.
#pragma once

#include <optional>
#include <string>

class CZrSettings;

// The texts of the local user's information request; a field without a
// value is not changed on the server.
struct CMyInfoChange {
  std::optional<std::string> name;
  std::optional<std::string> location;
  std::optional<std::string> email;

  bool Any() const { return name || location || email; }
};

class CBasicInfoValues {
 public:
  // Location and e-mail from the identity of the settings; the name from
  // serverName when the server gives the names, else from the identity;
  // the nickname from connectedNick while connected, else from the identity.
  static CBasicInfoValues FromSettings(const CZrSettings& settings,
                                       const std::string* connectedNick,
                                       const std::string* serverName);

  // Each of name, location and e-mail that differs from the identity.
  CMyInfoChange ChangesFrom(const CZrSettings& settings) const;
  // Stores the four texts in the identity and saves the settings; a default
  // place title is made again from the new name.
  void Accept(CZrSettings& settings) const;

  std::string m_nickname;
  std::string m_name;
  std::string m_location;
  std::string m_email;
};
