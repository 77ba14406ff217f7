#include "CCopyDataLink.h"

#include <vector>

bool CCopyDataLink::Send(HWND own, const char* peerClass, uint32_t code, const std::string& text) {
  HWND peer = ::FindWindowA(peerClass, nullptr);
  if (!peer) {
    return false;
  }
  std::vector<char> payload = CCopyCommand(code, text).Payload();
  COPYDATASTRUCT record{};
  record.dwData = code;
  record.cbData = static_cast<DWORD>(payload.size());
  record.lpData = payload.data();
  ::SendMessageA(peer, WM_COPYDATA, reinterpret_cast<WPARAM>(own), reinterpret_cast<LPARAM>(&record));
  return true;
}

LRESULT CCopyDataLink::OnCopyData(HWND own, UINT postedMessage, WPARAM sender, LPARAM record) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(record);
  if (!data) {
    return TRUE;
  }
  auto copy = std::make_unique<CCopyCommand>(
      CCopyCommand::FromRecord(data->dwData, data->lpData, data->cbData));
  if (::PostMessageA(own, postedMessage, sender, reinterpret_cast<LPARAM>(copy.get()))) {
    copy.release();
  }
  return TRUE;
}

std::unique_ptr<CCopyCommand> CCopyDataLink::TakePosted(LPARAM lParam) {
  return std::unique_ptr<CCopyCommand>(reinterpret_cast<CCopyCommand*>(lParam));
}
