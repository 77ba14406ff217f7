#include "CBasicInfoValues.h"

#include "ZrSettings.h"

namespace {

std::optional<std::string> IfChanged(const std::string& edited, const std::string& current) {
  if (edited == current) return std::nullopt;
  return edited;
}

}  // namespace

CBasicInfoValues CBasicInfoValues::FromSettings(const CZrSettings& settings,
                                                const std::string* connectedNick,
                                                const std::string* serverName) {
  CBasicInfoValues values;
  values.m_nickname = connectedNick ? *connectedNick : settings.m_nickName;
  values.m_name = serverName ? *serverName : settings.m_name;
  values.m_location = settings.m_address;
  values.m_email = settings.m_email;
  return values;
}

CMyInfoChange CBasicInfoValues::ChangesFrom(const CZrSettings& settings) const {
  CMyInfoChange change;
  change.name = IfChanged(m_name, settings.m_name);
  change.location = IfChanged(m_location, settings.m_address);
  change.email = IfChanged(m_email, settings.m_email);
  return change;
}

void CBasicInfoValues::Accept(CZrSettings& settings) const {
  settings.m_nickName = m_nickname;
  settings.m_name = m_name;
  settings.m_address = m_location;
  settings.m_email = m_email;
  // A place title made from the old name follows the new one.
  if (settings.m_tourNameIsDefault) settings.m_tourName = settings.GetDefaultPlaceTitle();
  settings.Save(true);
}
