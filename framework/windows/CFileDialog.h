// The common file open and save dialogs. Filters are written as
// "Description|pattern|Description|pattern||".
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

class CWnd;

class CFileDialog {
 public:
  CFileDialog(bool openDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when the user chose a file, IDCANCEL otherwise.
  INT_PTR DoModal();
  std::string GetPathName() const;

  // The dialog's filter list from the "|"-separated form: every "|" becomes
  // a terminator, and the list ends with two of them.
  static std::string ConvertFilter(const char* filter);

  OPENFILENAMEA m_ofn{};

 private:
  bool m_open;
  std::string m_filter;
  std::string m_defaultExt;
  char m_fileName[MAX_PATH] = {};
};
