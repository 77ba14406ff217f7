#include "ZrProgramPath.h"

CZrProgramPath::CZrProgramPath(std::string programFile) {
  const size_t slash = programFile.find_last_of("\\/");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  // A drive without a directory ("C:zr.exe") keeps the drive.
  const size_t drive = programFile.size() >= 2 && programFile[1] == ':' ? 2 : 0;
  const size_t folderEnd = nameStart > drive ? nameStart : drive;
  m_folder = programFile.substr(0, folderEnd);
  if (m_folder.empty() || (m_folder.back() != '\\' && m_folder.back() != '/')) m_folder += '\\';
  const size_t dot = programFile.rfind('.');
  const size_t baseEnd = dot != std::string::npos && dot >= folderEnd ? dot : programFile.size();
  m_basePath = programFile.substr(0, baseEnd);
}
