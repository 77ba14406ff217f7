#include "ZrStartPlan.h"

#include "CPlaceAddress.h"

CZrStartPlan::Instance CZrStartPlan::DecideInstance(bool clientRunning, bool directoryRunning,
                                                    bool closeNetscapeOnLaunch) {
  Instance instance;
  if (clientRunning) {
    instance.handOver = true;
    return instance;
  }
  instance.notifyDirectory = directoryRunning;
  instance.killNetscape = closeNetscapeOnLaunch;
  return instance;
}

std::string CZrStartPlan::ArgumentsOf(const std::string& commandLine) {
  size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t close = commandLine.find('"', 1);
    at = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (at < commandLine.size() && commandLine[at] != ' ' && commandLine[at] != '\t') ++at;
  }
  while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t')) ++at;
  return commandLine.substr(at);
}

void CZrStartPlan::ApplyCommandLine(const CPlaceAddress& address, const std::string& homeServer,
                                    int32_t layoutMode) {
  m_hasNickName = address.HasName();
  if (m_hasNickName) m_nickName = address.GetName();
  m_communityArgument = address.HasCommunity();
  if (m_communityArgument) {
    m_communityName = address.GetCommunity();
    m_communityHost = address.GetValidatedCommunity();
  } else {
    m_communityName = homeServer;
    m_communityHost = homeServer;
  }
  if (address.HasPlace()) {
    m_showPage = false;
    m_pendingPlacePage = address.GetPlace();
  }
  m_replicated = address.IsReplicated();
  m_layoutMode = address.HasLayout() ? address.GetLayout() : layoutMode;
}

void CZrStartPlan::ApplySettings(const std::string& homeServer, const std::string& serverTitle,
                                 const std::string& homeURL) {
  if (!m_communityArgument) {
    m_communityName = homeServer;
    m_communityHost = serverTitle;
  }
  m_homePage = homeURL;
  m_firstPage = m_pendingPlacePage.empty() ? homeURL : m_pendingPlacePage;
}
