// CZrServerListFile: the server list file, held open in text mode while the
// list is edited, read whole and rewritten whole.
#pragma once

#include <cstdio>
#include <string>

class CZrServerListFile {
 public:
  CZrServerListFile() = default;
  ~CZrServerListFile() { Close(); }
  CZrServerListFile(const CZrServerListFile&) = delete;
  CZrServerListFile& operator=(const CZrServerListFile&) = delete;

  // Opens path for reading and writing, else creates it. When the path
  // itself is bad (no such folder, a name the system refuses) it is
  // replaced by defaultPath and creation is tried once more. False when no
  // file could be opened.
  bool Open(const std::string& path, const std::string& defaultPath);
  // The path tried last; whether it is defaultPath in place of a bad one.
  const std::string& GetPath() const { return m_path; }
  bool IsPathReplaced() const { return m_pathReplaced; }
  bool IsOpen() const { return m_file != nullptr; }

  // The whole text; false when the file is not open or cannot be read.
  bool ReadAll(std::string& text);
  // Replaces the file's whole content by text; false when that fails.
  bool Rewrite(const std::string& text);
  void Close();

 private:
  std::FILE* m_file = nullptr;
  std::string m_path;
  bool m_pathReplaced = false;
};
