// CZrServerList: the community servers of the server list file and the
// user's edits of them. Entries keep their file order, new ones are
// appended, removed ones stay in place with their flag set; an entry's index
// never changes. Searching by name works like the sorted list box that
// shows the entries: rows in name order (ignoring case) whose name begins
// with the text, ignoring case.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ZrServerEntry.h"

class CZrServerList {
 public:
  // The longest line of the file that is read, its line feed included.
  static constexpr size_t kMaxLineLength = 1024;

  enum class Edit { kDone, kUnchanged, kEmptyName, kEmptyAddress, kExists, kNotFound, kNotEditable };

  // The entries of the file's text. A line is read from its first letter or
  // digit: the name before the first TAB and the address after it, both
  // trimmed of blanks. Lines without a letter or digit, without a TAB,
  // without their closing line feed, or longer than kMaxLineLength are
  // skipped.
  static std::vector<ZrServerEntry> Parse(const std::string& text);
  // The file's text: every entry not removed, in order, as name, TAB,
  // address, line feed.
  std::string Format() const;
  // A field as the user typed it, fit for the file: control characters
  // (TAB, line ends) become blanks, and blanks at either end go.
  static std::string CleanField(const std::string& text);
  // Orders names as the list box does: ignoring case.
  static int CompareNames(const std::string& left, const std::string& right);

  void Load(const std::string& text) { m_entries = Parse(text); }

  // Marks the server at address as current: an entry with exactly that
  // address, else a new entry, named defaultTitle when address is
  // defaultHost (ignoring case), else named by the address. Nothing is
  // marked for an empty address. Answers the current entry's index or -1.
  int MarkCurrent(const std::string& address, const std::string& defaultTitle,
                  const std::string& defaultHost);

  // A new entry, unless a shown entry's name begins with name. `index` gets
  // the new entry's index.
  Edit Add(const std::string& name, const std::string& address, int* index);
  // The entry at index takes name and address, unless another shown entry
  // whose name begins with name has that address. The current entry is not
  // changed.
  Edit Modify(int index, const std::string& name, const std::string& address);
  // Removes the first shown entry (not the current one) whose name begins
  // with name and whose address is address. `index` gets its index.
  Edit Remove(const std::string& name, const std::string& address, int* index);

  // Drops an entry that could not be shown: it is not written.
  void Discard(int index);

  // Shown entries whose name begins with prefix (ignoring case), in name
  // order.
  std::vector<int> FindByName(const std::string& prefix) const;
  // Shown and not current: may be modified or removed.
  bool IsEditable(int index) const;
  bool IsShown(int index) const;

  const std::vector<ZrServerEntry>& Entries() const { return m_entries; }
  const ZrServerEntry& At(int index) const { return m_entries[static_cast<size_t>(index)]; }

 private:
  static Edit Validate(const std::string& name, const std::string& address);
  int Append(const std::string& name, const std::string& address);

  std::vector<ZrServerEntry> m_entries;
};
