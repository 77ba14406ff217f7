// The program's folder and base path, cut from the program file's full name.
#pragma once

#include <string>

class CZrProgramPath {
 public:
  explicit CZrProgramPath(std::string programFile);

  // Drive and directory, always ending in a backslash.
  const std::string& Folder() const { return m_folder; }
  // Drive, directory and file name without the extension.
  const std::string& BasePath() const { return m_basePath; }
  // The settings file: the base path with ".ini".
  std::string SettingsFile() const { return m_basePath + ".ini"; }

 private:
  std::string m_folder;
  std::string m_basePath;
};
