#include "CCommunityServersCommand.h"

#include "CChatWnd.h"
#include "CCommunityServersDlg.h"
#include "CZrApp.h"

namespace {

constexpr uint32_t kDefaultHostIndex = 11;
constexpr uint32_t kDefaultTitleIndex = 12;
const char kSection[] = "Community";

}  // namespace

void CCommunityServersCommand::Run() {
  std::string address;
  std::string title;
  const int answer = m_app.Boxes().RunWithMainWindowsDisabled([&] {
    CCommunityServersDlg dialog(*this, m_app.GetCommunityName(), m_app.MainFrame());
    const INT_PTR result = dialog.DoModal();
    address = dialog.GetResultAddress();
    title = dialog.GetResultName();
    return static_cast<int>(result);
  });
  if (answer == IDOK) m_app.GoToCommunityServer(address, title);
}

std::string CCommunityServersCommand::GetListFilePath() { return m_app.Settings().m_listFile; }

std::string CCommunityServersCommand::GetDefaultListFilePath() {
  return m_app.Settings().GetDefaultServerListPath();
}

void CCommunityServersCommand::SetListFilePath(const std::string& path) {
  m_app.Settings().m_listFile = path;
}

void CCommunityServersCommand::GetDefaultServer(std::string& title, std::string& host) {
  CZrSettings& settings = m_app.Settings();
  title = settings.ReadString(kSection, "DefServerTitle", m_app.Resources().GetString(kDefaultTitleIndex));
  host = settings.ReadString(kSection, "DefHomeServer", m_app.Resources().GetString(kDefaultHostIndex));
}

void CCommunityServersCommand::SetHomeServer(const std::string& title, const std::string& address) {
  CZrSettings& settings = m_app.Settings();
  settings.m_homeServer = address;
  settings.m_serverTitle = title;
  settings.Save(false);
}

CFont* CCommunityServersCommand::GetListFont(bool bold) {
  return bold ? m_app.GetBoldFont() : m_app.GetNormalFont();
}

bool CCommunityServersCommand::IsInPlace() { return m_app.IsMyselfInRootPlace(); }
