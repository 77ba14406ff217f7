#include "CAboutMeValues.h"

#include "ZrSettings.h"

CAboutMeValues CAboutMeValues::FromSettings(const CZrSettings& settings) {
  CAboutMeValues values;
  values.m_gender = settings.m_gender;
  values.m_hobbies = settings.m_hobbies;
  values.m_occupation = settings.m_occupation;
  values.m_quote = settings.m_personalQuote;
  return values;
}

void CAboutMeValues::Accept(CZrSettings& settings) const {
  settings.m_gender = m_gender;
  settings.m_hobbies = m_hobbies;
  settings.m_occupation = m_occupation;
  settings.m_personalQuote = m_quote;
  settings.Save(true);
}
