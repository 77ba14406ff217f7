#include "CZrServerListFile.h"

#include <cerrno>

namespace {

// The reasons of a failed creation that lie in the path, not in the file.
bool IsBadPath(int error) {
  return error == ENOENT || error == ENOTDIR || error == EINVAL || error == ENAMETOOLONG ||
         error == EISDIR;
}

}  // namespace

bool CZrServerListFile::Open(const std::string& path, const std::string& defaultPath) {
  Close();
  m_path = path;
  m_pathReplaced = false;
  m_file = std::fopen(m_path.c_str(), "r+");
  if (m_file) return true;
  // Appending creates a missing file and never cuts an existing one.
  errno = 0;
  m_file = std::fopen(m_path.c_str(), "a+");
  if (m_file) return true;
  if (!IsBadPath(errno) || path == defaultPath) return false;
  m_path = defaultPath;
  m_pathReplaced = true;
  m_file = std::fopen(m_path.c_str(), "a+");
  return m_file != nullptr;
}

bool CZrServerListFile::ReadAll(std::string& text) {
  text.clear();
  if (!m_file) return false;
  std::rewind(m_file);
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, m_file)) > 0) text.append(buffer, got);
  return !std::ferror(m_file);
}

bool CZrServerListFile::Rewrite(const std::string& text) {
  if (!m_file) return false;
  m_file = std::freopen(m_path.c_str(), "w+", m_file);
  if (!m_file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), m_file) == text.size();
  return std::fflush(m_file) == 0 && written;
}

void CZrServerListFile::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}
