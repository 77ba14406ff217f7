#include "CBrowserEventSink.h"

#include "CBrowserWnd.h"
#include "IBrowserWndHost.h"

void CBrowserEventSink::OnCloseRequest(const std::string&) { m_host.CloseBrowser(); }

void CBrowserEventSink::OnPlaceTaken() { m_host.CloseBrowser(); }

// Moving the window onto its own rectangle repaints it whole.
void CBrowserEventSink::OnDownloadComplete(bool) {
  if (!m_frame.GetSafeHwnd()) return;
  RECT rect{};
  ::GetWindowRect(m_frame.m_hWnd, &rect);
  m_frame.MoveWindow(rect);
}
