#include "ZrWinSettingsHost.h"

#include <utility>

#include "ZrProgramPaths.h"

CZrWinSettingsHost::CZrWinSettingsHost(ProductStringFunction productString,
                                       SendFileFunction sendFile)
    : m_productString(productString), m_sendFile(sendFile) {}

void CZrWinSettingsHost::SetCommunitySource(std::function<std::string()> source) {
  m_community = std::move(source);
}

void CZrWinSettingsHost::SetOwnNameSource(std::function<bool(std::string&)> source) {
  m_ownName = std::move(source);
}

std::string CZrWinSettingsHost::ProgramFolder() { return GetProgramDir(); }

int32_t CZrWinSettingsHost::ScreenWidth() { return DesktopMeasure(HORZRES); }

int32_t CZrWinSettingsHost::ScreenHeight() { return DesktopMeasure(VERTRES); }

int32_t CZrWinSettingsHost::DesktopMeasure(int index) {
  HDC desktop = GetDC(nullptr);
  const int32_t value = desktop ? GetDeviceCaps(desktop, index) : 0;
  if (desktop) ReleaseDC(nullptr, desktop);
  return value;
}

std::string CZrWinSettingsHost::ProductString(uint32_t index) {
  if (!m_productString) return std::string();
  char buffer[kProductStringSize] = {};
  m_productString(index, buffer);
  buffer[kProductStringSize - 1] = '\0';
  return buffer;
}

std::string CZrWinSettingsHost::Text(uint32_t id) {
  // A zero buffer length yields the resource's own text, of any length.
  const wchar_t* wide = nullptr;
  const int length = LoadStringW(m_resources, id, reinterpret_cast<LPWSTR>(&wide), 0);
  if (length <= 0 || !wide) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), size, nullptr, nullptr);
  return text;
}

bool CZrWinSettingsHost::CanSendFiles() { return m_sendFile && m_sendFile() != 0; }

std::string CZrWinSettingsHost::CommunityName() {
  return m_community ? m_community() : std::string();
}

bool CZrWinSettingsHost::ConnectedOwnName(std::string& name) {
  return m_ownName && m_ownName(name);
}
