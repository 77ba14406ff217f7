#include "CBasicInfo.h"

#include "CDataExchange.h"
#include "ZrIdentityText.h"

BEGIN_MESSAGE_MAP(CBasicInfo, CPropertyPage)
  ON_EN_CHANGE(CBasicInfo::kNameEdit, OnNameChange)
  ON_EN_CHANGE(CBasicInfo::kLocationEdit, OnLocationChange)
  ON_EN_CHANGE(CBasicInfo::kEmailEdit, OnEmailChange)
END_MESSAGE_MAP()

CBasicInfo::CBasicInfo(const CBasicInfoValues& values, bool connected, bool namesFromServer)
    : CPropertyPage(kTemplateId),
      m_values(values),
      m_connected(connected),
      m_namesFromServer(namesFromServer) {}

CBasicInfoValues CBasicInfo::Values() {
  if (m_hWnd) UpdateData(true);
  return m_values;
}

void CBasicInfo::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kNicknameEdit, m_values.m_nickname);
  DDX_Text(dx, kNameEdit, m_values.m_name);
  DDX_Text(dx, kLocationEdit, m_values.m_location);
  DDX_Text(dx, kEmailEdit, m_values.m_email);
}

bool CBasicInfo::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (m_connected) ::EnableWindow(::GetDlgItem(m_hWnd, kNicknameEdit), FALSE);
  if (m_namesFromServer) ::EnableWindow(::GetDlgItem(m_hWnd, kNameEdit), FALSE);
  return true;
}

// A text grown past the limit keeps its first characters, the caret after
// them.
void CBasicInfo::CutEdit(int id) {
  HWND edit = ::GetDlgItem(m_hWnd, id);
  const int length = ::GetWindowTextLengthA(edit);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::GetWindowTextA(edit, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  if (!CutToMaxChars(text, kBasicInfoMaxChars)) return;
  ::SetWindowTextA(edit, text.c_str());
  const auto caret = static_cast<WPARAM>(kBasicInfoMaxChars);
  ::SendMessageA(edit, EM_SETSEL, caret, static_cast<LPARAM>(caret));
}
