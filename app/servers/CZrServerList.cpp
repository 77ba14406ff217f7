#include "CZrServerList.h"

#include <algorithm>

namespace {

bool IsLetterOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Trim(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  return true;
}

bool EqualNoCase(const std::string& left, const std::string& right) {
  return left.size() == right.size() && StartsWithNoCase(left, right);
}

// One line without its line feed; false when it holds no entry.
bool ParseLine(const std::string& line, ZrServerEntry& entry) {
  const auto start = std::find_if(line.begin(), line.end(), IsLetterOrDigit);
  if (start == line.end()) return false;
  const auto tab = std::find(start, line.end(), '\t');
  if (tab == line.end()) return false;
  entry.name = Trim(std::string(start, tab));
  entry.address = Trim(std::string(tab + 1, line.end()));
  return true;
}

}  // namespace

std::vector<ZrServerEntry> CZrServerList::Parse(const std::string& text) {
  std::vector<ZrServerEntry> entries;
  size_t begin = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', begin)) {
    ZrServerEntry entry;
    if (end + 1 - begin <= kMaxLineLength && ParseLine(text.substr(begin, end - begin), entry))
      entries.push_back(entry);
    begin = end + 1;
  }
  return entries;
}

std::string CZrServerList::Format() const {
  std::string text;
  for (const ZrServerEntry& entry : m_entries)
    if (!entry.removed) text += entry.name + '\t' + entry.address + '\n';
  return text;
}

std::string CZrServerList::CleanField(const std::string& text) {
  std::string clean = text;
  for (char& c : clean)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return Trim(clean);
}

int CZrServerList::CompareNames(const std::string& left, const std::string& right) {
  const size_t common = std::min(left.size(), right.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned char l = static_cast<unsigned char>(LowerAscii(left[i]));
    const unsigned char r = static_cast<unsigned char>(LowerAscii(right[i]));
    if (l != r) return l < r ? -1 : 1;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

int CZrServerList::MarkCurrent(const std::string& address, const std::string& defaultTitle,
                               const std::string& defaultHost) {
  if (address.empty()) return -1;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (!m_entries[i].removed && m_entries[i].address == address) {
      m_entries[i].current = true;
      return static_cast<int>(i);
    }
  }
  const int index = EqualNoCase(address, defaultHost) ? Append(defaultTitle, defaultHost)
                                                      : Append(address, address);
  m_entries.back().current = true;
  return index;
}

CZrServerList::Edit CZrServerList::Add(const std::string& name, const std::string& address,
                                       int* index) {
  const std::string cleanName = CleanField(name);
  const std::string cleanAddress = CleanField(address);
  const Edit valid = Validate(cleanName, cleanAddress);
  if (valid != Edit::kDone) return valid;
  if (!FindByName(cleanName).empty()) return Edit::kExists;
  const int added = Append(cleanName, cleanAddress);
  if (index) *index = added;
  return Edit::kDone;
}

CZrServerList::Edit CZrServerList::Modify(int index, const std::string& name,
                                          const std::string& address) {
  if (!IsEditable(index)) return Edit::kNotEditable;
  const std::string cleanName = CleanField(name);
  const std::string cleanAddress = CleanField(address);
  const Edit valid = Validate(cleanName, cleanAddress);
  if (valid != Edit::kDone) return valid;
  ZrServerEntry& entry = m_entries[static_cast<size_t>(index)];
  if (entry.name == cleanName && entry.address == cleanAddress) return Edit::kUnchanged;
  for (int found : FindByName(cleanName))
    if (found != index && At(found).address == cleanAddress) return Edit::kExists;
  entry.name = cleanName;
  entry.address = cleanAddress;
  return Edit::kDone;
}

CZrServerList::Edit CZrServerList::Remove(const std::string& name, const std::string& address,
                                          int* index) {
  for (int found : FindByName(name)) {
    if (At(found).address != address || At(found).current) continue;
    m_entries[static_cast<size_t>(found)].removed = true;
    if (index) *index = found;
    return Edit::kDone;
  }
  return Edit::kNotFound;
}

void CZrServerList::Discard(int index) {
  if (IsShown(index)) m_entries[static_cast<size_t>(index)].removed = true;
}

std::vector<int> CZrServerList::FindByName(const std::string& prefix) const {
  std::vector<int> found;
  for (size_t i = 0; i < m_entries.size(); ++i)
    if (!m_entries[i].removed && StartsWithNoCase(m_entries[i].name, prefix))
      found.push_back(static_cast<int>(i));
  std::stable_sort(found.begin(), found.end(), [this](int left, int right) {
    return CompareNames(At(left).name, At(right).name) < 0;
  });
  return found;
}

bool CZrServerList::IsShown(int index) const {
  return index >= 0 && static_cast<size_t>(index) < m_entries.size() && !At(index).removed;
}

bool CZrServerList::IsEditable(int index) const { return IsShown(index) && !At(index).current; }

CZrServerList::Edit CZrServerList::Validate(const std::string& name, const std::string& address) {
  if (name.empty()) return Edit::kEmptyName;
  if (address.empty()) return Edit::kEmptyAddress;
  return Edit::kDone;
}

int CZrServerList::Append(const std::string& name, const std::string& address) {
  ZrServerEntry entry;
  entry.name = name;
  entry.address = address;
  m_entries.push_back(entry);
  return static_cast<int>(m_entries.size() - 1);
}
