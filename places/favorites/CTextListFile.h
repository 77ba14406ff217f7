// CTextListFile: the favourite places, kept sorted by address, and their
// text file: one line per place, the title, a TAB and the address, CR LF.
// Lines that hold no place are kept as they are and written back after the
// places, so that nothing the user wrote is lost. The file is replaced as a
// whole on saving: a failed save leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CListEntry.h"

class CZrPlaceDesc;

class CTextListFile {
 public:
  // Told of an entry that is already in the list (same title and address).
  using DuplicateNotice = std::function<void(const std::string& title, const std::string& address)>;
  // A file longer than this is not read, and then never overwritten.
  static constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

  // Loads the file; an empty name keeps the list without a file.
  // `defaultFileName` (the program folder and
  // "zrplaces.txt") replaces a file name whose folder does not exist.
  CTextListFile(std::string fileName, std::string defaultFileName, DuplicateNotice onDuplicate = {});
  // Saves the file.
  ~CTextListFile();
  CTextListFile(const CTextListFile&) = delete;
  CTextListFile& operator=(const CTextListFile&) = delete;

  bool Load();
  bool Save();

  // Reads the lines of a file's text into the list, then sorts it.
  void LoadText(const std::string& text);
  // The text that Save writes.
  std::string SaveText() const;

  CListEntry* Add(const std::string& title, const std::string& address, int32_t count = 0, int32_t observers = 0,
                  int32_t capacity = 0);
  CListEntry* AddPlace(const CZrPlaceDesc& place);
  void UpdatePlace(const CZrPlaceDesc& place);
  bool RemoveEntry(const CListEntry* entry);
  // The index of the first entry with the address, or -1; `index` gets the
  // position where the address belongs.
  int Find(const std::string& address, int* index) const;
  // The entry after `index` when it has the same address, else -1.
  int FindNext(const std::string& address, int index) const;
  void Clear();

  int GetCount() const { return static_cast<int>(m_entries.size()); }
  CListEntry* GetAt(int index) const { return m_entries.at(static_cast<size_t>(index)).get(); }
  const std::vector<std::string>& GetKeptLines() const { return m_keptLines; }
  // The file name in use; it differs from the one given when the default
  // took its place, and the settings should then store it.
  const std::string& GetFileName() const { return m_fileName; }

 private:
  enum class ReadResult { kRead, kMissing, kFailed };
  ReadResult ReadFile(const std::string& name, std::string& text) const;
  bool CreateEmpty(const std::string& name, int& error) const;
  bool WriteAndReplace(const std::string& name, int& error) const;
  void AcceptLine(const std::string& line);
  void Sort();

  std::vector<std::unique_ptr<CListEntry>> m_entries;
  std::vector<std::string> m_keptLines;
  std::string m_fileName;
  std::string m_defaultFileName;
  DuplicateNotice m_onDuplicate;
  // The file exists but could not be read: saving would lose it.
  bool m_unreadFile = false;
};
