#include "CFileDialog.h"

#include <cstring>

#include "CWinApp.h"
#include "CWnd.h"

CFileDialog::CFileDialog(bool openDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_open(openDialog),
      m_filter(ConvertFilter(filter)),
      m_defaultExt(defaultExt ? defaultExt : "") {
  if (fileName) {
    std::strncpy(m_fileName, fileName, sizeof(m_fileName) - 1);
  }
  m_ofn.lStructSize = sizeof(m_ofn);
  CWnd* owner = parent ? parent : AfxGetMainWnd();
  m_ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
  m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrFile = m_fileName;
  m_ofn.nMaxFile = sizeof(m_fileName);
  m_ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
  m_ofn.Flags = flags | OFN_EXPLORER;
}

std::string CFileDialog::ConvertFilter(const char* filter) {
  if (!filter || !*filter) {
    return {};
  }
  std::string list(filter);
  for (char& c : list) {
    if (c == '|') {
      c = '\0';
    }
  }
  // Two terminators after the last entry (c_str adds the second).
  if (list.back() != '\0') {
    list.push_back('\0');
  }
  while (list.size() >= 2 && list[list.size() - 1] == '\0' && list[list.size() - 2] == '\0') {
    list.pop_back();
  }
  return list;
}

INT_PTR CFileDialog::DoModal() {
  BOOL chosen = m_open ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
  return m_fileName;
}
