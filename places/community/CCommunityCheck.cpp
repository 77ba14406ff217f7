#include "CCommunityCheck.h"

#include <cctype>
#include <fstream>
#include <utility>

#include "UrlParamBase.h"

namespace {

const char kChatHost1[] = "chat.lumora.example";
const char kChatHost2[] = "chat2.lumora.example";
const char kLocalHost[] = "127.0.0.1";

// Characters that belong to a host entry of the list file.
bool IsHostChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-' || c == ':';
}

}  // namespace

CCommunityCheck::CCommunityCheck(std::string chatHost1, std::string chatHost2, std::string defaultHost,
                                 std::string listFile)
    : m_chatHost1(std::move(chatHost1)),
      m_chatHost2(std::move(chatHost2)),
      m_defaultHost(std::move(defaultHost)),
      m_listFile(std::move(listFile)) {}

CCommunityCheck CCommunityCheck::ForService(const std::string& listFile) {
  return CCommunityCheck(kChatHost1, kChatHost2, kChatHost1, listFile);
}

std::string CCommunityCheck::Check(const std::string& community, std::string& validated) const {
  validated.clear();
  if (community.empty() || community == m_chatHost1 || community == m_chatHost2 || community == kLocalHost)
    return community;
  std::string listText;
  if (ReadListFile(listText) && ListsHost(listText, community)) {
    validated = community;
    return community;
  }
  return m_defaultHost;
}

bool CCommunityCheck::ListsHost(const std::string& listText, const std::string& host) {
  if (host.empty()) return false;
  for (size_t pos = 0; pos < listText.size();) {
    while (pos < listText.size() && !IsHostChar(listText[pos])) ++pos;
    size_t end = pos;
    while (end < listText.size() && IsHostChar(listText[end])) ++end;
    const std::string entry = listText.substr(pos, end - pos);
    // An entry may carry a port after the host.
    const std::string entryHost = entry.substr(0, entry.find(':'));
    if (UrlParamBase::CompareNoCase(entry, host) == 0 || UrlParamBase::CompareNoCase(entryHost, host) == 0)
      return true;
    pos = end;
  }
  return false;
}

bool CCommunityCheck::ReadListFile(std::string& text) const {
  if (m_listFile.empty()) return false;
  std::ifstream file(m_listFile, std::ios::binary);
  if (!file) return false;
  // One byte past the cap tells a file that is too long from one that fits.
  text.resize(kMaxListFileBytes + 1);
  file.read(&text[0], static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(file.gcount()));
  return !file.bad() && text.size() <= kMaxListFileBytes;
}
