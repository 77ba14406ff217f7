#include "CDirectoryReplies.h"

#include <cinttypes>
#include <cstdio>

#include "DirectoryCodes.h"
#include "DirectoryText.h"

using namespace zr::directory;

void CDirectoryReplies::OnCommand(uint64_t code, const std::string& text) {
  switch (code) {
    case kInDirectoryMode:
      OnDirectoryMode(TrimLeft(text));
      break;
    case kAskNavigation:
      OnQuestion(text);
      break;
    case kEcho:
      m_host.SendToBrowser(kNavigate, text);
      break;
    case kInEventMode:
      OnEventMode();
      break;
    default:
      break;
  }
}

void CDirectoryReplies::OnDirectoryMode(const std::string& address) {
  std::string page = m_host.CurrentPageAddress();
  if (PageAddressesEqual(address, page)) {
    m_host.SendToBrowser(kRefresh, std::string());
    return;
  }
  char ref[32];
  std::snprintf(ref, sizeof ref, "?ref=%" PRId32, m_refCounter);
  ++m_refCounter;
  m_host.SendToBrowser(kNavigate, page + ref);
}

void CDirectoryReplies::OnQuestion(const std::string& received) {
  std::string address = TrimLeft(received);
  if (m_host.IsPlaceLink(address)) {
    m_host.SendToBrowser(kAnswerStay, received);
    m_host.OpenPlace(address);
    m_host.CloseBrowser();
  } else if (m_host.IsInteractionLink(address)) {
    m_host.SendToBrowser(kAnswerStay, received);
    m_host.PerformInteraction(address);
  } else {
    m_host.SendToBrowser(kAnswerGo, received);
  }
}

void CDirectoryReplies::OnEventMode() {
  std::string nickname = m_host.Nickname();
  for (char& c : nickname) {
    if (c == ' ') {
      c = '+';
    }
  }
  m_host.SendToBrowser(kNavigate, m_host.EventPageAddress() + "?nickname=" + nickname +
                                      "&place=" + m_host.CurrentPlaceName());
}
