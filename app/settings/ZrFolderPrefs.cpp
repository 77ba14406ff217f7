#include "ZrFolderPrefs.h"

#include "ZrSettings.h"

CZrFolderPrefs::CZrFolderPrefs(const CZrSettings& settings)
    : m_listFile(settings.m_listFile),
      m_browser(settings.m_browser),
      m_pictures(settings.m_pictures),
      m_gestureDirectory(settings.m_gestureDirectory),
      m_personPict(settings.m_personPict),
      m_tours(settings.m_tours),
      m_favorite(settings.m_favorite) {}

void CZrFolderPrefs::WriteTo(CZrSettings& settings) const {
  settings.m_listFile = m_listFile;
  settings.m_pictures = m_pictures;
  settings.m_tours = m_tours;
  settings.m_browser = m_browser;
  settings.m_gestureDirectory = m_gestureDirectory;
  settings.m_personPict = m_personPict;
  settings.m_favorite = m_favorite;
}
