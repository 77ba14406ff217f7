#include "CAboutMe.h"

#include <utility>

#include "CDataExchange.h"

CAboutMe::CAboutMe(const CAboutMeValues& values) : CPropertyPage(kTemplateId), m_values(values) {}

CAboutMeValues CAboutMe::Values() {
  if (m_hWnd) UpdateData(true);
  return m_values;
}

void CAboutMe::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kGenderEdit, m_values.m_gender);
  DDX_Text(dx, kHobbiesEdit, m_values.m_hobbies);
  DDX_Text(dx, kOccupationEdit, m_values.m_occupation);
  DDX_Text(dx, kQuoteEdit, m_values.m_quote);
}

bool CAboutMe::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  const std::pair<int, int> limits[] = {{kGenderEdit, CAboutMeValues::kGenderMaxChars},
                                        {kHobbiesEdit, CAboutMeValues::kHobbiesMaxChars},
                                        {kOccupationEdit, CAboutMeValues::kOccupationMaxChars},
                                        {kQuoteEdit, CAboutMeValues::kQuoteMaxChars}};
  for (const auto& [id, limit] : limits) ::SendDlgItemMessageA(m_hWnd, id, EM_LIMITTEXT, limit, 0);
  return true;
}
