// The values of the Folders preferences page: the paths of the community
// list, the browser, the galleries and the favourite places list, copied
// from the settings when the page is made and written back on OK.
#pragma once

#include <string>

class CZrSettings;

class CZrFolderPrefs {
 public:
  static constexpr int kPathMaxChars = 200;

  explicit CZrFolderPrefs(const CZrSettings& settings);

  void WriteTo(CZrSettings& settings) const;

  std::string m_listFile;
  std::string m_browser;
  std::string m_pictures;
  std::string m_gestureDirectory;
  std::string m_personPict;
  std::string m_tours;
  std::string m_favorite;
};
