// CCommunityCheck: decides which community host a place address may name.
// The service's own chat hosts and the local host pass; any other host must
// be listed in the community server list file, else the default chat host
// takes its place.
#pragma once

#include <cstddef>
#include <string>

class CCommunityCheck {
 public:
  // The largest server list file that is read; a longer one counts as unread.
  static constexpr size_t kMaxListFileBytes = 4 * 1024 * 1024;

  CCommunityCheck(std::string chatHost1, std::string chatHost2, std::string defaultHost, std::string listFile);
  // The service's hosts and the list file named by the settings.
  static CCommunityCheck ForService(const std::string& listFile);

  // The community to use for `community`; `validated` gets the community
  // when the list file confirmed it, else it is cleared.
  std::string Check(const std::string& community, std::string& validated) const;
  // The whole host name occurs in the text as one entry (letters, digits,
  // '.', '-' and ':'), with or without the entry's port, ignoring case.
  static bool ListsHost(const std::string& listText, const std::string& host);

  const std::string& GetDefaultHost() const { return m_defaultHost; }

 private:
  bool ReadListFile(std::string& text) const;

  std::string m_chatHost1;
  std::string m_chatHost2;
  std::string m_defaultHost;
  std::string m_listFile;
};
