// CPlaceAddress: where the client is to go, parsed from a place link of the
// client's own scheme "ZR://", from a page URL carrying ZRURL=1, from the
// command line or from a file of Key=value words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "CCommunityCheck.h"
#include "UrlParamBase.h"

class CPlaceAddress : public UrlParamBase {
 public:
  enum Layout : int32_t { kClassic = 0, kBrowser = 1, kAvatars = 2, kText = 3, kLayoutNotSet = 1000 };
  // The largest file of words that ParseFile reads.
  static constexpr size_t kMaxFileBytes = 64 * 1024;

  explicit CPlaceAddress(CCommunityCheck check);

  void Reset();

  bool HasCommunity() const { return !m_community.empty(); }
  bool HasPlace() const { return !m_place.empty(); }
  bool HasName() const { return !m_name.empty(); }
  bool HasGameName() const { return !m_gameName.empty(); }
  bool HasLayout() const { return m_layout != kLayoutNotSet; }
  bool IsReplicated() const { return m_replicated != 0; }

  std::string GetCommunity() const { return m_community; }
  std::string GetPlace() const { return m_place; }
  std::string GetName() const { return m_name; }
  const std::string& GetValidatedCommunity() const { return m_validatedCommunity; }
  const std::string& GetGameName() const { return m_gameName; }
  int32_t GetReplicaType() const { return m_replicaType; }
  int32_t GetDirectory() const { return m_directory; }
  int32_t GetLayout() const { return m_layout; }

  static int32_t LayoutFromName(const std::string& text);
  // Recognises a place link (true, isLink 1, rest = the text) or a page URL
  // with ZRURL=1 (true, page and rest split at the parameter).
  static bool ParseUrl(const std::string& text, std::string& page, std::string& rest, int& isLink);

  // A place link or page URL; false when the text is neither.
  bool Parse(const std::string& text);
  // Command-line text; without Directory and Layout the text names a file.
  bool ParseArgument(const std::string& text);
  // The key=value words of the command line; true when Directory or Layout
  // was among them.
  bool ParseArgumentKeys(const std::string& text);
  // A file of blank-separated words; false when it cannot be read.
  bool ParseFile(const std::string& fileName);
  // The words of such a file.
  void ParseWords(const std::string& text);

 private:
  void SetCommunity(const std::string& community);
  // Stores a valid number; anything else leaves the directory as it was.
  void SetDirectory(const std::string& value);
  void SetPlace(const std::string& place);
  void ApplyWord(const std::string& word);

  CCommunityCheck m_check;
  std::string m_community;
  std::string m_validatedCommunity;
  std::string m_place;
  int32_t m_replicated = 0;
  int32_t m_replicaType = 1;
  std::string m_name;
  int32_t m_directory = 0;
  int32_t m_layout = kLayoutNotSet;
  std::string m_gameName;
};
