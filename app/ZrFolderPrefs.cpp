#include "ZrFolderPrefs.h"

#include "ZrSettings.h"

CZrFolderPrefs::CZrFolderPrefs(const CZrSettings& settings)
    : listFile(settings.m_listFile),
      browser(settings.m_browser),
      pictures(settings.m_pictures),
      gestureDirectory(settings.m_gestureDirectory),
      personPict(settings.m_personPict),
      tours(settings.m_tours),
      favorite(settings.m_favorite) {}

void CZrFolderPrefs::WriteTo(CZrSettings& settings) const {
  settings.m_listFile = listFile;
  settings.m_pictures = pictures;
  settings.m_tours = tours;
  settings.m_browser = browser;
  settings.m_gestureDirectory = gestureDirectory;
  settings.m_personPict = personPict;
  settings.m_favorite = favorite;
}
