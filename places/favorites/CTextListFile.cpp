#include "CTextListFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <utility>

#include "UrlParamBase.h"
#include "ZrKind.h"
#include "ZrPlaceDesc.h"
#include "ZrReplaceFile.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kTempSuffix[] = ".tmp";

bool AddressLess(const std::unique_ptr<CListEntry>& a, const std::unique_ptr<CListEntry>& b) {
  return UrlParamBase::CompareNoCase(a->GetAddress(), b->GetAddress()) < 0;
}

// A text that stays on one line of the file: line breaks, and in a title
// also TABs, become blanks.
std::string OneLine(const std::string& text, bool allowTab) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\r' || c == '\n' || (c == '\t' && !allowTab)) c = ' ';
  }
  return UrlParamBase::Trim(out);
}

int32_t ToInt32(uint64_t value) {
  const uint64_t max = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(value < max ? value : max);
}

}  // namespace

CTextListFile::CTextListFile(std::string fileName, std::string defaultFileName, DuplicateNotice onDuplicate)
    : m_fileName(fileName.empty() ? defaultFileName : std::move(fileName)),
      m_defaultFileName(std::move(defaultFileName)),
      m_onDuplicate(std::move(onDuplicate)) {
  Load();
}

CTextListFile::~CTextListFile() { Save(); }

bool CTextListFile::Load() {
  Clear();
  m_keptLines.clear();
  m_unreadFile = false;
  if (m_fileName.empty()) return false;
  std::string text;
  const ReadResult result = ReadFile(m_fileName, text);
  if (result == ReadResult::kFailed) {
    m_unreadFile = true;
    return false;
  }
  if (result == ReadResult::kRead) {
    LoadText(text);
    return true;
  }
  int error = 0;
  if (CreateEmpty(m_fileName, error)) return true;
  if (error != ENOENT || m_fileName == m_defaultFileName) return false;
  m_fileName = m_defaultFileName;
  return Load();
}

bool CTextListFile::Save() {
  if (m_unreadFile || m_fileName.empty()) return false;
  int error = 0;
  if (WriteAndReplace(m_fileName, error)) return true;
  if (error != ENOENT || m_fileName == m_defaultFileName) return false;
  // The folder of the file has gone: keep the list in the default file.
  m_fileName = m_defaultFileName;
  return WriteAndReplace(m_fileName, error);
}

void CTextListFile::LoadText(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    AcceptLine(line);
    pos = end + 1;
  }
  Sort();
}

std::string CTextListFile::SaveText() const {
  std::string text;
  for (const auto& entry : m_entries) text += entry->GetTitle() + "\t" + entry->GetAddress() + kLineEnd;
  for (const std::string& line : m_keptLines) text += line + kLineEnd;
  return text;
}

CListEntry* CTextListFile::Add(const std::string& title, const std::string& address, int32_t count,
                               int32_t observers, int32_t capacity) {
  const std::string cleanAddress = OneLine(address, true);
  if (cleanAddress.empty()) return nullptr;
  auto entry = std::make_unique<CListEntry>(OneLine(title, false), cleanAddress, count, observers, capacity);
  int index = -1;
  for (int i = Find(cleanAddress, &index); i >= 0; i = FindNext(cleanAddress, i)) {
    if (UrlParamBase::CompareNoCase(m_entries[static_cast<size_t>(i)]->GetTitle(), entry->GetTitle()) == 0) {
      if (m_onDuplicate) m_onDuplicate(entry->GetTitle(), entry->GetAddress());
      return nullptr;
    }
  }
  // After any entries with the same address, so that they stay in the order
  // they were added.
  const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry, AddressLess);
  return m_entries.insert(at, std::move(entry))->get();
}

CListEntry* CTextListFile::AddPlace(const CZrPlaceDesc& place) {
  return Add(place.title, place.name, ToInt32(place.memberCount), ToInt32(place.observerCount), place.capacity);
}

void CTextListFile::UpdatePlace(const CZrPlaceDesc& place) {
  uint64_t count = place.memberCount;
  if (ZrNormalisePlaceKind(place.kind) == 0x801) count += place.observerCount;
  int index = -1;
  for (int i = Find(place.name, &index); i >= 0; i = FindNext(place.name, i))
    m_entries[static_cast<size_t>(i)]->SetCounts(ToInt32(count), ToInt32(place.observerCount), place.capacity);
}

bool CTextListFile::RemoveEntry(const CListEntry* entry) {
  const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                  [entry](const std::unique_ptr<CListEntry>& e) { return e.get() == entry; });
  if (found == m_entries.end()) return false;
  m_entries.erase(found);
  return true;
}

int CTextListFile::Find(const std::string& address, int* index) const {
  const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), address,
                                   [](const std::unique_ptr<CListEntry>& e, const std::string& key) {
                                     return UrlParamBase::CompareNoCase(e->GetAddress(), key) < 0;
                                   });
  const int position = static_cast<int>(at - m_entries.begin());
  if (index) *index = position;
  if (at == m_entries.end() || UrlParamBase::CompareNoCase((*at)->GetAddress(), address) != 0) return -1;
  return position;
}

int CTextListFile::FindNext(const std::string& address, int index) const {
  const size_t next = static_cast<size_t>(index) + 1;
  if (index < 0 || next >= m_entries.size()) return -1;
  return UrlParamBase::CompareNoCase(m_entries[next]->GetAddress(), address) == 0 ? static_cast<int>(next) : -1;
}

void CTextListFile::Clear() { m_entries.clear(); }

CTextListFile::ReadResult CTextListFile::ReadFile(const std::string& name, std::string& text) const {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  // One byte past the cap tells a file that is too long from one that fits.
  text.resize(kMaxFileBytes + 1);
  const size_t got = std::fread(&text[0], 1, text.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  text.resize(got);
  return failed || got > kMaxFileBytes ? ReadResult::kFailed : ReadResult::kRead;
}

bool CTextListFile::CreateEmpty(const std::string& name, int& error) const {
  // Append mode creates a missing file and never truncates one.
  std::FILE* file = std::fopen(name.c_str(), "ab");
  if (!file) {
    error = errno;
    return false;
  }
  return std::fclose(file) == 0;
}

bool CTextListFile::WriteAndReplace(const std::string& name, int& error) const {
  const std::string temp = name + kTempSuffix;
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) {
    error = errno;
    return false;
  }
  const std::string text = SaveText();
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (written && closed && ZrReplaceFile(temp, name)) return true;
  error = 0;
  std::remove(temp.c_str());
  return false;
}

void CTextListFile::AcceptLine(const std::string& line) {
  const size_t tab = line.find('\t');
  if (UrlParamBase::Trim(line).empty()) return;
  const std::string address = tab == std::string::npos ? std::string() : UrlParamBase::Trim(line.substr(tab + 1));
  if (address.empty()) {
    m_keptLines.push_back(line);
    return;
  }
  m_entries.push_back(std::make_unique<CListEntry>(UrlParamBase::Trim(line.substr(0, tab)), address));
}

void CTextListFile::Sort() { std::stable_sort(m_entries.begin(), m_entries.end(), AddressLess); }
